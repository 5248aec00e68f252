// Copying yzo's Orca script into the folder where Orca reads application
// scripts: the Linux counterpart of the screen-reader files' copy.
#include "extras/orca.h"

#include <cstdlib>
#include <filesystem>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "ledger/format.h"

namespace {
std::wstring environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? fromUtf8(value) : L"";
}

std::wstring withoutTrailingSeparator(std::wstring path) {
    while (path.size() > 1 && (path.back() == L'/' || path.back() == L'\\')) path.pop_back();
    return path;
}
}  // namespace

std::wstring orcaScriptsFolder(const std::wstring& dataHome, const std::wstring& home) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    std::wstring data = !dataHome.empty() && dataHome[0] == L'/' ? withoutTrailingSeparator(dataHome)
                                                                 : withoutTrailingSeparator(home) + L"/.local/share";
    return data + L"/orca/orca-scripts";
}

void scriptsOrca(MainForm& form, const std::wstring& baseName) {
    try {
        std::wstring found = orcaScriptsFolder(environment("XDG_DATA_HOME"), environment("HOME"));
        std::wstring folder = withoutTrailingSeparator(trim(form.inputBox(L"Chemin des scripts d'orca", found)));
        if (folder.empty()) return;
        if (!DossierExistant(folder)) {
            form.msgBox(L"chemin inconnu");
            return;
        }
        std::wstring script = form.app.programFolder + baseName + L".py";
        if (!FichierExistant(script)) return;
        std::wstring target = ajoutbackslash(folder);
        if (!FichierExistant(target + L"__init__.py")) writeFileAtomically(target + L"__init__.py", "");
        copyFileAtomically(script, target + baseName + L".py");
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& e) {
        form.reportError(e, L"scriptsOrca");
    }
}

void installScriptsAtStart(MainForm& form) {
    std::wstring marker = form.app.programFolder + kOrcaMarker;
    if (!FichierExistant(marker)) return;
    scriptsOrca(form, L"yzo");
    std::error_code ec;
    std::filesystem::remove(fsPath(marker), ec);
}
