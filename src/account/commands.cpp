// The account commands of the "Fichier" and "Options" menus: new, open,
// reopen from the list, switch, save, close, clear the list, password.
#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"

namespace {
const wchar_t* const kAccountFilter = L"Fichiers YZO (*.yzo)|*.yzo|tous fichiers (*.*)|*.*";
}

// In key-help mode a command only says what it does.
bool MainForm::describeKey(const std::wstring& label) {
    if (!app.keyHelp) return false;
    message(label);
    app.keyDescribed = true;
    return true;
}

bool MainForm::accountMenu(const std::wstring& name, int index) {
    static const MenuAction actions[] = {
        {L"mnuNouveauItem", &MainForm::mnuNouveau},
        {L"mnuOuvrirItem", &MainForm::mnuOuvrir},
        {L"mnuOuvrirSousMenu", [](MainForm& f, int i) { f.mnuOuvrirSousMenu(i); }},
        {L"mnuFichierPrecedentItem",
         [](MainForm& f, int) {
             if (!f.describeKey(L"Lecture du fichier ouvert précédent")) f.DocPrecedent();
         }},
        {L"mnuFichierSuivantItem",
         [](MainForm& f, int) {
             if (!f.describeKey(L"Lecture du fichier ouvert suivant")) f.DocSuivant();
         }},
        {L"mnuEnregistrer",
         [](MainForm& f, int) {
             if (!f.describeKey(L"enregistrer un fichier")) f.enregistrer();
         }},
        {L"mnuEnregistrerSous",
         [](MainForm& f, int) {
             if (!f.describeKey(L"enregistrer sous un autre nom")) f.enregistrersous();
         }},
        {L"mnuFermerItem",
         [](MainForm& f, int) {
             if (!f.describeKey(L"fermer un compte")) f.fermer();
         }},
        {L"mnuEffaceListeFichier", &MainForm::effaceListeFichier},
        {L"mnuCreationPasse", &MainForm::creationPasse},
        {L"mnuSuppressionPasse", &MainForm::suppressionPasse},
        {L"mnuModifPasse", &MainForm::modifPasse},
        {L"mnuExportCompte", &MainForm::mnuExportCompte},
    };
    return runMenuTable(actions, name, index);
}

bool MainForm::dejaOuvert(const std::wstring& path) {
    for (int k = 1; k <= acc.openCount; ++k) {
        if (slotPath(k) == path) {
            // A blank after the path, so that the name and the words are said apart.
            msgBox(path + L" déja ouvert");
            return true;
        }
    }
    return false;
}

// Leaves the current slot: its lines go to its store, its caret is remembered.
void MainForm::leaveSlot() {
    RangeSauveTableYzo();
    if (displayMode() != DisplayMode::Text && led.displayCount() > 0) NumeroAffiche();
}

void MainForm::mnuNouveau() {
    // In key-help mode the command only says what it does: no question.
    if (describeKey(L"nouveau compte")) return;
    if (ask(L"Souhaitez-vous créer un compte", MsgButtons::YesNo) != MsgResult::Yes) return;
    NouveauFichier();
}

int MainForm::untitledSlot() const {
    for (int k = 1; k <= acc.openCount; ++k)
        if (app.config[k] == kUntitled) return k;
    return 0;
}

bool MainForm::untouchedSlot(int slot) const {
    if (acc.modified[slot] || acc.linesUnread[slot]) return false;
    if (slot == acc.currentDoc) return acc.operationCount() == 0 && acc.pensionCount() == 0;
    return acc.table[slot].lineCount == 0;
}

void MainForm::NouveauFichier() {
    // Two open accounts never share the untitled name: an untitled account that
    // nobody has touched (the empty one of the start) becomes the new account,
    // and one that holds something is saved under a name first.
    if (int untitled = untitledSlot()) {
        if (!untouchedSlot(untitled)) {
            msgBox(kUntitled + L" déja ouvert, enregistrez-le d'abord");
            return;
        }
        if (untitled != acc.currentDoc) {
            leaveSlot();
            acc.currentDoc = untitled;
        }
        setUpNewAccount();
        return;
    }
    if (acc.openCount >= kMaxSlots) {
        msgBox(L"Nombre de fichier ouvert maxi");
        return;
    }
    RangeSauveTableYzo();
    ++acc.openCount;
    acc.currentDoc = acc.openCount;
    insert_nomdoc(acc.currentDoc, kUntitled);
    setUpNewAccount();
}

void MainForm::setUpNewAccount() {
    clearSlot(acc.currentDoc);
    AfficheStatus();
    litFichierYzo(true, false);
    AfficheYzo();
}

void MainForm::clearSlot(int slot) {
    acc.modified[slot] = false;
    acc.slotStore[slot].clear();
    acc.table[slot] = AccountHeader{};
    acc.fileSignature[slot] = {};
    acc.linesUnread[slot] = false;
    led.cursorIndex[slot] = 0;
    led.displayMode[slot] = DisplayMode::Operations;
    led.currentColumn[slot] = kColumnDate;
}

void MainForm::mnuOuvrir() {
    if (describeKey(L"ouvrir un fichier")) return;
    if (acc.openCount >= kMaxSlots) {
        msgBox(L"Nombre de fichier ouvert maxi");
        return;
    }
    FileDialogRequest request;
    request.filter = kAccountFilter;
    request.defaultExt = L"yzo";
    // The storage folder, with no name: the filter shows its accounts.
    request.initialName = ajoutbackslash(app.storageFolder);
    request.mustExist = true;
    std::optional<std::wstring> chosen = platform.OpenFileDialog(request);
    if (!chosen) return;
    std::wstring name = *chosen;
    dropDialogDot(name);
    if (refuseIrregularFile(name, L"mnuOuvrir") || dejaOuvert(name)) return;
    bool emptyUntitled = currentPath() == kUntitled && acc.operationCount() == 0 && acc.pensionCount() == 0 &&
                         !acc.modified[acc.currentDoc];
    if (emptyUntitled) {
        // The name takes the untitled slot's own entry: inserting it there would
        // move the entries, and so the files, of the slots after this one.
        if (!renameCurrentEntry(name)) return;
        openInCurrentSlot(acc.currentDoc);
    } else {
        openInNewSlot(name);
    }
}

void MainForm::mnuOuvrirSousMenu(int entry) {
    if (describeKey(L"ouvrir un fichier de la liste")) return;
    if (entry >= 1 && entry <= acc.openCount) {
        platform.Beep();
        return;
    }
    MenuEntry* m = w.menu(L"mnuOuvrirSousMenu", entry);
    if (!m || !m->visible) return;
    size_t blank = m->caption.find(L' ');
    std::wstring path = blank == std::wstring::npos ? L"" : m->caption.substr(blank + 1);
    if (refuseIrregularFile(path, L"mnuOuvrir")) return;
    if (!FichierExistant(path)) {
        message(L"fichier inexistant");
        return;
    }
    if (acc.openCount >= kMaxSlots) {
        msgBox(L"Nombre de fichier ouvert maxi");
        return;
    }
    openInNewSlot(path);
}

// Leaves the current slot and opens path in a new one after the others.
void MainForm::openInNewSlot(const std::wstring& path) {
    int previous = acc.currentDoc;
    leaveSlot();
    ++acc.openCount;
    acc.currentDoc = acc.openCount;
    clearSlot(acc.currentDoc);
    range_ini(path);
    openInCurrentSlot(previous);
}

// Reads the account named at the current slot's place, asking its password when it has one.
void MainForm::openInCurrentSlot(int previousSlot) {
    acc.slotBeforeOpening = previousSlot;
    if (!litFichierYzo(false, true)) return;  // waits for its password
    finishOpening();
}

void MainForm::finishOpening() {
    acc.modified[acc.currentDoc] = false;
    TestPension();
    cursorIndex() = 0;
    AfficheStatus();
    AfficheYzo();
}

void MainForm::DocSuivant() { switchTo(acc.currentDoc == acc.openCount ? 1 : acc.currentDoc + 1); }

void MainForm::DocPrecedent() { switchTo(acc.currentDoc == 1 ? acc.openCount : acc.currentDoc - 1); }

void MainForm::switchTo(int slot) {
    if (acc.openCount <= 1) {
        platform.Beep();
        message(L"un seul fichier");
        return;
    }
    leaveSlot();
    acc.currentDoc = slot;
    RangeTableYzo();
    AfficheStatus();
    AfficheYzo();
    message(NomFichSeul(currentPath()));
}

void MainForm::fermer() {
    RangeSauveTableYzo();
    if (!sauvegarde()) return;
    std::wstring closed = currentPath();
    int slot = acc.currentDoc;
    if (acc.openCount == 1) {
        slotPath(1) = kUntitled;
        clearSlot(1);
        acc.pensionLines.assign(1, {});
        acc.operationLines.assign(1, {});
        litFichierYzo(true, false);
    } else if (slot == acc.openCount) {
        acc.currentDoc = slot - 1;
        RangeTableYzo();
        --acc.openCount;
        AfficheStatus();
        AfficheYzo();
        message(NomFichSeul(currentPath()));
        return;
    } else {
        for (int k = slot; k < acc.openCount; ++k) moveSlot(k + 1, k);
        clearSlot(acc.openCount);
        --acc.openCount;
        RangeTableYzo();
        efface_nomdoc(slot);
    }
    if (closed != kUntitled) insert_nomdoc(acc.openCount + 1, closed);
    AfficheStatus();
    AfficheYzo();
    message(NomFichSeul(currentPath()));
}

void MainForm::moveSlot(int from, int to) {
    acc.table[to] = acc.table[from];
    acc.modified[to] = acc.modified[from];
    acc.slotStore[to] = std::move(acc.slotStore[from]);
    acc.slotStore[from].clear();
    acc.fileSignature[to] = acc.fileSignature[from];
    acc.linesUnread[to] = acc.linesUnread[from];
    led.cursorIndex[to] = led.cursorIndex[from];
    led.displayMode[to] = led.displayMode[from];
    led.currentColumn[to] = led.currentColumn[from];
}

void MainForm::effaceListeFichier() {
    if (describeKey(L"Réinitialisation de la liste des fichiers")) return;
    for (int k = acc.openCount + 1; k <= kMaxSlots; ++k) slotPath(k) = kUntitled;
    AfficheStatus();
}
