// On Windows the counterpart of the Orca script is yzo's NVDA app module:
// the same menu entry and marker copy it into the appModules folder of
// NVDA's user configuration (%APPDATA%\nvda\appModules).
#include "extras/orca.h"

#include <filesystem>
#include <system_error>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "platform/folders.h"

namespace {
// The folder of the app module beside the program (build folder) or in the
// installed data folder.
constexpr const wchar_t* kAppModuleFolder = L"nvda";

// NVDA's folder of a user's app modules; empty when APPDATA is unset.
std::wstring nvdaAppModulesFolder() {
    std::wstring appData = platform::environmentVariable("APPDATA");
    return appData.empty() ? appData : ajoutbackslash(appData) + L"nvda\\appModules";
}

// "nvda\<baseName>.py" of the installed data folder, else of the program's
// folder; empty when neither has it.
std::wstring appModuleSource(const std::wstring& installedData, const std::wstring& programFolder,
                             const std::wstring& baseName) {
    for (const std::wstring& folder : {installedData, programFolder}) {
        if (folder.empty()) continue;
        std::wstring module = ajoutbackslash(ajoutbackslash(folder) + kAppModuleFolder) + baseName + L".py";
        if (FichierExistant(module)) return module;
    }
    return L"";
}
}  // namespace

void scriptsOrca(MainForm& form, const std::wstring& baseName) {
    try {
        std::wstring module = appModuleSource(form.platform.InstalledDataFolder(), form.app.programFolder, baseName);
        if (module.empty()) {
            form.message(L"module NVDA non installé : " + baseName + L".py introuvable");
            return;
        }
        std::wstring folder = nvdaAppModulesFolder();
        std::error_code ec;
        if (!folder.empty()) std::filesystem::create_directories(fsPath(folder), ec);
        if (folder.empty() || !DossierExistant(folder)) {
            form.message(L"module NVDA non installé : impossible de créer " + folder);
            return;
        }
        copyFileAtomically(module, ajoutbackslash(folder) + baseName + L".py");
        form.message(L"module NVDA installé dans " + folder + L", redémarrez NVDA");
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& e) {
        form.reportError(e, L"scriptsOrca");
    }
}
