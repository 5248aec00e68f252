// What the unit tests share: the platform and the byte reader and writer of
// test_platform.h, a temporary folder that removes itself, the field
// separator and builders of stored lines, and a fixture that starts the
// program in a program folder of its own.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

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

// An operation line: its stored date (" 2 12026"), code letter, fields and
// flag (' ', '/' registered, '*' marked).
inline std::wstring operationLine(const std::wstring& date, wchar_t code, const std::wstring& rubrique,
                                  const std::wstring& objet, const std::wstring& amount, const std::wstring& tva = L"0",
                                  const std::wstring& numero = L"", wchar_t flag = L' ') {
    return date + flag + code + fields({rubrique, objet, amount, tva, numero});
}

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
        ASSERT_EQ(form->w.focus, L"Liste");
        form->w.Liste.selected = row;
        form->KeyPress(L"Liste", L'\r');
    }
    std::wstring lastMessage() const { return tp.messages.empty() ? L"" : tp.messages.back(); }
};
