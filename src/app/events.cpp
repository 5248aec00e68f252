// Events from a front-end: each runs to its end; no error escapes it.
#include "app/errors.h"
#include "app/mainform.h"

namespace {
// Runs one event; the end of the program stops it, any other error is reported.
template <typename F>
void guarded(MainForm& form, const wchar_t* procedure, F&& body) {
    if (form.ended()) return;
    try {
        body();
        form.checkDialogFlags();
    } catch (const ProgramEnd&) {
    } catch (const std::exception& e) {
        try {
            form.reportError(e, procedure);
        } catch (const ProgramEnd&) {
        }
    }
}
}  // namespace

void MainForm::KeyDown(const std::wstring& control, const KeyEvent& key) {
    guarded(*this, L"KeyDown", [&] {
        if (control == L"txt") ledgerKey(key);
        else if (control == L"Liste") Liste_KeyDown(key);
        else if (control == L"txtDial") txtDial_KeyDown(key);
        else if (control == L"txtDate") txtDate_KeyDown(key);
        else if (control == L"txtPasse") txtPasse_KeyDown(key);
        else if (control == L"ListeRec") ListeRec_KeyDown(key);
        else if (control == L"RtbNote") RtbNote_KeyDown(key);
        else if (const Control* c = w.control(control); c && c->kind == ControlKind::Button) Cmd_KeyDown(key);
    });
}

void MainForm::KeyPress(const std::wstring& control, wchar_t ch) {
    guarded(*this, L"KeyPress", [&] {
        if (control == L"Liste") Liste_KeyPress(ch);
        else if (control == L"txtDial") txtDial_KeyPress(ch);
        else if (control == L"txtDate") txtDate_KeyPress(ch);
    });
}

void MainForm::Click(const std::wstring& button) {
    guarded(*this, L"Click", [&] {
        if (button == L"CmdQuitter") CmdQuitter_Click();
        else if (button == L"CmdYzo" && passwordDialogShown()) validationPasse();
        else if (button == L"CmdYzo") CmdYzo_Click();
        else if (button == L"CmdCreation") CmdCreation_Click();
        else if (button == L"CmdModifLigne") CmdModifLigne_Click();
    });
}

void MainForm::MenuCommand(const std::wstring& name, int index) {
    guarded(*this, L"MenuCommand", [&] {
        // A switched-off entry does nothing, whichever front-end sent it
        // (in key-help mode a command only says what it does).
        if (const MenuEntry* m = w.menu(name, index); m && !m->enabled && !app.keyHelp) return;
        // Each subsystem answers the entries of its own commands.
        if (appMenu(name)) return;
        if (optionsMenu(name)) return;
        if (displayOptionsMenu(name)) return;
        if (helpMenu(name)) return;
        if (accountMenu(name, index)) return;
        if (ledgerMenu(name)) return;
        if (entryMenu(name)) return;
        if (listsMenu(name)) return;
        if (pensionsMenu(name)) return;
        if (currencyMenu(name)) return;
        if (printMenu(name)) return;
        if (searchMenu(name)) return;
        if (comptaMenu(name)) return;
    });
}

void MainForm::ListClick(const std::wstring& list) {
    guarded(*this, L"Click", [&] {
        if (list == L"ListeRec") ListeRec_Click();
    });
}

void MainForm::ItemCheck(int item) {
    guarded(*this, L"ItemCheck", [&] { ListeRec_ItemCheck(item); });
}

void MainForm::TextChanged(const std::wstring& control) {
    guarded(*this, L"Change", [&] {
        if (control == L"RtbNote") ext.notepadModified = true;
    });
}

bool MainForm::QueryClose() {
    bool mayClose = true;
    guarded(*this, L"QueryUnload", [&] { mayClose = quitter(); });
    return mayClose || app.ended;
}


bool MainForm::appMenu(const std::wstring& name) {
    if (name == L"mnuQuitterItem") quitter();
    else return false;
    return true;
}

void MainForm::txtPasse_KeyDown(const KeyEvent& key) {
    if (key.code == kKeyEnter) validationPasse();
    else if (key.code == kKeyEscape) annuleMotDePasse();
}

// Escape on a button leaves the dialog as it does from its box or list.
void MainForm::Cmd_KeyDown(const KeyEvent& key) {
    if (key.code != kKeyEscape) return;
    if (passwordDialogShown()) annuleMotDePasse();
    else InitYzo();
}
