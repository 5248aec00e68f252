// The copy of the Orca script at start: the marker, the question, the copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

class OrcaScriptCopy : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("yzo-orca-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        program = root / "programme";
        scripts = root / "data" / "orca" / "orca-scripts";
        fs::create_directories(program);
        fs::create_directories(scripts);
        put(program / "yzo.py", kScript);
        put(program / "verorca.ini", "");
        form.app.programFolder = program.wstring() + L"/";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
    fs::path program;
    fs::path scripts;
    TestPlatform platform;
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

TEST_F(OrcaScriptCopy, CopiesTheScriptIntoTheFolderGivenWithATrailingSeparator) {
    platform.inputs.push_back(scripts.wstring() + L"/");
    installScriptsAtStart(form);
    EXPECT_EQ(platform.boxes, std::vector<std::wstring>{L"input: Chemin des scripts d'orca"});
    EXPECT_EQ(contents(scripts / "yzo.py"), kScript);
    EXPECT_TRUE(fs::exists(scripts / "__init__.py"));
    EXPECT_FALSE(fs::exists(program / "verorca.ini"));
}

TEST_F(OrcaScriptCopy, ReplacesAnOlderCopyAndKeepsThePackageAsItIs) {
    put(scripts / "yzo.py", "old");
    put(scripts / "__init__.py", "# the user's own\n");
    platform.inputs.push_back(scripts.wstring());
    installScriptsAtStart(form);
    EXPECT_EQ(contents(scripts / "yzo.py"), kScript);
    EXPECT_EQ(contents(scripts / "__init__.py"), "# the user's own\n");
}

TEST_F(OrcaScriptCopy, AnEmptyAnswerOrAnUnknownFolderCopiesNothingAndIsNotOfferedAgain) {
    platform.inputs.push_back(L"");
    installScriptsAtStart(form);
    EXPECT_EQ(platform.boxes.size(), 1u);  // the question, and no message after it
    EXPECT_FALSE(fs::exists(program / "verorca.ini"));

    put(program / "verorca.ini", "");
    platform.boxes.clear();
    platform.inputs.push_back((root / "absent").wstring());
    installScriptsAtStart(form);
    EXPECT_EQ(platform.boxes, (std::vector<std::wstring>{L"input: Chemin des scripts d'orca", L"chemin inconnu"}));
    EXPECT_FALSE(fs::exists(root / "absent"));
    EXPECT_FALSE(fs::exists(program / "verorca.ini"));

    // Without the marker nothing is asked.
    platform.boxes.clear();
    installScriptsAtStart(form);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_FALSE(fs::exists(scripts / "yzo.py"));
}
