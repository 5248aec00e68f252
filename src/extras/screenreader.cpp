// Copying the program's screen-reader files into the screen reader's settings
// folder, found by walking the folders where it is installed.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "platform/files.h"
#include "extras/extras.h"
#include "extras/orca.h"

std::vector<std::wstring> subfolderNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(fsPath(folder), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        // A link is not followed: it could lead back up the tree.
        if (it->is_directory(kind) && !it->is_symlink(kind)) names.push_back(platform::pathText(it->path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

void MainForm::recherche_dir(const std::wstring& folder, const std::wstring& name, int& counter, bool& found) {
    if (++counter >= 1000) {
        counter = 0;
        platform.Beep();
    }
    for (const std::wstring& sub : subfolderNames(folder)) {
        std::wstring upper = upperCase(sub);
        if (upper == L"ALL USERS") continue;
        if (upper == name) {
            ext.scriptsFolder = ajoutbackslash(folder);
            found = true;
            return;
        }
        recherche_dir(ajoutbackslash(folder) + sub, name, counter, found);
    }
}

void MainForm::rechercherDossier(const std::wstring& start, const std::wstring& name, bool& found) {
    found = false;
    if (start.empty() || !DossierExistant(start)) return;
    ext.folderCounter = 0;
    recherche_dir(Sansbackslash(start), upperCase(name), ext.folderCounter, found);
}

namespace {
// The French settings of a screen-reader version folder, or "".
std::wstring settingsFolder(const std::wstring& versionFolder) {
    for (const wchar_t* language : {L"fra", L"frc"}) {
        std::wstring candidate = ajoutbackslash(ajoutbackslash(versionFolder) + L"settings") + language;
        if (DossierExistant(candidate)) return candidate;
    }
    return L"";
}

// What is proposed when nothing was found: the usual settings folder below the
// drive's root ("C:\JAWS\settings\fra"); nothing on a system that has no such
// root, where that folder cannot exist.
std::wstring defaultSettingsFolder(const std::wstring& drive) {
    if (drive.empty()) return L"";
    return ajoutbackslash(ajoutbackslash(ajoutbackslash(drive) + L"JAWS") + L"settings") + L"fra";
}
}  // namespace

std::wstring MainForm::findScreenReaderFolder() {
    ScreenReaderRoots roots = platform.ScreenReaderFolders();
    bool found = false;
    rechercherDossier(roots.documentsAndSettings, L"Freedom Scientific", found);
    if (found) {
        rechercherDossier(ext.scriptsFolder + L"Freedom Scientific", L"JAWS", found);
        if (!found) rechercherDossier(roots.users, L"JAWS", found);
        if (found) {
            std::wstring jawsFolder = ext.scriptsFolder + L"JAWS";
            std::vector<std::wstring> versions = subfolderNames(jawsFolder);
            if (!versions.empty()) {
                std::wstring settings = settingsFolder(ajoutbackslash(jawsFolder) + versions.back());
                if (!settings.empty()) return settings;
            }
        }
    }
    if (!roots.drive.empty()) {
        std::wstring last;
        for (const std::wstring& sub : subfolderNames(roots.drive))
            if (upperCase(sub).rfind(L"JAWS", 0) == 0) last = upperCase(sub);
        if (!last.empty()) {
            std::wstring settings = settingsFolder(ajoutbackslash(roots.drive) + last);
            if (!settings.empty()) return settings;
        }
    }
    return defaultSettingsFolder(roots.drive);
}

void MainForm::jaws(const std::wstring& baseName) {
    ext.scriptsFolder = findScreenReaderFolder();
    std::wstring answer = Sansbackslash(inputBox(L"Chemin des scripts de jaws", ext.scriptsFolder));
    if (trim(answer).empty()) return;
    if (!DossierExistant(answer)) {
        msgBox(L"chemin inconnu");
        return;
    }
    for (const wchar_t* extension : {L".jdf", L".jcf"}) {
        std::wstring source = app.programFolder + baseName + extension;
        if (!FichierExistant(source)) continue;
        try {
            copyFileAtomically(source, ajoutbackslash(answer) + baseName + extension);
        } catch (const std::exception& e) {
            reportError(e, L"jaws");
        }
    }
}

void installScriptsAtStart(MainForm& form) {
    std::wstring marker = form.app.programFolder + kOrcaMarker;
    if (!FichierExistant(marker)) return;
    scriptsOrca(form, L"yzo");
    std::error_code ec;
    std::filesystem::remove(fsPath(marker), ec);
}
