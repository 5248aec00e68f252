#include "script_platform.h"

#include <fstream>

#include "app/textfile.h"

ScriptPlatform::ScriptPlatform(std::ostream& out, Date today, long seconds, std::wstring folder,
                               std::wstring printFolder)
    : out_(out), today_(today), seconds_(seconds), folder_(std::move(folder)), printFolder_(std::move(printFolder)) {}

void ScriptPlatform::line(const std::wstring& text) { out_ << toUtf8(text) << '\n' << std::flush; }

Answer ScriptPlatform::take(const char* dialog) {
    if (answers.empty()) throw ScriptError(std::string("no answer queued for the ") + dialog);
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::wstring ScriptPlatform::InputBox(const std::wstring& prompt, const std::wstring&, const std::wstring& def) {
    Answer a = take("input box");
    if (a.kind != Answer::Text) throw ScriptError("the input box needs a text answer");
    line(L"input: " + prompt + L" [" + def + L"] -> " + a.text);
    return a.text;
}

MsgResult ScriptPlatform::MsgBox(const std::wstring& text, MsgButtons buttons, int, const std::wstring&) {
    if (buttons == MsgButtons::Ok) {
        // Needs no answer; a queued "ok" is taken all the same.
        if (!answers.empty() && answers.front().kind == Answer::Ok) answers.pop_front();
        line(L"msgbox: " + text + L" [ok] -> ok");
        return MsgResult::Ok;
    }
    Answer a = take("message box");
    bool cancelAllowed = buttons == MsgButtons::YesNoCancel;
    std::wstring names = cancelAllowed ? L"yes/no/cancel" : L"yes/no";
    MsgResult r;
    std::wstring said;
    switch (a.kind) {
    case Answer::Yes:
        r = MsgResult::Yes;
        said = L"yes";
        break;
    case Answer::No:
        r = MsgResult::No;
        said = L"no";
        break;
    case Answer::Cancel:
        if (!cancelAllowed) throw ScriptError("cancel is not a button of this message box");
        r = MsgResult::Cancel;
        said = L"cancel";
        break;
    default: throw ScriptError("the message box needs yes, no or cancel");
    }
    line(L"msgbox: " + text + L" [" + names + L"] -> " + said);
    return r;
}

std::optional<std::wstring> ScriptPlatform::OpenFileDialog(const FileDialogRequest& r) {
    Answer a = take("open dialog");
    if (a.kind != Answer::File && a.kind != Answer::FileCancel)
        throw ScriptError("the open dialog needs a file answer");
    line(L"file-open: " + r.filter + L" [" + r.initialName + L"] -> " + (a.kind == Answer::File ? a.text : L"cancel"));
    if (a.kind == Answer::FileCancel) return std::nullopt;
    return a.text;
}

std::optional<std::wstring> ScriptPlatform::SaveFileDialog(const FileDialogRequest& r) {
    Answer a = take("save dialog");
    if (a.kind != Answer::File && a.kind != Answer::FileCancel)
        throw ScriptError("the save dialog needs a file answer");
    line(L"file-save: " + r.filter + L" [" + r.initialName + L"] -> " + (a.kind == Answer::File ? a.text : L"cancel"));
    if (a.kind == Answer::FileCancel) return std::nullopt;
    return a.text;
}

std::optional<FontChoice> ScriptPlatform::FontDialog(FontKind kind, const FontChoice& current) {
    Answer a = take("font dialog");
    if (a.kind != Answer::Font && a.kind != Answer::FontCancel)
        throw ScriptError("the font dialog needs a font answer");
    std::wstring k = kind == FontKind::Screen ? L"screen" : L"printer";
    std::wstring said = a.kind == Answer::Font ? a.text + L" " + std::to_wstring(a.size) : L"cancel";
    line(L"font: " + k + L" [" + current.name + L" " + std::to_wstring(current.size) + L"] -> " + said);
    if (a.kind == Answer::FontCancel) return std::nullopt;
    return FontChoice{a.text, a.size};
}

bool ScriptPlatform::PrinterDialog() {
    Answer a = take("printer dialog");
    if (a.kind != Answer::PrinterOk && a.kind != Answer::PrinterCancel)
        throw ScriptError("the printer dialog needs a printer answer");
    line(std::wstring(L"printer: -> ") + (a.kind == Answer::PrinterOk ? L"ok" : L"cancel"));
    return a.kind == Answer::PrinterOk;
}

bool ScriptPlatform::Print(const PrintJob& job) {
    ++printCount_;
    std::wstring name = L"impression-" + std::to_wstring(printCount_) + L".txt";
    std::wstring path = printFolder_.empty() ? name : printFolder_ + L"/" + name;
    std::ofstream f(fsPath(path), std::ios::binary);
    f << toUtf8(job.text);
    line(L"print: " + path + L" " + (job.orientation == Orientation::Portrait ? L"portrait" : L"landscape") + L" " +
         job.fontName + L" " + std::to_wstring(job.fontSize));
    return static_cast<bool>(f.flush());
}

void ScriptPlatform::Beep() { line(L"beep"); }
void ScriptPlatform::EndProgram() { line(L"end"); }
void ScriptPlatform::StatusChanged(const std::wstring& text) { line(L"message: " + text); }
void ScriptPlatform::TitleChanged(const std::wstring& title) { line(L"title: " + title); }
