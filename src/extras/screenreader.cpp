#include "extras/screenreader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

std::string readBytes(const std::wstring& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    if (!in) throw YzoError(kErrFileNotFound, path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) throw YzoError(kErrPathAccess, path);
    return bytes.str();
}

bool folderExists(const std::wstring& path) {
    std::error_code ec;
    return std::filesystem::is_directory(fsPath(path), ec);
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
        if (!folderExists(folder)) {
            form.msgBox(L"chemin inconnu");
            return;
        }
        std::wstring script = form.app.programFolder + baseName + L".py";
        if (!FichierExistant(script)) return;
        std::wstring target = ajoutbackslash(folder);
        if (!FichierExistant(target + L"__init__.py")) writeFileAtomically(target + L"__init__.py", "");
        writeFileAtomically(target + baseName + L".py", readBytes(script));
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
