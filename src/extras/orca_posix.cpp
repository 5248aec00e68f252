// Copying yzo's Orca script into the folder where Orca reads application
// scripts: the Linux counterpart of the screen-reader files' copy.
#include "extras/orca.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "ledger/format.h"
#include "platform/folders.h"

namespace {
// The package file that makes Orca's scripts folder importable by Python.
constexpr const wchar_t* kPackageFile = L"__init__.py";

std::wstring withoutTrailingSeparator(std::wstring path) {
    while (path.size() > 1 && (path.back() == L'/' || path.back() == L'\\')) path.pop_back();
    return path;
}

// Creates the folder and its parents; false when it is still not a folder.
bool makeFolder(const std::wstring& folder) {
    std::error_code ec;
    std::filesystem::create_directories(fsPath(folder), ec);
    return DossierExistant(folder);
}
}  // namespace

std::wstring orcaScriptsFolder(const std::wstring& dataHome, const std::wstring& home) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    std::wstring data = !dataHome.empty() && dataHome[0] == L'/' ? withoutTrailingSeparator(dataHome)
                                                                 : withoutTrailingSeparator(home) + L"/.local/share";
    return data + L"/orca/orca-scripts";
}

std::wstring orcaScriptSource(const std::wstring& installedData, const std::wstring& programFolder,
                              const std::wstring& baseName) {
    for (const std::wstring& folder : {installedData, programFolder}) {
        if (folder.empty()) continue;
        std::wstring script = ajoutbackslash(folder) + baseName + L".py";
        if (FichierExistant(script)) return script;
    }
    return L"";
}

void scriptsOrca(MainForm& form, const std::wstring& baseName) {
    try {
        std::wstring script = orcaScriptSource(form.platform.InstalledDataFolder(), form.app.programFolder, baseName);
        if (script.empty()) {
            form.message(L"script Orca non installé : " + baseName + L".py introuvable");
            return;
        }
        std::wstring folder =
            orcaScriptsFolder(platform::environmentVariable("XDG_DATA_HOME"), platform::environmentVariable("HOME"));
        if (!makeFolder(folder)) {
            form.message(L"script Orca non installé : impossible de créer " + folder);
            return;
        }
        std::wstring target = ajoutbackslash(folder);
        if (!FichierExistant(target + kPackageFile)) writeFileAtomically(target + kPackageFile, "");
        copyFileAtomically(script, target + baseName + L".py");
        form.message(L"script Orca installé dans " + folder + L", redémarrez Orca");
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& e) {
        form.reportError(e, L"scriptsOrca");
    }
}
