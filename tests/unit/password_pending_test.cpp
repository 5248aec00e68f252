// An account waiting for its password has no lines in memory: no command may
// write it, copy into it, switch to it or close it as if it were loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const std::wstring R(1, RS);

std::string readBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::wstring header(const std::wstring& title, const std::wstring& password) {
    return L" 1 12026 S" + R + title + R + L"0" + R + L"0" + R + L"EUROS" + R + L"1" + password;
}

std::wstring operation(const std::wstring& objet) {
    return L" 2 12026 RVente" + R + objet + R + L"10" + R + L"0" + R;
}

struct TwoAccounts {
    fs::path dir;
    std::wstring plain, locked;
    std::string plainBytes, lockedBytes;
    TestPlatform p;
    MainForm form{p};

    TwoAccounts() {
        char tmpl[] = "/tmp/yzo-pending-XXXXXX";
        dir = mkdtemp(tmpl);
        p.folder = fromUtf8(dir.string());
        plain = fromUtf8((dir / "plain.yzo").string());
        locked = fromUtf8((dir / "locked.yzo").string());
        writeTextLines(plain, {header(L"PLAIN", L""), operation(L"PLAIN")});
        writeTextLines(locked, {header(L"LOCKED", cryptage(L"sel")), operation(L"LOCKED")});
        plainBytes = readBytes(dir / "plain.yzo");
        lockedBytes = readBytes(dir / "locked.yzo");
    }
    ~TwoAccounts() { fs::remove_all(dir); }

    void typePassword(const std::wstring& text) {
        form.w.txtPasse.text = text;
        form.KeyDown(L"txtPasse", KeyEvent{kKeyEnter});
    }
    bool filesUnchanged() {
        return readBytes(dir / "plain.yzo") == plainBytes && readBytes(dir / "locked.yzo") == lockedBytes &&
               !fs::exists(dir / "locked.bak");
    }
};

std::vector<std::wstring> enabledEntries(const WindowModel& w) {
    std::vector<std::wstring> names;
    for (const MenuEntry& m : w.menus)
        if (m.enabled) names.push_back(m.name);
    return names;
}
}  // namespace

TEST(PasswordPending, EveryMenuCommandButQuitIsOffAndDoesNothing) {
    TwoAccounts t;
    t.form.Form_Load(t.plain);
    std::vector<bool> before;
    for (const MenuEntry& m : t.form.w.menus) before.push_back(m.enabled);
    t.p.files.push_back(t.locked);
    t.form.MenuCommand(L"mnuOuvrirItem");
    ASSERT_TRUE(t.form.passwordDialogShown());
    EXPECT_EQ(enabledEntries(t.form.w), std::vector<std::wstring>{L"mnuQuitterItem"});

    // Whatever a front-end sends, nothing is written, asked or switched.
    std::vector<MenuEntry> entries = t.form.w.menus;
    for (const MenuEntry& m : entries)
        if (m.name != L"mnuQuitterItem") t.form.MenuCommand(m.name, m.index);
    EXPECT_EQ(t.form.acc.currentDoc, 2);
    EXPECT_EQ(t.form.acc.openCount, 2);
    EXPECT_TRUE(t.p.boxes.empty()) << toUtf8(t.p.boxes.front());
    EXPECT_TRUE(t.filesUnchanged());
    // The save path itself refuses a slot whose lines were never read.
    EXPECT_FALSE(t.form.rangefichierYzo());
    EXPECT_TRUE(t.filesUnchanged());
    EXPECT_EQ(t.form.acc.operationCount(), 0);  // none of the other account's lines

    // The right password reads the account's own lines and gives the menus back.
    t.typePassword(L"sel");
    ASSERT_FALSE(t.form.passwordDialogShown());
    ASSERT_EQ(t.form.acc.operationCount(), 1);
    EXPECT_EQ(t.form.acc.operationLines[1].text, operation(L"LOCKED"));
    std::vector<bool> after;
    for (const MenuEntry& m : t.form.w.menus) after.push_back(m.enabled);
    EXPECT_EQ(after, before);
    t.form.MenuCommand(L"mnuEnregistrer");
    std::vector<std::wstring> saved = readTextLines(t.locked);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[1], operation(L"LOCKED"));
    AccountHeader h = convertit_ChaineConfiguration(saved[0]);
    EXPECT_EQ(h.title, L"LOCKED");
    EXPECT_EQ(h.password, cryptage(L"sel"));
}

TEST(PasswordPending, AtLaunchSavingIsRefusedAndQuittingLeavesTheFileWhole) {
    TwoAccounts t;
    t.form.Form_Load(t.locked);
    ASSERT_TRUE(t.form.passwordDialogShown());
    // A front-end that sent the save anyway, and the key of the save.
    t.form.MenuCommand(L"mnuEnregistrer");
    t.form.KeyDown(L"txtPasse", KeyEvent{keyLetter('S'), false, true});
    EXPECT_EQ(t.form.enregistrersous(), false);
    EXPECT_TRUE(t.filesUnchanged());
    t.typePassword(L"mauvais");
    EXPECT_TRUE(t.form.passwordDialogShown());
    t.form.MenuCommand(L"mnuQuitterItem");
    EXPECT_TRUE(t.form.ended());
    EXPECT_TRUE(t.filesUnchanged());
}

TEST(PasswordPending, QuittingBesideAModifiedAccountSavesThatOneOnly) {
    TwoAccounts t;
    t.form.Form_Load(t.plain);
    t.form.acc.operationLines.push_back({operation(L"AJOUT"), 0});
    t.form.markModified();
    t.p.files.push_back(t.locked);
    t.form.MenuCommand(L"mnuOuvrirItem");
    ASSERT_TRUE(t.form.passwordDialogShown());
    EXPECT_EQ(t.form.acc.operationCount(), 0);
    t.p.replies.push_back(MsgResult::Yes);  // enregistrer sur plain.yzo ?
    t.form.MenuCommand(L"mnuQuitterItem");
    EXPECT_TRUE(t.form.ended());
    EXPECT_TRUE(t.p.replies.empty());
    EXPECT_EQ(readTextLines(t.plain).size(), 3u);
    EXPECT_EQ(readBytes(t.dir / "locked.yzo"), t.lockedBytes);
}

TEST(PasswordPending, GivingUpTheNewAccountBringsBackTheOtherWithItsLines) {
    TwoAccounts t;
    t.form.Form_Load(t.plain);
    t.p.files.push_back(t.locked);
    t.form.MenuCommand(L"mnuOuvrirItem");
    t.form.KeyDown(L"txtPasse", KeyEvent{kKeyEscape});
    EXPECT_FALSE(t.form.passwordDialogShown());
    EXPECT_EQ(t.form.acc.openCount, 1);
    ASSERT_EQ(t.form.acc.operationCount(), 1);
    EXPECT_EQ(t.form.acc.operationLines[1].text, operation(L"PLAIN"));
    EXPECT_TRUE(t.form.w.entry(L"mnuEnregistrer").enabled);
    t.form.MenuCommand(L"mnuEnregistrer");
    EXPECT_EQ(readTextLines(t.plain)[1], operation(L"PLAIN"));
    EXPECT_EQ(readBytes(t.dir / "locked.yzo"), t.lockedBytes);
}
