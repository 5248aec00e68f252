// Key-help mode: every menu entry only says what it does, and changes nothing:
// not the display, not the accounts in memory, not a file on disk, and opens
// no dialog.
#include <map>

#include "support.h"

namespace {
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
    for (const auto& e : fs::directory_iterator(fsPath(folder)))
        files[e.path().filename().string()] = readBytes(e.path());
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
    TempFolder dir;
    std::wstring folder = dir.name();
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        // A bank-code account with TVA, a traite due next year and a few
        // operations, and a second account beside it.
        writeTextLines(folder + L"banque.yzo", {L" 1 12026TT" + fields({L"", L"BANQUE", L"0", L"0", L"EUROS", L"4"}),
                                                L" 5 12027 T" + fields({L"LOYER", L"AGENCE", L"-600", L"0", L"1"}),
                                                L" 2 12026 DLOYER" + fields({L"AGENCE", L"-600", L"10", L"4713"}),
                                                L" 3 12026/RSALAIRE" + fields({L"EMPLOYEUR", L"1500", L"0", L""}),
                                                L" 4 12026 BBanque" + fields({L"Banque", L"2000", L"0", L""})});
        writeTextLines(folder + L"autre.yzo", {L" 1 12026 S" + fields({L"", L"AUTRE", L"0", L"0", L"EUROS", L"1"}),
                                               L" 2 12026 DCOURSES" + fields({L"MARCHE", L"-20", L"0", L"ES"})});
        writeTextLines(folder + L"Tva.txt", {L"20", L"5,5"});
        writeTextLines(folder + L"Rubrique.ope", {L"D LOYER", L"R SALAIRE"});
        tp.folder = folder;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(folder + L"autre.yzo");
        tp.files.push_back(folder + L"banque.yzo");
        form->MenuCommand(L"mnuOuvrirItem");
    }

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
        for (size_t i = 1; i < form->acc.operationLines.size(); ++i)
            s.lines.push_back(form->acc.operationLines[i].text);
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
