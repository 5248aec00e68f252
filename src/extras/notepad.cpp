// The notepad: a plain text file beside the account, edited in place of the ledger.
#include "extras/extras.h"

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"

std::wstring notepadProposal(const std::wstring& accountPath) {
    size_t nameStart = accountPath.find_last_of(L"/\\");
    nameStart = nameStart == std::wstring::npos ? 0 : nameStart + 1;
    size_t dot = accountPath.find(L'.', nameStart);
    if (dot == std::wstring::npos) return accountPath + L".txt";
    return accountPath.substr(0, dot + 1) + L"txt";
}

std::wstring notepadBackupName(const std::wstring& notepadPath) { return notepadPath + L".bak"; }

std::vector<std::wstring> notepadLines(const std::wstring& text) {
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    // The file ends with a line end: a text that ends with one has no further line.
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    return lines;
}

std::wstring notepadText(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += L"\r\n";
        text += lines[i];
    }
    return text;
}

void MainForm::blocnote() {
    if (describeKey(L"bloc note")) return;
    if (!app.normalMode) {
        platform.Beep();
        return;
    }
    FileDialogRequest request;
    request.filter = L"Fichiers (*.TXT)|*.TXT";
    const std::wstring& lastFile = app.config[kIniNotepadFile];
    request.initialName = trim(lastFile).empty() ? notepadProposal(currentPath()) : lastFile;
    std::optional<std::wstring> chosen = platform.OpenFileDialog(request);
    if (!chosen) return;
    std::wstring name = *chosen;
    if (name.size() >= 3 && name[1] == L':' && name[2] == L'.') name.erase(2, 1);
    // A file that cannot be read whole is not bound to the notepad: a save
    // would replace the text the user could not see, and then its backup.
    std::optional<std::wstring> text = readNotepadFile(name);
    if (!text) return;
    ext.notepadFile = name;
    app.config[kIniNotepadFile] = name;
    ext.notepadModified = false;

    app.notepadShown = true;
    app.normalMode = false;
    w.CmdYzo.visible = false;
    w.CmdCreation.visible = false;
    w.CmdModifLigne.visible = false;
    w.CmdQuitter.text = kCaptionLeaveNotepad;
    w.CmdQuitter.show();
    w.txt.show(false);
    w.RtbNote.show();
    w.RtbNote.setText(*text);
    w.focus = L"RtbNote";
    AfficheStatus();
}

std::optional<std::wstring> MainForm::readNotepadFile(const std::wstring& path) {
    if (!FichierExistant(path)) return std::wstring();
    try {
        return notepadText(readTextLines(path));
    } catch (const std::exception& e) {
        reportError(e, L"blocnote");
        message(L"Le bloc note " + NomFichSeul(path) + L" n'est pas lu : il n'est pas ouvert");
        return std::nullopt;
    }
}

void MainForm::RtbNote_KeyDown(const KeyEvent& key) {
    if (key.code == kKeyEscape) InitYzo();
    else if (!leavesTextAsItIs(key)) ext.notepadModified = true;
}

void MainForm::SauveBlocNote() {
    // A save that failed keeps the notepad open with its text, as a failed
    // account save stops its caller.
    if (ext.notepadModified && ask(L"Sauvegarder le bloc note", MsgButtons::YesNo) == MsgResult::Yes && !saveNotepad())
        return;
    InitYzo();
}

bool MainForm::askNotepadSave() {
    if (!ext.notepadModified) return true;
    MsgResult r = ask(L"Sauvegarder le bloc note " + NomFichSeul(ext.notepadFile) + L" ?", MsgButtons::YesNoCancel);
    if (r == MsgResult::Cancel) return false;
    return r == MsgResult::No || saveNotepad();
}

bool MainForm::sauvebakBlocNote() {
    if (!FichierExistant(ext.notepadFile)) return true;
    try {
        copyFileAtomically(ext.notepadFile, notepadBackupName(ext.notepadFile));
        return true;
    } catch (const std::exception&) {
        message(L"copie de sauvegarde impossible");
        return false;
    }
}

bool MainForm::RangeBlocNote() {
    try {
        writeTextLines(ext.notepadFile, notepadLines(w.RtbNote.text));
    } catch (const std::exception& e) {
        reportError(e, L"RangeBlocNote");
        return false;
    }
    ext.notepadModified = false;
    return true;
}

bool MainForm::saveNotepad() {
    sauvebakBlocNote();
    if (!RangeBlocNote()) return false;
    message(L"enregistrer");
    return true;
}

bool MainForm::saveNotepadAs() {
    if (upperCase(ext.notepadFile).find(L".BAK") == std::wstring::npos) sauvebakBlocNote();
    FileDialogRequest request;
    request.filter = L"Fichiers (*.TXT)|*.TXT";
    request.initialName = ext.notepadFile;
    request.confirmOverwrite = true;
    std::optional<std::wstring> chosen = platform.SaveFileDialog(request);
    if (!chosen) return false;
    std::wstring name = *chosen;
    if (name.size() >= 3 && name[1] == L':' && name[2] == L'.') name.erase(2, 1);
    ext.notepadFile = name;
    app.config[kIniNotepadFile] = name;
    bool saved = RangeBlocNote();
    AfficheStatus();
    return saved;
}
