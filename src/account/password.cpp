// The account password: kept scrambled at the end of the header line, asked
// when the account is opened; created, changed and removed from the Options menu.
#include <algorithm>

#include "account/paths.h"
#include "app/mainform.h"

namespace {
constexpr unsigned kPasswordMask = 0xA7;
}

std::wstring cryptage(const std::wstring& typed) {
    std::wstring stored;
    for (wchar_t c : typed) {
        stored += RS;
        stored += std::to_wstring(static_cast<unsigned>(c) ^ kPasswordMask);
    }
    return stored;
}

void MainForm::DialMotDePasse() {
    message(std::wstring(80, L' '));
    entryButtons();
    w.txt.show(false);
    w.LblDial.text = acc.passwordModification || acc.passwordSuppression ? L"Mot de passe actuel" : L"Mot de passe";
    w.LblDial.show();
    w.txtPasse.text.clear();
    w.txtPasse.caret = 0;
    w.txtPasse.show();
    // At launch too: with no ledger shown, the password box is the only place for the keyboard.
    w.focus = L"txtPasse";
    if (!acc.passwordCreation && !acc.passwordModification && !acc.passwordSuppression) acc.passwordAtOpening = true;
    // The dialog keeps the keyboard: a command that switched or closed the
    // account would give the password to another one.
    lockMenusForPassword();
}

void MainForm::lockMenusForPassword() {
    if (!acc.menusBeforePassword.empty()) return;  // already locked
    for (MenuEntry& m : w.menus) {
        acc.menusBeforePassword.push_back(m.enabled);
        // Quitting asks about the other accounts only: this one has nothing in memory.
        if (m.name != L"mnuQuitterItem") m.enabled = false;
    }
}

void MainForm::unlockMenusAfterPassword() {
    if (acc.menusBeforePassword.size() == w.menus.size())
        for (size_t i = 0; i < w.menus.size(); ++i) w.menus[i].enabled = acc.menusBeforePassword[i];
    acc.menusBeforePassword.clear();
}

void MainForm::creationPasse() {
    if (describeKey(L"Création d'un mot de passe")) return;
    if (!acc.table[acc.currentDoc].password.empty()) {
        message(L"Mot de passe existant");
        return;
    }
    acc.passwordCreation = true;
    acc.firstEntry.clear();
    DialMotDePasse();
}

void MainForm::suppressionPasse() {
    if (describeKey(L"Suppression du mot de passe")) return;
    if (acc.table[acc.currentDoc].password.empty()) {
        message(L"Mot de passe inexistant");
        return;
    }
    acc.passwordSuppression = true;
    DialMotDePasse();
}

void MainForm::modifPasse() {
    if (describeKey(L"Modification du mot de passe")) return;
    if (acc.table[acc.currentDoc].password.empty()) {
        message(L"Mot de passe inexistant");
        return;
    }
    acc.passwordModification = true;
    acc.oldPasswordPending = true;
    acc.firstEntry.clear();
    DialMotDePasse();
}

namespace {
void askAgain(MainForm& f, const wchar_t* question) {
    f.w.txtPasse.text.clear();
    f.w.txtPasse.caret = 0;
    f.w.LblDial.text = question;
    f.w.focus = L"txtPasse";
}
}  // namespace

void MainForm::endPasswordDialog() {
    unlockMenusAfterPassword();
    w.txtPasse.show(false);
    w.LblDial.show(false);
    showLedger();
    acc.passwordCreation = acc.passwordModification = acc.passwordSuppression = false;
    acc.oldPasswordPending = false;
    acc.firstEntry.clear();
    InitModeNormal();
    AfficheYzo();
}

void MainForm::validationPasse() {
    if (w.txtPasse.text.empty()) {
        message(L"mot de passe vide");
        w.focus = L"txtPasse";
        return;
    }
    std::wstring stored = cryptage(w.txtPasse.text);
    w.txtPasse.text.clear();
    AccountHeader& slotHeader = acc.table[acc.currentDoc];
    if (acc.passwordModification && acc.oldPasswordPending) {
        acc.oldPasswordPending = false;
        if (stored != slotHeader.password) {
            message(L"mot de passe invalide");
            endPasswordDialog();
            return;
        }
        askAgain(*this, L"Nouveau mot de passe");
        return;
    }
    if (acc.passwordCreation || acc.passwordModification) {
        if (acc.firstEntry.empty()) {
            acc.firstEntry = stored;
            askAgain(*this, L"Mot de passe à confirmer");
            return;
        }
        if (acc.firstEntry != stored) {
            msgBox(L"mot de passe différent");
        } else {
            slotHeader.password = stored;
            acc.modified[acc.currentDoc] = true;
        }
        endPasswordDialog();
        return;
    }
    // Suppression, or the check when the account is opened.
    const std::wstring& expected = acc.passwordSuppression ? slotHeader.password : acc.header.password;
    if (stored != expected) {
        message(L"mot de passe invalide");
        askAgain(*this, w.LblDial.text.c_str());
        return;
    }
    if (acc.passwordSuppression) {
        slotHeader.password.clear();
        acc.modified[acc.currentDoc] = true;
        endPasswordDialog();
        return;
    }
    passwordAccepted();
}

// The right password was typed for the account being opened: read its lines.
void MainForm::passwordAccepted() {
    acc.passwordAtOpening = false;
    unlockMenusAfterPassword();
    w.txtPasse.show(false);
    w.LblDial.show(false);
    showLedger();
    acc.table[acc.currentDoc] = acc.header;
    configuration();
    InitModeNormal();
    acc.pensionLines.assign(1, {});
    acc.operationLines.assign(1, {});
    RangeLitFichierYzo(true);
    acc.modified[acc.currentDoc] = false;
    if (acc.launching) {
        TestPension();
        RangeSauveTableYzo();
        int next = acc.currentDoc + 1;
        int count = std::stoi(trim(app.config[kIniLaunchCount]));
        if (count > acc.currentDoc && next <= kMaxSlots && slotPath(next) != kUntitled) {
            ReprendreDisque(next);
            return;
        }
        acc.launching = false;
        acc.currentDoc = 1;
        if (acc.openCount > 1) RangeTableYzo();
    } else {
        TestPension();
    }
    acc.launching = false;
    cursorIndex() = 0;
    AfficheStatus();
    AfficheYzo();
    parler_solde();
}

void MainForm::annuleMotDePasse() {
    if (!acc.passwordAtOpening) {
        unlockMenusAfterPassword();
        InitYzo();
        return;
    }
    acc.passwordAtOpening = false;
    unlockMenusAfterPassword();
    w.txtPasse.show(false);
    w.LblDial.show(false);
    showLedger();
    if (!acc.launching && acc.slotBeforeOpening == acc.currentDoc) {
        // Opened in place of an empty untitled account: that account comes back,
        // and the other open accounts stay as they are.
        std::wstring path = currentPath();
        currentPath() = kUntitled;
        insert_nomdoc(acc.openCount + 1, path);
        clearSlot(acc.currentDoc);
        litFichierYzo(true, false);
        AfficheStatus();
        InitYzo();
        return;
    }
    if (!acc.launching && acc.currentDoc > 1) {
        // An account opened beside others: give up only this new slot.
        int given = acc.currentDoc;
        std::wstring path = slotPath(given);
        for (int k = given; k < acc.openCount; ++k) moveSlot(k + 1, k);
        efface_nomdoc(given);
        clearSlot(acc.openCount);
        --acc.openCount;
        insert_nomdoc(acc.openCount + 1, path);  // back among the recent files
        int back = acc.slotBeforeOpening > given ? acc.slotBeforeOpening - 1 : acc.slotBeforeOpening;
        acc.currentDoc = std::clamp(back, 1, acc.openCount);
        RangeTableYzo();
        AfficheStatus();
        InitYzo();
        return;
    }
    bool firstSlot = acc.currentDoc == 1;
    acc.launching = false;
    acc.openCount = 1;
    acc.currentDoc = 1;
    if (firstSlot) {
        insert_nomdoc(1, kUntitled);
        clearSlot(1);
        litFichierYzo(true, false);
        AfficheStatus();
        AfficheYzo();
    } else {
        litFichierYzo(false, false);
        cursorIndex() = 0;
        AfficheStatus();
        InitYzo();
    }
}
