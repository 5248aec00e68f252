// The open accounts, the recent-file list, launch reopening and saving.
#include <algorithm>
#include <cwchar>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"

void MainForm::insert_nomdoc(int position, const std::wstring& name) {
    if (position < 1 || position > kMaxSlots) return;
    for (int k = kMaxSlots; k > position; --k) app.config[k] = app.config[k - 1];
    app.config[position] = name;
}

void MainForm::efface_nomdoc(int position) {
    if (position < 1 || position > kMaxSlots) return;
    for (int k = position; k < kMaxSlots; ++k) app.config[k] = app.config[k + 1];
    app.config[kMaxSlots] = kUntitled;
}

void MainForm::range_ini(const std::wstring& name) {
    if (trim(name).empty()) return;
    std::wstring upper = upperCase(name);
    for (int k = 1; k <= kMaxSlots; ++k) {
        if (upperCase(app.config[k]) != upper) continue;
        if (k == acc.currentDoc) return;
        efface_nomdoc(k);
        break;
    }
    insert_nomdoc(acc.currentDoc, name);
}

void MainForm::setUpUntitledAccount() { litFichierYzo(true, false); }

void MainForm::ReprendreDisque(int first) {
    app.normalMode = true;
    acc.launching = true;
    if (slotPath(first) == kUntitled) {
        setUpUntitledAccount();
        AfficheStatus();
        AfficheYzo();
        return;
    }
    int n = std::stoi(trim(app.config[kIniLaunchCount]));
    for (int i = first; i <= n; ++i) {
        if (!FichierExistant(slotPath(i))) {
            msgBox(L"fichier " + slotPath(i) + L" inexistant");
            if (i == 1) {
                insert_nomdoc(1, kUntitled);
                efface_nomdoc(2);
                acc.openCount = 1;
                acc.currentDoc = 1;
                setUpUntitledAccount();
                AfficheStatus();
                AfficheYzo();
                return;
            }
            break;
        }
        acc.openCount = i;
        acc.currentDoc = i;
        acc.launching = true;                     // a password asked now goes on with the next files
        if (!litFichierYzo(false, true)) return;  // waits for its password
        TestPension();
        RangeSauveTableYzo();
    }
    acc.launching = false;
    acc.currentDoc = 1;
    if (acc.openCount > 1) RangeTableYzo();
    led.cursorIndex[1] = 0;
    AfficheStatus();
    AfficheYzo();
    parler_solde();
}

void MainForm::enregistrer() {
    if (app.notepadShown) {
        saveNotepad();
        return;
    }
    bool saved = currentPath() == kUntitled ? enregistrersous() : rangefichierYzo();
    if (!saved) return;
    message(L"enregistrer");
    // Said last, so that the label keeps it.
    if (acc.backupFailed) message(L"copie de sauvegarde impossible");
}

void MainForm::keepInRecentFiles(const std::wstring& path) {
    // At launch the files still to open keep their places before it.
    int after = acc.openCount;
    if (acc.launching)
        after = std::max(after, static_cast<int>(std::wcstol(app.config[kIniLaunchCount].c_str(), nullptr, 10)));
    if (after < kMaxSlots) insert_nomdoc(after + 1, path);
}

bool MainForm::enregistrersous() {
    if (app.notepadShown) return saveNotepadAs();
    if (refuseUnreadAccount()) return false;
    const std::wstring filter = L"Fichiers YZO (*.yzo)|*.yzo|tous fichiers (*.*)|*.*";
    bool untitled = currentPath() == kUntitled;
    if (!untitled && upperCase(currentPath()).find(L".BAK") == std::wstring::npos) sauvebak();
    FileDialogRequest request;
    request.filter = filter;
    request.defaultExt = L"yzo";
    request.initialName = untitled ? app.storageFolder + kUntitled : currentPath();
    request.confirmOverwrite = true;
    for (;;) {
        std::optional<std::wstring> chosen = platform.SaveFileDialog(request);
        if (!chosen) return false;
        std::wstring name = *chosen;
        dropDialogDot(name);
        if (!acceptCutName(name)) continue;
        if (upperCase(NomFichSeul(name)) == upperCase(kUntitled)) {
            msgBox(L"nom avec \"sanstitre\" interdit");
            continue;
        }
        if (upperCase(name).find(L".BAK") != std::wstring::npos) {
            msgBox(L"nom avec .bak interdit");
            continue;
        }
        if (!renameCurrentEntry(name)) continue;
        bool saved = rangefichierYzo();
        AfficheStatus();
        return saved;
    }
}

// A new name with more than three characters after the first "." of its file
// name is written cut three characters after it: the user is told the name
// that will be written (and that it replaces a file of that name) and says
// whether to go on. False when the user says No; name is then unchanged.
bool MainForm::acceptCutName(std::wstring& name) {
    const std::wstring cut = cutExtension(name);
    if (cut == name) return true;
    std::wstring question = L"Le compte sera enregistré sous le nom " + NomFichSeul(cut);
    if (FichierExistant(cut)) question += L", qui remplacera le fichier de ce nom";
    if (ask(question + L". Continuer ?", MsgButtons::YesNo, 2) != MsgResult::Yes) return false;
    name = cut;
    return true;
}

// Save under another name: the slot's own entry of the list becomes the new
// name, and its former name goes first among the recent files. (Inserting the
// name would push the entries of the slots after this one out of place.)
bool MainForm::renameCurrentEntry(const std::wstring& name) {
    int current = acc.currentDoc;
    std::wstring upper = upperCase(name);
    for (int k = 1; k <= acc.openCount; ++k) {
        if (k != current && upperCase(slotPath(k)) == upper) {
            msgBox(name + L" déja ouvert");
            return false;
        }
    }
    for (int k = kMaxSlots; k > acc.openCount; --k)
        if (upperCase(slotPath(k)) == upper) efface_nomdoc(k);
    std::wstring former = currentPath();
    currentPath() = name;
    if (former != kUntitled && upperCase(former) != upper) insert_nomdoc(acc.openCount + 1, former);
    // A new file: nothing to compare with before writing it.
    acc.fileSignature[current] = {};
    return true;
}
