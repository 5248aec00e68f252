// The copy of the Orca script: where it comes from, where it goes, what is said.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <unistd.h>

#include "app/mainform.h"
#include "extras/orca.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void put(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// A script with UTF-8 letters and LF line ends, which the copy must keep as they are.
const std::string kScript = "# Opérations\nSTATUS = \"Message\"\n";
const std::string kInstalledScript = "# installed\n";

// A platform of an installed program: its share/yzo.
class InstalledPlatform : public TestPlatform {
public:
    std::wstring installedData;  // empty: a program run from its build folder
    std::wstring InstalledDataFolder() override { return installedData; }
};

class OrcaScriptCopy : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("yzo-orca-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        program = root / "programme";
        share = root / "usr" / "share" / "yzo";
        // A new user: no Orca folder at all under the data folder.
        scripts = root / "data" / "orca" / "orca-scripts";
        fs::create_directories(program);
        fs::create_directories(share);
        put(program / "yzo.py", kScript);
        put(program / "verorca.ini", "");
        form.app.programFolder = program.wstring() + L"/";
        const char* old = std::getenv("XDG_DATA_HOME");
        savedDataHome = old ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }
    void TearDown() override {
        if (savedDataHome) ::setenv("XDG_DATA_HOME", savedDataHome->c_str(), 1);
        else ::unsetenv("XDG_DATA_HOME");
        fs::remove_all(root);
    }

    fs::path root;
    fs::path program;
    fs::path share;
    fs::path scripts;
    std::optional<std::string> savedDataHome;
    InstalledPlatform platform;
    MainForm form{platform};
};
}  // namespace

TEST(OrcaScriptsFolder, FollowsXdgDataHomeElseTheHomeFolder) {
    EXPECT_EQ(orcaScriptsFolder(L"/srv/data", L"/home/anne"), L"/srv/data/orca/orca-scripts");
    EXPECT_EQ(orcaScriptsFolder(L"/srv/data/", L"/home/anne"), L"/srv/data/orca/orca-scripts");
    EXPECT_EQ(orcaScriptsFolder(L"", L"/home/anne"), L"/home/anne/.local/share/orca/orca-scripts");
    // A relative XDG_DATA_HOME is not a folder one can rely on.
    EXPECT_EQ(orcaScriptsFolder(L"data", L"/home/anne"), L"/home/anne/.local/share/orca/orca-scripts");
}

TEST_F(OrcaScriptCopy, TheInstalledScriptComesFirstThenTheProgramFolders) {
    std::wstring shared = share.wstring(), own = program.wstring() + L"/";
    // share/yzo without the script (an older package): the program folder's.
    EXPECT_EQ(orcaScriptSource(shared, own, L"yzo"), own + L"yzo.py");
    put(share / "yzo.py", kInstalledScript);
    EXPECT_EQ(orcaScriptSource(shared, own, L"yzo"), shared + L"/yzo.py");
    // The build folder: no share/yzo.
    EXPECT_EQ(orcaScriptSource(L"", own, L"yzo"), own + L"yzo.py");
    fs::remove(program / "yzo.py");
    EXPECT_EQ(orcaScriptSource(L"", own, L"yzo"), L"");
}

TEST_F(OrcaScriptCopy, ANewUserGetsOrcasFolderMadeTheScriptCopiedAndIsToldWithoutAQuestion) {
    installScriptsAtStart(form);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(contents(scripts / "yzo.py"), kScript);
    EXPECT_EQ(contents(scripts / "__init__.py"), "");
    EXPECT_FALSE(fs::exists(program / "verorca.ini"));
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), L" script Orca installé dans " + scripts.wstring() + L", redémarrez Orca");

    // Without the marker nothing more is done.
    platform.messages.clear();
    fs::remove(scripts / "yzo.py");
    installScriptsAtStart(form);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(fs::exists(scripts / "yzo.py"));
}

TEST_F(OrcaScriptCopy, TheMenuEntryCopiesTheInstalledScriptOverAnOlderCopyAndKeepsThePackage) {
    platform.installedData = share.wstring();
    put(share / "yzo.py", kInstalledScript);
    fs::create_directories(scripts);
    put(scripts / "yzo.py", "old");
    put(scripts / "__init__.py", "# the user's own\n");
    form.MenuCommand(L"mnuScriptOrca");
    EXPECT_EQ(contents(scripts / "yzo.py"), kInstalledScript);
    EXPECT_EQ(contents(scripts / "__init__.py"), "# the user's own\n");
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
    put(program / "yzo.py", kScript);
    put(root / "data", "not a folder");
    platform.messages.clear();
    form.MenuCommand(L"mnuScriptOrca");
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), L" script Orca non installé : impossible de créer " + scripts.wstring());
}
