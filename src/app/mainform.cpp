#include "app/mainform.h"

#include <new>

#include "account/paths.h"
#include "app/errors.h"
#include "app/textfile.h"

namespace {
// What the screen reader is given of a status text, a message or a question:
// never longer than the longest line of an account, and a blank where the
// text holds a field separator or a line break.
std::wstring spokenText(const std::wstring& text) { return withoutLineBreaks(text.substr(0, kMaxLineLength)); }
}  // namespace

MainForm::MainForm(Platform& p) : platform(p) {
    for (int k = 1; k <= kMaxSlots; ++k) app.config[k] = kUntitled;
}

void MainForm::message(const std::wstring& text) {
    std::wstring shown = L" " + trimRight(spokenText(text));
    if (shown == app.lastMessage) shown += L"  ";
    app.lastMessage = shown;
    w.LblMessage.text = shown;
    platform.StatusChanged(shown);
}

void MainForm::InitModeNormal() {
    app.normalMode = true;
    if (acc.header.accountType == kAccountReceipts) {
        w.CmdYzo.enabled = false;
    } else {
        w.CmdYzo.text = kCaptionChequePreview;
        w.CmdYzo.show();
    }
    w.CmdCreation.text = kCaptionCreate;
    w.CmdCreation.show();
    w.CmdModifLigne.text = kCaptionModifyLine;
    w.CmdModifLigne.show();
    w.CmdQuitter.text = kCaptionQuit;
    w.CmdQuitter.show();
}

void MainForm::InitYzo() {
    // A password asked for an account being opened: giving it up brings back
    // what was there before, and comes back here.
    if (acc.passwordAtOpening) {
        annuleMotDePasse();
        return;
    }
    // Whatever ends a dialog ends its lock of the menus.
    unlockMenusAfterPassword();
    InitModeNormal();
    app.keyHelp = false;
    ent.creationInProgress = false;
    acc.passwordCreation = acc.passwordModification = acc.passwordSuppression = false;
    app.chequePrintMode = false;
    if (app.notepadShown) {
        // The title names the account again.
        app.notepadShown = false;
        AfficheStatus();
    }
    app.colourModes = {};
    for (Control* c : {&w.RtbNote, &w.LblDial, &w.txtDial, &w.txtDate, &w.txtPasse, &w.Liste, &w.ListeRec})
        c->show(false);
    ent.columnModification = false;
    clearDialogModes();
    w.txt.show(true);
    w.focus = L"txt";
    keepCaretOperation();
    led.pendingColumn = kNoColumn;
    ent.typeAhead.clear();
    led.criteriaSearchRunning = false;
    srch.forwardPending = srch.backwardPending = false;
    displayMode() = DisplayMode::Operations;
    AfficheYzo();
}

// The ledger comes back on the operation the caret was on. In the table of all
// operations an operation stands at its index among the account's lines, so a
// line of the unregistered or search view finds its place there too.
void MainForm::keepCaretOperation() {
    DisplayMode mode = displayMode();
    if (mode != DisplayMode::Operations && mode != DisplayMode::Unregistered && mode != DisplayMode::Criteria) return;
    long index = IndexAbsolu();
    if (!TestNumeroAffiche(index)) return;
    cursorIndex() = mode == DisplayMode::Operations ? index : led.displayTable[index].sourceIndex;
}

void MainForm::setTitle(const std::wstring& title) {
    if (w.title == title) return;
    w.title = title;
    platform.TitleChanged(title);
}

void MainForm::AfficheStatus() {
    setTitle(NomFichSeul(app.notepadShown ? ext.notepadFile : currentPath()));
    int shown = 0;
    for (int k = 1; k <= acc.openCount; ++k) {
        MenuEntry* m = w.menu(L"mnuOuvrirSousMenu", ++shown);
        m->caption = std::to_wstring(k) + L" " + slotPath(k);
        m->visible = true;
    }
    for (int k = acc.openCount + 1; k <= kMaxSlots; ++k) {
        if (slotPath(k) == kUntitled) continue;
        MenuEntry* m = w.menu(L"mnuOuvrirSousMenu", ++shown);
        m->caption = std::to_wstring(shown) + L" " + slotPath(k);
        m->visible = true;
    }
    for (int i = shown + 1; i <= kMaxSlots; ++i) {
        MenuEntry* m = w.menu(L"mnuOuvrirSousMenu", i);
        m->caption.clear();
        m->visible = false;
    }
}

void MainForm::endProgram() {
    app.ended = true;
    platform.EndProgram();
    throw ProgramEnd{};
}

void MainForm::reportError(const std::exception& error, const std::wstring& procedure) {
    if (auto* e = dynamic_cast<const YzoError*>(&error)) {
        msgBox(errorText(*e, procedure));
    } else if (dynamic_cast<const std::bad_alloc*>(&error)) {
        // Said in words, not by the library's name for it.
        msgBox(errorText(YzoError(kErrOutOfMemory), procedure));
    } else {
        YzoError other(kErrPathAccess, fromUtf8(error.what()));
        msgBox(errorText(other, procedure));
    }
}

bool MainForm::refuseIrregularFile(const std::wstring& path, const std::wstring& procedure) {
    try {
        requireRegularFile(path);
        return false;
    } catch (const YzoError& e) {
        reportError(e, procedure);
        return true;
    }
}

MsgResult MainForm::ask(const std::wstring& text, MsgButtons buttons, int defaultButton) {
    return platform.MsgBox(spokenText(text), buttons, defaultButton, L"yzo");
}

void MainForm::msgBox(const std::wstring& text) { platform.MsgBox(spokenText(text), MsgButtons::Ok, 1, L"yzo"); }

std::wstring MainForm::inputLineText(const std::wstring& prompt, const std::wstring& defaultText, Typed kind) {
    for (;;) {
        std::wstring answer = inputBox(prompt, defaultText);
        if (!fitsInLine(answer)) {
            msgBox(kForbiddenInLine);
            continue;
        }
        std::wstring refusal = kind == Typed::Text ? unwritableLetterRefusal(answer) : L"";
        if (!refusal.empty()) {
            msgBox(refusal);
            continue;
        }
        return answer;
    }
}

std::wstring MainForm::inputBox(const std::wstring& prompt, const std::wstring& defaultText) {
    return platform.InputBox(spokenText(prompt), L"yzo", defaultText);
}
