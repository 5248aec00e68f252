// A platform for unit tests: dialogs answered from queues, everything recorded.
#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"

class TestPlatform : public Platform {
public:
    Date today = dateFromYMD(2026, 12, 6);
    std::wstring folder = L".";
    std::deque<std::wstring> inputs;                      // input box answers
    std::deque<MsgResult> replies;                        // Yes/No(/Cancel) answers
    std::deque<std::optional<std::wstring>> files;        // open/save dialog answers
    std::vector<std::wstring> boxes;                      // every message box text, in order
    std::vector<std::wstring> messages;                   // every status message, in order
    std::vector<PrintJob> printed;
    bool printerWorks = true;                             // what Print answers
    int beeps = 0;
    bool endCalled = false;

    std::wstring InputBox(const std::wstring& prompt, const std::wstring&, const std::wstring&) override {
        boxes.push_back(L"input: " + prompt);
        return next(inputs, "input box");
    }
    MsgResult MsgBox(const std::wstring& text, MsgButtons buttons, int, const std::wstring&) override {
        boxes.push_back(text);
        if (buttons == MsgButtons::Ok) return MsgResult::Ok;
        return next(replies, "message box");
    }
    std::optional<std::wstring> OpenFileDialog(const FileDialogRequest&) override { return next(files, "open dialog"); }
    std::optional<std::wstring> SaveFileDialog(const FileDialogRequest&) override { return next(files, "save dialog"); }
    std::optional<FontChoice> FontDialog(FontKind, const FontChoice&) override { return std::nullopt; }
    bool PrinterDialog() override { return true; }
    bool Print(const PrintJob& job) override {
        printed.push_back(job);
        return printerWorks;
    }
    void Beep() override { ++beeps; }
    Date Today() override { return today; }
    long SecondsSinceMidnight() override { return 36000; }
    std::wstring ProgramFolder() override { return folder; }
    void EndProgram() override { endCalled = true; }
    void StatusChanged(const std::wstring& text) override { messages.push_back(text); }
    void TitleChanged(const std::wstring&) override {}

private:
    // A dialog the test did not expect. Not a std::exception, so that the
    // program's handlers do not take it for one of its own errors.
    struct UnexpectedDialog {
        std::string what;
    };
    template <typename T>
    static T next(std::deque<T>& queue, const char* what) {
        if (queue.empty()) throw UnexpectedDialog{std::string("unexpected ") + what};
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};
