// Key-help mode: every menu entry and every key of the ledger only says what it
// does (or "aucune fonction"), and changes nothing: not the display, not the
// accounts in memory, not a file on disk, and opens no dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
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

// The shipped list of keys (touche.txt) against the program. A line "KEYS : label"
// names one key or several joined by " ou "; the label is what key-help mode says
// for each of them. Other lines are headings and notes; a heading that starts with
// "Dans les traites et pensions" puts the following keys in that view.
namespace {
// One key of the list: a key of the ledger, or Alt and a button's letter.
struct ListedKey {
    KeyEvent key;
    wchar_t button = 0;  // the letter after Alt, 0 for a key of the ledger
};

const std::wstring kLabelSeparator = L" : ";
const std::wstring kKeySeparator = L" ou ";
const std::wstring kPensionHeading = L"Dans les traites et pensions";
// At least this many keys are named, so that a list cut short is noticed.
constexpr int kFewestListedKeys = 60;

// The key named by text after its modifiers, or 0.
int keyCode(const std::wstring& name, bool& shift) {
    static const std::map<std::wstring, int> named = {
        {L"Espace", kKeySpace}, {L"Entrée", kKeyEnter}, {L"Suppr", kKeyDelete},
        {L"Flèche haut", kKeyUp}, {L"Flèche bas", kKeyDown}, {L"*", kKeyOem220},
        {L"/ du pavé numérique", kKeyNumDivide}, {L"* du pavé numérique", kKeyNumMultiply}};
    if (name == L"/") {  // typed as on a French keyboard, with Shift on the ":" key
        shift = true;
        return kKeyOem191;
    }
    if (auto it = named.find(name); it != named.end()) return it->second;
    if (name.size() == 1 && name[0] >= L'A' && name[0] <= L'Z') return keyLetter(char(name[0]));
    if (name.size() >= 2 && name[0] == L'F' && name.find_first_not_of(L"0123456789", 1) == std::wstring::npos) {
        int n = std::stoi(name.substr(1));
        if (n >= 1 && n <= 12) return keyF(n);
    }
    return 0;
}

// One key as the list writes it ("Maj Ctrl F9", "Alt C", "/ du pavé numérique").
std::optional<ListedKey> parseKey(std::wstring text) {
    ListedKey k;
    bool alt = false;
    for (;;) {
        if (text.rfind(L"Maj ", 0) == 0) k.key.shift = true;
        else if (text.rfind(L"Ctrl ", 0) == 0) k.key.ctrl = true;
        else if (text.rfind(L"Alt ", 0) == 0) alt = true;
        else break;
        text.erase(0, text.find(L' ') + 1);
    }
    if (alt) {
        if (text.size() != 1 || k.key.shift || k.key.ctrl) return std::nullopt;
        k.button = text[0];
        return k;
    }
    k.key.code = keyCode(text, k.key.shift);
    if (k.key.code == 0) return std::nullopt;
    return k;
}

std::vector<std::wstring> splitOn(const std::wstring& text, const std::wstring& separator) {
    std::vector<std::wstring> parts;
    size_t start = 0, at;
    while ((at = text.find(separator, start)) != std::wstring::npos) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A text with its runs of blanks made one and its ends trimmed: a screen reader
// says "a  b" as "a b".
std::wstring spoken(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : trim(text))
        if (c != L' ' || out.empty() || out.back() != L' ') out += c;
    return out;
}
}  // namespace

TEST_F(KeyHelp, EveryKeyOfTheKeyListSaysTheLabelTheListGives) {
    const std::vector<std::wstring> lines = readTextLines(fromUtf8(YZO_DEFAULT_LISTS) + L"/touche.txt");
    const MenuEntry* toggle = nullptr;
    for (const MenuEntry& m : form->w.menus)
        if (isHelpToggle(m)) toggle = &m;
    ASSERT_NE(toggle, nullptr);
    const KeyEvent toggleKey{toggle->shortcut.key, toggle->shortcut.shift, toggle->shortcut.ctrl};

    // Shows the ledger or the traites and pensions, then turns key-help mode on.
    auto enterView = [&](bool pensions) {
        if (form->app.keyHelp) form->MenuCommand(L"mnuAideToucheItem");
        if (pensions) form->MenuCommand(L"MnuPension");
        else form->KeyDown(L"txt", KeyEvent{kKeyEscape});
        form->MenuCommand(L"mnuAideToucheItem");
        ASSERT_TRUE(form->app.keyHelp);
    };
    // What one key says in key-help mode; a failure when it changed anything.
    auto press = [&](const ListedKey& k, const std::string& what) -> std::wstring {
        const Snapshot before = snapshot();
        const size_t said = tp.messages.size();
        form->app.keyDescribed = false;
        if (k.button) {
            std::wstring accelerator = std::wstring(L"&") + k.button;
            const char* names[] = {"CmdYzo", "CmdCreation", "CmdModifLigne", "CmdQuitter"};
            const Control* found = nullptr;
            for (const char* name : names) {
                const Control* c = form->w.control(fromUtf8(name));
                if (c && c->visible && upperCase(c->text).find(accelerator) != std::wstring::npos) found = c;
            }
            if (!found) {
                ADD_FAILURE() << what << ": no button has this letter";
                return L"";
            }
            form->Click(found->name);
        } else if (MenuEntry* m = form->w.menuForKey(k.key)) {
            form->MenuCommand(m->name, m->index);
        } else {
            form->KeyDown(L"txt", k.key);
        }
        expectOnlySaid(what, before, said);
        return tp.messages.size() > said ? tp.messages.back() : L"";
    };

    enterView(false);
    std::vector<KeyEvent> listed;  // every key of the ledger the list names
    int walked = 0, inPensions = 0;
    bool pensions = false;
    for (const std::wstring& line : lines) {
        const size_t colon = line.find(kLabelSeparator);
        if (colon == std::wstring::npos) {
            // A heading or a note; a heading may change the view the keys act in.
            bool isPensionHeading = line.rfind(kPensionHeading, 0) == 0;
            if (isPensionHeading != pensions || !form->app.keyHelp) {
                pensions = isPensionHeading;
                enterView(pensions);
            }
            continue;
        }
        const std::wstring label = spoken(line.substr(colon + kLabelSeparator.size()));
        for (const std::wstring& name : splitOn(line.substr(0, colon), kKeySeparator)) {
            const std::string what = toUtf8(name) + " (" + toUtf8(line) + ")";
            std::optional<ListedKey> key = parseKey(name);
            if (!key) {
                ADD_FAILURE() << "touche.txt names a key this test does not know: " << what;
                continue;
            }
            ++walked;
            if (pensions) ++inPensions;
            if (!key->button) listed.push_back(key->key);
            if (!key->button && key->key.code == toggleKey.code && key->key.shift == toggleKey.shift &&
                key->key.ctrl == toggleKey.ctrl) {
                // The key-help key itself: pressed outside the mode, it says the mode's name.
                form->MenuCommand(L"mnuAideToucheItem");
                const size_t said = tp.messages.size();
                form->MenuCommand(form->w.menuForKey(key->key)->name);
                ASSERT_GT(tp.messages.size(), said);
                EXPECT_EQ(spoken(tp.messages.back()), label) << what;
                EXPECT_TRUE(form->app.keyHelp) << what;
                continue;
            }
            EXPECT_EQ(spoken(press(*key, what)), label) << what;
        }
    }
    EXPECT_GE(walked, kFewestListedKeys);
    EXPECT_GT(inPensions, 0) << "no key of the traites and pensions view was walked";
    // And the list leaves out no menu shortcut.
    for (const MenuEntry& m : form->w.menus) {
        bool named = std::any_of(listed.begin(), listed.end(), [&](const KeyEvent& k) { return m.shortcut.matches(k); });
        EXPECT_TRUE(m.shortcut.key == 0 || named) << "touche.txt does not name the shortcut of " << toUtf8(m.name);
    }
}
