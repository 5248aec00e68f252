// The copy of the Orca script: where it comes from, where it goes, what is said.
#include <cstdlib>
#include <optional>

#include "extras/orca.h"
#include "support.h"

namespace {
// A script with UTF-8 letters and LF line ends, which the copy must keep as they are.
const std::string kScript = "# Opérations\nSTATUS = \"Message\"\n";
const std::string kInstalledScript = "# installed\n";

// A program folder holding the script, Orca's data folder in the test folder.
class OrcaScriptCopy : public ::testing::Test {
protected:
    void SetUp() override {
        program = dir.path / "programme";
        share = dir.path / "usr" / "share" / "yzo";
        // A new user: no Orca folder at all under the data folder.
        scripts = dir.path / "data" / "orca" / "orca-scripts";
        fs::create_directories(program);
        fs::create_directories(share);
        writeBytes(program / "yzo.py", kScript);
        writeBytes(program / "verorca.ini", "");
        form.app.programFolder = program.wstring() + L"/";
        const char* old = std::getenv("XDG_DATA_HOME");
        savedDataHome = old ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("XDG_DATA_HOME", (dir.path / "data").c_str(), 1);
    }
    void TearDown() override {
        if (savedDataHome) ::setenv("XDG_DATA_HOME", savedDataHome->c_str(), 1);
        else ::unsetenv("XDG_DATA_HOME");
    }

    TempFolder dir;
    fs::path program, share, scripts;
    std::optional<std::string> savedDataHome;
    TestPlatform platform;
    MainForm form{platform};
};
}  // namespace

TEST_F(OrcaScriptCopy, TheMenuEntryCopiesTheInstalledScriptOverAnOlderCopyAndKeepsThePackage) {
    platform.installedData = share.wstring();
    writeBytes(share / "yzo.py", kInstalledScript);
    fs::create_directories(scripts);
    writeBytes(scripts / "yzo.py", "old");
    writeBytes(scripts / "__init__.py", "# the user's own\n");
    form.MenuCommand(L"mnuScriptOrca");
    EXPECT_EQ(readBytes(scripts / "yzo.py"), kInstalledScript);
    EXPECT_EQ(readBytes(scripts / "__init__.py"), "# the user's own\n");
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), L" script Orca installé dans " + scripts.wstring() + L", redémarrez Orca");
    // The marker is the start's business, not the menu's.
    EXPECT_TRUE(fs::exists(program / "verorca.ini"));
}

TEST_F(OrcaScriptCopy, SaysWhyNothingWasCopied) {
    fs::remove(program / "yzo.py");
    installScriptsAtStart(form);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), L" script Orca non installé : yzo.py introuvable");
    EXPECT_FALSE(fs::exists(scripts));
    EXPECT_FALSE(fs::exists(program / "verorca.ini"));

    // Orca's data folder is a file: the scripts folder cannot be made.
    writeBytes(program / "yzo.py", kScript);
    writeBytes(dir.path / "data", "not a folder");
    platform.messages.clear();
    form.MenuCommand(L"mnuScriptOrca");
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), L" script Orca non installé : impossible de créer " + scripts.wstring());
}
