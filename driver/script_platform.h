// The platform of yzo-script: dialogs answered from the script, everything
// perceivable printed as a transcript.
#pragma once
#include <deque>
#include <ostream>
#include <stdexcept>
#include <string>

#include "app/platform.h"

// A fault of the script itself (unknown command, no answer queued...): stops the run.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Answer {
    enum Kind { Text, Yes, No, Cancel, Ok, File, FileCancel, Font, FontCancel, PrinterOk, PrinterCancel } kind;
    std::wstring text;  // input text, file path or font name
    int size = 0;       // font size
};

class ScriptPlatform : public Platform {
public:
    ScriptPlatform(std::ostream& out, Date today, long seconds, std::wstring folder, std::wstring printFolder);

    std::deque<Answer> answers;

    std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                          const std::wstring& defaultText) override;
    MsgResult MsgBox(const std::wstring& text, MsgButtons buttons, int defaultButton,
                     const std::wstring& title) override;
    std::optional<std::wstring> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::wstring> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<FontChoice> FontDialog(FontKind kind, const FontChoice& current) override;
    bool PrinterDialog() override;
    bool Print(const PrintJob& job) override;
    void Beep() override;
    Date Today() override { return today_; }
    long SecondsSinceMidnight() override { return seconds_; }
    std::wstring ProgramFolder() override { return folder_; }
    // The accounts stay in the program's folder unless yzo.INI names another,
    // so that a run touches nothing outside it.
    std::wstring InstalledDataFolder() override { return installedData; }
    std::wstring installedData;  // share/yzo of an installed yzo-script, when no folder is given
    void EndProgram() override;
    void StatusChanged(const std::wstring& text) override;
    void TitleChanged(const std::wstring& title) override;

    void line(const std::wstring& text);

private:
    Answer take(const char* dialog);
    std::ostream& out_;
    Date today_;
    long seconds_;
    std::wstring folder_;
    std::wstring printFolder_;
    int printCount_ = 0;
};
