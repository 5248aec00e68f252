// Key-help mode: every menu entry and every key of the ledger only says what it
// does (or "aucune fonction"), and changes nothing: not the display, not the
// accounts in memory, not a file on disk, and opens no dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const wchar_t RSs[] = {RS, 0};

std::wstring field(std::initializer_list<std::wstring> parts) {
    std::wstring s;
    bool first = true;
    for (const std::wstring& p : parts) {
        if (!first) s += RSs;
        s += p;
        first = false;
    }
    return s;
}

// Everything a key must leave as it was.
struct Snapshot {
    std::wstring ledger, title, focus;
    bool ledgerShown = false, listShown = false, notepadShown = false;
    int currentDoc = 0, openCount = 0;
    std::vector<std::wstring> lines;
    std::vector<bool> modified;
    std::vector<std::wstring> config;
    std::map<std::string, std::string> files;
    size_t boxes = 0, printed = 0;
    int beeps = 0;
    bool ended = false;
    bool operator==(const Snapshot&) const = default;
};

std::map<std::string, std::string> folderFiles(const std::wstring& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(fsPath(folder))) {
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        files[e.path().filename().string()] = s.str();
    }
    return files;
}

// Names the parts of two snapshots that differ.
std::string differences(const Snapshot& a, const Snapshot& b) {
    std::string d;
    if (a.ledger != b.ledger) d += " ledger";
    if (a.title != b.title) d += " title";
    if (a.focus != b.focus) d += " focus(" + toUtf8(b.focus) + ")";
    if (a.ledgerShown != b.ledgerShown || a.listShown != b.listShown || a.notepadShown != b.notepadShown) d += " shown";
    if (a.currentDoc != b.currentDoc || a.openCount != b.openCount) d += " accounts";
    if (a.lines != b.lines) d += " lines";
    if (a.modified != b.modified) d += " modified";
    if (a.config != b.config) d += " config";
    if (a.files != b.files) d += " files";
    if (a.boxes != b.boxes) d += " dialog";
    if (a.printed != b.printed) d += " printed";
    if (a.beeps != b.beeps) d += " beep";
    if (a.ended != b.ended) d += " ended";
    return d;
}

class KeyHelp : public ::testing::Test {
protected:
    std::wstring folder;
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        char tmpl[] = "/tmp/yzo-keyhelp-XXXXXX";
        folder = fromUtf8(mkdtemp(tmpl)) + L"/";
        // A bank-code account with TVA, a traite due next year and a few
        // operations, and a second account beside it.
        writeTextLines(folder + L"banque.yzo",
                       {L" 1 12026TT" + field({L"", L"BANQUE", L"0", L"0", L"EUROS", L"4"}),
                        L" 5 12027 T" + field({L"LOYER", L"AGENCE", L"-600", L"0", L"1"}),
                        L" 2 12026 DLOYER" + field({L"AGENCE", L"-600", L"10", L"4713"}),
                        L" 3 12026/RSALAIRE" + field({L"EMPLOYEUR", L"1500", L"0", L""}),
                        L" 4 12026 BBanque" + field({L"Banque", L"2000", L"0", L""})});
        writeTextLines(folder + L"autre.yzo",
                       {L" 1 12026 S" + field({L"", L"AUTRE", L"0", L"0", L"EUROS", L"1"}),
                        L" 2 12026 DCOURSES" + field({L"MARCHE", L"-20", L"0", L"ES"})});
        writeTextLines(folder + L"Tva.txt", {L"20", L"5,5"});
        writeTextLines(folder + L"Rubrique.ope", {L"D LOYER", L"R SALAIRE"});
        tp.folder = folder;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(folder + L"autre.yzo");
        tp.files.push_back(folder + L"banque.yzo");
        form->MenuCommand(L"mnuOuvrirItem");
    }
    void TearDown() override { fs::remove_all(fsPath(folder)); }

    Snapshot snapshot() const {
        Snapshot s;
        s.ledger = form->w.txt.text;
        s.title = form->w.title;
        s.focus = form->w.focus;
        s.ledgerShown = form->w.txt.visible;
        s.listShown = form->w.Liste.visible;
        s.notepadShown = form->w.RtbNote.visible;
        s.currentDoc = form->acc.currentDoc;
        s.openCount = form->acc.openCount;
        for (size_t i = 1; i < form->acc.operationLines.size(); ++i) s.lines.push_back(form->acc.operationLines[i].text);
        for (size_t i = 1; i < form->acc.pensionLines.size(); ++i) s.lines.push_back(form->acc.pensionLines[i].text);
        s.modified.assign(form->acc.modified.begin(), form->acc.modified.end());
        s.config.assign(form->app.config.begin(), form->app.config.end());
        s.files = folderFiles(folder);
        s.boxes = tp.boxes.size();
        s.printed = tp.printed.size();
        s.beeps = tp.beeps;
        s.ended = tp.endCalled;
        return s;
    }

    // What one command said, or a failure naming it when it said nothing or changed something.
    void expectOnlySaid(const std::string& what, const Snapshot& before, size_t said) {
        ASSERT_GT(tp.messages.size(), said) << what << " said nothing";
        const std::wstring text = tp.messages.back();
        EXPECT_FALSE(text.find_first_not_of(L' ') == std::wstring::npos) << what << " said an empty message";
        const Snapshot after = snapshot();
        EXPECT_TRUE(after == before) << what << " changed in key-help mode:" << differences(before, after);
        EXPECT_TRUE(form->app.keyHelp) << what << " left key-help mode";
    }
};

bool isHelpToggle(const MenuEntry& m) { return m.name == L"mnuAideToucheItem"; }
}  // namespace

TEST_F(KeyHelp, EveryMenuEntrySaysItsLabelAndChangesNothing) {
    form->MenuCommand(L"mnuAideToucheItem");
    ASSERT_TRUE(form->app.keyHelp);
    const std::vector<MenuEntry> entries = form->w.menus;
    int tried = 0;
    for (const MenuEntry& m : entries) {
        if (!m.visible || isHelpToggle(m)) continue;
        const std::string what = toUtf8(m.name) + " " + std::to_string(m.index);
        const Snapshot before = snapshot();
        const size_t said = tp.messages.size();
        form->app.keyDescribed = false;
        form->MenuCommand(m.name, m.index);
        expectOnlySaid(what, before, said);
        EXPECT_NE(trim(tp.messages.back()), L"aucune fonction") << what;
        ++tried;
    }
    EXPECT_GT(tried, 60);
    // Leaving the mode names the account and shows its ledger again.
    const size_t said = tp.messages.size();
    form->MenuCommand(L"mnuAideToucheItem");
    EXPECT_FALSE(form->app.keyHelp);
    ASSERT_GT(tp.messages.size(), said);
    EXPECT_EQ(trim(tp.messages[said]), L"banque.yzo");
    EXPECT_TRUE(form->w.txt.visible);
    EXPECT_NE(form->w.txt.text.find(L"LOYER"), std::wstring::npos);
}

TEST_F(KeyHelp, EveryKeyOfTheLedgerSaysWhatItDoesOrThatItHasNone) {
    form->MenuCommand(L"mnuAideToucheItem");
    ASSERT_TRUE(form->app.keyHelp);
    std::vector<int> codes = {kKeyEnter, kKeySpace, kKeyDelete, kKeyBackspace, kKeyNumDivide, kKeyNumMultiply,
                              kKeyOem191, kKeyOem220};
    for (char c = 'A'; c <= 'Z'; ++c) codes.push_back(keyLetter(c));
    for (int d = 0; d <= 9; ++d) codes.push_back(kKey0 + d);
    for (int f = 2; f <= 12; ++f) codes.push_back(keyF(f));  // F1 leaves the mode
    int described = 0, without = 0;
    for (int code : codes) {
        for (int mods = 0; mods < 4; ++mods) {
            KeyEvent k{code, (mods & 1) != 0, (mods & 2) != 0};
            const std::string what = "key " + std::to_string(code) + (k.shift ? " shift" : "") + (k.ctrl ? " ctrl" : "");
            const Snapshot before = snapshot();
            const size_t said = tp.messages.size();
            form->app.keyDescribed = false;
            if (MenuEntry* m = form->w.menuForKey(k)) form->MenuCommand(m->name, m->index);
            else form->KeyDown(L"txt", k);
            expectOnlySaid(what, before, said);
            (trim(tp.messages.back()) == L"aucune fonction" ? without : described)++;
        }
    }
    // Most keys of the ledger have a command; some combinations have none.
    EXPECT_GT(described, 60);
    EXPECT_GT(without, 10);
}
