// Key-help mode: every menu entry only says what it does, and changes nothing:
// not the display, not the accounts in memory, not a file on disk, and opens
// no dialog.
#include <map>

#include "support.h"

namespace {
// One line of a snapshot: its name and what it holds.
template <typename T>
std::string part(const char* name, const T& value) {
    return std::string(name) + ": " + ::testing::PrintToString(value) + "\n";
}

// The texts one a line: whole, where gtest would print 32 items of a list.
std::wstring joined(const auto& texts) {
    std::wstring all;
    for (const std::wstring& t : texts) all += t + L"\n";
    return all;
}

class KeyHelp : public ProgramFolder {
protected:
    void SetUp() override {
        // A bank-code account with TVA, a traite due next year and a few
        // operations, and a second account beside it.
        writeTextLines(folder + L"banque.yzo", {L" 1 12026TT" + fields({L"", L"BANQUE", L"0", L"0", L"EUROS", L"4"}),
                                                L" 5 12027 T" + fields({L"LOYER", L"AGENCE", L"-600", L"0", L"1"}),
                                                L" 2 12026 DLOYER" + fields({L"AGENCE", L"-600", L"10", L"4713"}),
                                                L" 3 12026/RSALAIRE" + fields({L"EMPLOYEUR", L"1500", L"0", L""}),
                                                L" 4 12026 BBanque" + fields({L"Banque", L"2000", L"0", L""})});
        writeTextLines(folder + L"Tva.txt", {L"20", L"5,5"});
        writeTextLines(folder + L"Rubrique.ope", {L"D LOYER", L"R SALAIRE"});
        start({L" 1 12026 S" + fields({L"", L"AUTRE", L"0", L"0", L"EUROS", L"1"}),
               L" 2 12026 DCOURSES" + fields({L"MARCHE", L"-20", L"0", L"ES"})});
        tp.files.push_back(folder + L"banque.yzo");
        form->MenuCommand(L"mnuOuvrirItem");
    }

    // Everything a key must leave as it was, one part a line, so that a
    // failure shows the parts that changed.
    std::string snapshot() const {
        std::vector<std::wstring> lines;
        for (size_t i = 1; i < form->acc.operationLines.size(); ++i) lines.push_back(form->acc.operationLines[i].text);
        for (size_t i = 1; i < form->acc.pensionLines.size(); ++i) lines.push_back(form->acc.pensionLines[i].text);
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(fsPath(folder)))
            files[e.path().filename().string()] = readBytes(e.path());
        const WindowModel& w = form->w;
        return part("ledger", w.txt.text) + part("title", w.title) + part("focus", w.focus) +
               part("shown", std::vector<bool>{w.txt.visible, w.Liste.visible, w.RtbNote.visible}) +
               part("accounts", std::pair{form->acc.currentDoc, form->acc.openCount}) + part("lines", joined(lines)) +
               part("modified", std::vector<bool>(form->acc.modified.begin(), form->acc.modified.end())) +
               part("config", joined(form->app.config)) + part("files", files) + part("dialogs", tp.boxes.size()) +
               part("printed", tp.printed.size()) + part("beeps", tp.beeps) + part("ended", tp.endCalled);
    }

    // What one command said, or a failure naming it when it said nothing or changed something.
    void expectOnlySaid(const std::string& what, const std::string& before, size_t said) {
        ASSERT_GT(tp.messages.size(), said) << what << " said nothing";
        const std::wstring text = tp.messages.back();
        EXPECT_FALSE(text.find_first_not_of(L' ') == std::wstring::npos) << what << " said an empty message";
        EXPECT_EQ(snapshot(), before) << what << " changed in key-help mode";
        EXPECT_TRUE(form->app.keyHelp) << what << " left key-help mode";
    }
};
}  // namespace

TEST_F(KeyHelp, EveryMenuEntrySaysItsLabelAndChangesNothing) {
    form->MenuCommand(L"mnuAideToucheItem");
    ASSERT_TRUE(form->app.keyHelp);
    const std::vector<MenuEntry> entries = form->w.menus;
    int tried = 0;
    for (const MenuEntry& m : entries) {
        if (!m.visible || m.name == L"mnuAideToucheItem") continue;  // the entry that leaves the mode
        const std::string what = toUtf8(m.name) + " " + std::to_string(m.index);
        const std::string before = snapshot();
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
