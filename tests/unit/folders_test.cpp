// The program's folder, its filling from the installed files, and the default
// folder of the accounts.
#include "app/errors.h"
#include "app/folders.h"
#include "support.h"

namespace {
// A test folder that stands for the root of the file system.
class Folders : public ::testing::Test {
protected:
    TempFolder dir;
    std::wstring path(const std::wstring& relative) const { return dir.file(relative); }
    void write(const std::wstring& relative, const std::string& bytes) const {
        fs::create_directories(fsPath(path(relative)).parent_path());
        writeBytes(fsPath(path(relative)), bytes);
    }
    FolderEnvironment environment() const {
        FolderEnvironment env;
        env.home = path(L"home");
        env.executable = path(L"usr/bin/yzo");
        return env;
    }
};
}  // namespace

TEST_F(Folders, DocumentsFolderAsTheUserDirectoriesFileSaysElseHome) {
    FolderEnvironment env = environment();
    EXPECT_EQ(documentsFolder(env), path(L"home"));
    env.xdgDocuments = path(L"env-docs");
    EXPECT_EQ(documentsFolder(env), path(L"env-docs"));

    write(L"home/.config/user-dirs.dirs",
          "# XDG_DOCUMENTS_DIR=\"$HOME/commented\"\n"
          "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
          "XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n");
    EXPECT_EQ(documentsFolder(env), path(L"home/Mes documents"));

    write(L"home/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/papiers \\\"2026\\\"\"\r\n");
    EXPECT_EQ(documentsFolder(env), L"/srv/papiers \"2026\"");

    // The file of the configuration folder in use, not the one under home.
    env.xdgConfigHome = path(L"config");
    write(L"config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME\"\n");
    EXPECT_EQ(documentsFolder(env), path(L"home"));
}

TEST_F(Folders, SeedingCopiesOnlyWhatTheFolderLacks) {
    write(L"share/Rubrique.ope", "D Ch\xe8que\r\nR Salaire\r\n");
    write(L"share/Tva.txt", "5,5\r\n20\r\n");
    write(L"share/aide/touche.txt", "F1 aide\r\n");
    write(L"cfg/Tva.txt", "7\r\n");  // the user's own rates
    fs::create_symlink("/nonexistent/Rubrique.pen", fsPath(path(L"cfg/Rubrique.pen")));
    write(L"share/Rubrique.pen", "T Loyer\r\n");

    std::vector<std::wstring> copied = seedFolder(path(L"share"), path(L"cfg"));
    std::sort(copied.begin(), copied.end());
    EXPECT_EQ(copied, (std::vector<std::wstring>{L"Rubrique.ope", L"aide/touche.txt"}));
    EXPECT_EQ(readBytes(fsPath(path(L"cfg/Rubrique.ope"))), "D Ch\xe8que\r\nR Salaire\r\n");
    EXPECT_EQ(readBytes(fsPath(path(L"cfg/aide/touche.txt"))), "F1 aide\r\n");
    EXPECT_EQ(readBytes(fsPath(path(L"cfg/Tva.txt"))), "7\r\n");
    EXPECT_TRUE(fs::is_symlink(fsPath(path(L"cfg/Rubrique.pen"))));

    // A second start finds everything there and copies nothing.
    EXPECT_TRUE(seedFolder(path(L"share"), path(L"cfg")).empty());
    // A folder that is not there is an error, not an empty copy.
    EXPECT_THROW(seedFolder(path(L"absent"), path(L"cfg2")), YzoError);
}

namespace {
// A platform of an installed program: its data folder and its documents folder.
class InstalledPlatform : public TestPlatform {
public:
    std::wstring data, storage;
    std::wstring InstalledDataFolder() override { return data; }
    std::wstring DefaultStorageFolder() override { return storage; }
};
}  // namespace

TEST_F(Folders, FirstLaunchFillsTheProgramFolderAndMakesTheAccountsFolder) {
    write(L"share/Rubrique.ope", "D Loyer\r\nR Salaire\r\n");
    InstalledPlatform p;
    p.folder = path(L"cfg/yzo");
    p.data = path(L"share");
    p.storage = path(L"docs/yzo");
    MainForm form(p);
    form.Form_Load(L"");
    // The lists are read from the folder just filled.
    ASSERT_EQ(form.lst.opeCount(), 2);
    EXPECT_EQ(form.lst.rubriquesOpe[2].name, L"Salaire");
    EXPECT_TRUE(fs::is_directory(fsPath(path(L"docs/yzo"))));
    EXPECT_EQ(form.app.config[24], path(L"docs/yzo/"));
    EXPECT_EQ(form.app.storageFolder, path(L"docs/yzo/"));
    EXPECT_TRUE(p.boxes.empty());
}
