// What the unit tests share: a platform whose dialogs answer from queues and
// that records everything, a temporary folder that removes itself, a byte
// reader and writer, the field separator and builders of stored lines, and a
// fixture that starts the program in a program folder of its own.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "app/platform.h"
#include "app/textfile.h"

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
    static T next(std::deque<T>& queue, const char* what) {
        if (queue.empty()) throw UnexpectedDialog{std::string("unexpected ") + what};
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// The field separator of a stored line.
inline const std::wstring kSep(1, RS);

// The texts joined by the field separator.
inline std::wstring fields(std::initializer_list<std::wstring> parts) {
    std::wstring s;
    for (const std::wstring& p : parts) s += p + kSep;
    if (!s.empty()) s.pop_back();
    return s;
}

// The header line of an account: its type letter, unit, TVA column and title.
inline std::wstring headerLine(wchar_t type = L'S', const std::wstring& unit = L"EUROS", bool tva = false,
                               const std::wstring& title = L"ESSAI") {
    return std::wstring(L" 1 12026") + (tva ? L'T' : L' ') + type + fields({L"", title, L"0", L"0", unit, L"0"});
}

// An operation line: its stored date (" 2 12026"), code letter and fields.
inline std::wstring operationLine(const std::wstring& date, wchar_t code, const std::wstring& rubrique,
                                  const std::wstring& objet, const std::wstring& amount, const std::wstring& tva = L"0",
                                  const std::wstring& numero = L"") {
    return date + L" " + code + fields({rubrique, objet, amount, tva, numero});
}

// The bytes of a file, empty when it cannot be read.
inline std::string readBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void writeBytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// A fresh folder under /tmp, removed with all it holds (made writable first).
struct TempFolder {
    fs::path path;
    TempFolder() {
        char tmpl[] = "/tmp/yzo-test-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempFolder() {
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(path, ec))
            if (e.is_directory(ec) && !e.is_symlink(ec)) fs::permissions(e.path(), fs::perms::owner_all, ec);
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder as the program names it, with its final slash.
    std::wstring name() const { return fromUtf8(path.string()) + L"/"; }
    std::wstring file(const std::wstring& leaf) const { return name() + leaf; }
};

// The program started in a program folder of its own on the account it holds.
class ProgramFolder : public ::testing::Test {
protected:
    TempFolder dir;
    std::wstring folder = dir.name();
    std::wstring account = folder + L"compte.yzo";
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    // Writes the account's lines, when given, and starts the program on the
    // account when its file is there, else on no account.
    void start(const std::vector<std::wstring>& lines = {}) {
        if (!lines.empty()) writeTextLines(account, lines);
        tp.folder = folder;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(fs::exists(fsPath(account)) ? account : L"");
    }
    // Chooses a row of the list on screen, as Enter does.
    void chooseRow(int row) {
        form->w.Liste.selected = row;
        form->KeyPress(L"Liste", L'\r');
    }
    std::wstring lastMessage() const { return tp.messages.empty() ? L"" : tp.messages.back(); }
};
