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
    using Handler = void (MainForm::*)(const KeyEvent&);
    static const std::pair<const wchar_t*, Handler> handlers[] = {
        {L"txt", &MainForm::ledgerKey},
        {L"Liste", &MainForm::Liste_KeyDown},
        {L"txtDial", &MainForm::txtDial_KeyDown},
        {L"txtDate", &MainForm::txtDate_KeyDown},
        {L"txtPasse", &MainForm::txtPasse_KeyDown},
        {L"ListeRec", &MainForm::ListeRec_KeyDown},
        {L"RtbNote", &MainForm::RtbNote_KeyDown},
    };
    guarded(*this, L"KeyDown", [&] {
        for (const auto& [name, handler] : handlers)
            if (control == name) return (this->*handler)(key);
        // The four buttons share one handler.
        if (const Control* c = w.control(control); c && c->kind == ControlKind::Button) Cmd_KeyDown(key);
    });
}

void MainForm::KeyPress(const std::wstring& control, wchar_t ch) {
    using Handler = void (MainForm::*)(wchar_t);
    static const std::pair<const wchar_t*, Handler> handlers[] = {
        {L"Liste", &MainForm::Liste_KeyPress},
        {L"txtDial", &MainForm::txtDial_KeyPress},
        {L"txtDate", &MainForm::txtDate_KeyPress},
    };
    guarded(*this, L"KeyPress", [&] {
        for (const auto& [name, handler] : handlers)
            if (control == name) return (this->*handler)(ch);
    });
}

KeyResult MainForm::PressKey(const KeyEvent& key, wchar_t ch) {
    // A menu's shortcut takes its key first and keeps it.
    if (const MenuEntry* m = w.menuForKey(key)) {
        const std::wstring name = m->name;
        const int index = m->index;
        MenuCommand(name, index);
        return KeyResult::Handled;
    }
    Control* c = w.control(w.focus);
    if (!c) return KeyResult::NoFocus;
    const std::wstring name = c->name;
    const unsigned revisionBefore = c->revision;
    const std::vector<bool> checksBefore = c->checked;
    // Each handler may end the program or move the focus: the key stops there.
    KeyDown(name, key);
    if (ended() || w.focus != name) return KeyResult::Handled;
    if (ch) {
        KeyPress(name, ch);
        if (ended() || w.focus != name) return KeyResult::Handled;
    }
    // A handler that placed the caret or the text itself has done the key's work.
    if (c->revision != revisionBefore) return KeyResult::Handled;
    return controlOwnKey(*c, key, checksBefore);
}

KeyResult MainForm::controlOwnKey(Control& c, const KeyEvent& key, const std::vector<bool>& checksBefore) {
    if (key.code == kKeyTab) return KeyResult::ToWidget;
    if (c.name == L"txt") {
        // The ledger is read-only: its keys are the program's, but for copying.
        if (isCopyKey(key)) return KeyResult::ToWidget;
        if (isCaretKey(key.code)) c.caret = moveCaretInTextBox(c.text, c.caret, key);
        return KeyResult::Handled;
    }
    if (c.kind == ControlKind::CheckListBox && key.code == kKeySpace) {
        // Space ticks or unticks the selected item, unless the handler did; the title has no box.
        const int item = c.selected;
        if (c.checked == checksBefore && item >= 1 && item < static_cast<int>(c.checked.size())) {
            c.checked[item] = !c.checked[item];
            ItemCheck(item);
        }
        return KeyResult::Handled;
    }
    if (c.isList()) {
        const int s = moveListSelection(c.selected, static_cast<int>(c.items.size()), key);
        if (s != c.selected) {
            c.selected = s;
            ListClick(c.name);
        }
        return KeyResult::Handled;
    }
    return KeyResult::ToWidget;
}

void MainForm::Click(const std::wstring& button) {
    static const std::pair<const wchar_t*, void (MainForm::*)()> actions[] = {
        {L"CmdQuitter", &MainForm::CmdQuitter_Click},
        {L"CmdYzo", &MainForm::CmdYzo_Click},
        {L"CmdCreation", &MainForm::CmdCreation_Click},
        {L"CmdModifLigne", &MainForm::CmdModifLigne_Click},
    };
    guarded(*this, L"Click", [&] {
        for (const auto& [name, action] : actions)
            if (button == name) return (this->*action)();
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
        if (statementsMenu(name)) return;
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

const MenuAction* MainForm::findMenuAction(std::span<const MenuAction> table, const std::wstring& name) {
    for (const MenuAction& action : table)
        if (name == action.entry) return &action;
    return nullptr;
}

void MainForm::runMenuAction(const MenuAction& action, int index) {
    if (action.command) (this->*action.command)();
    else action.commandAt(*this, index);
}

bool MainForm::runMenuTable(std::span<const MenuAction> table, const std::wstring& name, int index) {
    const MenuAction* action = findMenuAction(table, name);
    if (!action) return false;
    runMenuAction(*action, index);
    return true;
}

bool MainForm::appMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuQuitterItem", [](MainForm& f, int) { f.quitter(); }},
    };
    return runMenuTable(actions, name);
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
