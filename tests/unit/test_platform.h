// A platform whose dialogs answer from queues and that records everything,
// and a byte reader and writer: for the unit tests and the fuzz targets.
#pragma once
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"

namespace fs = std::filesystem;

class TestPlatform : public Platform {
public:
    Date today = dateFromYMD(2026, 12, 6);
    std::wstring folder = L".";
    std::deque<std::wstring> inputs;                // input box answers
    std::deque<MsgResult> replies;                  // Yes/No(/Cancel) answers
    std::deque<std::optional<std::wstring>> files;  // open/save dialog answers
    std::vector<std::wstring> boxes;                // every message box text, in order
    std::vector<std::wstring> messages;             // every status message, in order
    std::vector<PrintJob> printed;
    std::deque<std::optional<FontChoice>> fonts;  // font dialog answers
    ScreenReaderRoots roots;                      // where screen readers keep their files
    std::wstring installedData;                   // share/yzo of an installed program, or empty
    bool printerWorks = true;                     // what Print answers
    int beeps = 0;
    bool endCalled = false;
    // When set, no one is at the keyboard: a dialog with no answer queued is
    // cancelled, and a question with none gets this answer.
    std::optional<MsgResult> unattended;

    std::wstring InputBox(const std::wstring& prompt, const std::wstring&, const std::wstring&) override {
        boxes.push_back(L"input: " + prompt);
        return next(inputs, "input box");
    }
    MsgResult MsgBox(const std::wstring& text, MsgButtons buttons, int, const std::wstring&) override {
        boxes.push_back(text);
        if (buttons == MsgButtons::Ok) return MsgResult::Ok;
        return next(replies, "message box", unattended.value_or(MsgResult::No));
    }
    std::optional<std::wstring> OpenFileDialog(const FileDialogRequest&) override { return next(files, "open dialog"); }
    std::optional<std::wstring> SaveFileDialog(const FileDialogRequest&) override { return next(files, "save dialog"); }
    std::optional<FontChoice> FontDialog(FontKind, const FontChoice&) override { return next(fonts, "font dialog"); }
    ScreenReaderRoots ScreenReaderFolders() override { return roots; }
    std::wstring InstalledDataFolder() override { return installedData; }
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
    T next(std::deque<T>& queue, const char* what, T unattendedAnswer = {}) {
        if (queue.empty() && unattended) return unattendedAnswer;
        if (queue.empty()) throw UnexpectedDialog{std::string("unexpected ") + what};
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// The bytes of a file, empty when it cannot be read.
inline std::string readBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void writeBytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
