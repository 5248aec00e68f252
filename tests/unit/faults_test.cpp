// Faults while writing: a full disk, a folder where nothing can be created, a
// rename that fails and a kill halfway through, for the account, its backup,
// yzo.INI and its backup. The previous file and its backup stay whole, the
// user is told, and a save once the fault is gone succeeds.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <optional>

#include "app/errors.h"
#include "support.h"

namespace {
const std::wstring kHeader = L" 1 12026 S" + fields({L"", L"COURANT", L"0", L"0", L"EUROS", L"1"});

std::wstring operation(int n) {
    return operationLine(L" 1122026", L'R', L"Vente " + std::to_wstring(n), L"CLIENT", L"1");
}

struct FaultCase {
    WriteFault fault;
    int error;  // the number the user is told
};
const FaultCase kFaults[] = {
    {WriteFault::DiskFull, kErrDiskFull},
    {WriteFault::ReadOnlyFolder, kErrPermission},
    {WriteFault::RenameFails, kErrPathAccess},
};

class Faults : public ::testing::Test {
protected:
    std::optional<TempFolder> temp;
    fs::path dir;
    TestPlatform tp;
    std::unique_ptr<MainForm> form;
    std::string accountBefore, backupBefore, iniBefore;
    int nextLine = 10;

    // A fresh folder: the account, its backup, yzo.INI and its backup.
    void prepare() {
        cleanup();
        tp = TestPlatform{};
        nextLine = 10;
        dir = temp.emplace().path;
        tp.folder = fromUtf8(dir.string()) + L"/";
        writeTextLines(file("a.yzo"), {kHeader, operation(1)});
        writeBytes(dir / "a.bak", "the backup of an older save\r\n");
        // A yzo.INI that opens the account at launch.
        std::vector<std::wstring> ini(36, L"");
        ini[0] = file("a.yzo");
        for (int k = 1; k < 15; ++k) ini[k] = kUntitled;
        ini[23] = tp.folder;
        ini[30] = L"1";
        writeTextLines(file("yzo.INI"), ini);
        writeBytes(dir / "yzo.INI.bak", "an older yzo.INI\r\n");
        accountBefore = readBytes(dir / "a.yzo");
        backupBefore = readBytes(dir / "a.bak");
        iniBefore = readBytes(dir / "yzo.INI");
    }
    void cleanup() {
        armWriteFault(WriteFault::None);
        form.reset();
        temp.reset();
    }
    void TearDown() override { cleanup(); }
    std::wstring file(const std::string& name) const { return fromUtf8((dir / name).string()); }
    void launch() {
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(L"");
        ASSERT_EQ(form->currentPath(), file("a.yzo"));
    }
    void changeAndSave() {
        form->acc.operationLines.push_back({operation(nextLine++), 0});
        form->markModified();
        form->MenuCommand(L"mnuEnregistrer");
    }
    // Nothing but the files the program keeps: no temporary file left behind.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    bool told(const std::wstring& part) const {
        for (const auto* texts : {&tp.boxes, &tp.messages})
            for (const auto& t : *texts)
                if (t.find(part) != std::wstring::npos) return true;
        return false;
    }
    const std::vector<std::string> kKept{"a.bak", "a.yzo", "yzo.INI", "yzo.INI.bak"};
    // The hidden temporary files of the writer in the folder.
    std::vector<std::string> temporaries() const {
        std::vector<std::string> out;
        for (const std::string& name : names())
            if (name[0] == '.') out.push_back(name);
        return out;
    }
};

// A process number that no process holds any more: a child that has ended.
pid_t endedProcess() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}
}  // namespace

TEST_F(Faults, TheAccountStaysWholeAndTheNextSaveSucceeds) {
    for (const FaultCase& f : kFaults) {
        prepare();
        launch();
        armWriteFault(f.fault, L"a.yzo");
        changeAndSave();
        EXPECT_EQ(readBytes(dir / "a.yzo"), accountBefore);
        // The backup was made before the write: it holds the file as it is.
        EXPECT_EQ(readBytes(dir / "a.bak"), accountBefore);
        EXPECT_TRUE(told(std::to_wstring(f.error) + L" ")) << "fault " << static_cast<int>(f.fault);
        EXPECT_TRUE(told(file("a.yzo")));
        EXPECT_FALSE(told(L"enregistrer"));
        EXPECT_TRUE(form->acc.modified[1]);
        EXPECT_EQ(names(), kKept);

        armWriteFault(WriteFault::None);
        form->MenuCommand(L"mnuEnregistrer");
        std::vector<std::wstring> lines = readTextLines(file("a.yzo"));
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[2], operation(10));
        EXPECT_FALSE(form->acc.modified[1]);
    }
}

TEST_F(Faults, AFailedBackupKeepsTheOldOneIsSaidAndTheSaveGoesOn) {
    for (const FaultCase& f : kFaults) {
        prepare();
        launch();
        armWriteFault(f.fault, L"a.bak");
        changeAndSave();
        EXPECT_EQ(readBytes(dir / "a.bak"), backupBefore);
        EXPECT_EQ(tp.messages.back(), L" copie de sauvegarde impossible");
        EXPECT_EQ(readTextLines(file("a.yzo")).size(), 3u);
        EXPECT_EQ(names(), kKept);

        armWriteFault(WriteFault::None);
        std::string saved = readBytes(dir / "a.yzo");
        changeAndSave();
        EXPECT_EQ(readBytes(dir / "a.bak"), saved);
        EXPECT_EQ(tp.messages.back(), L" enregistrer");
    }
}

TEST_F(Faults, YzoIniAndItsBackupStayWhole) {
    for (const FaultCase& f : kFaults) {
        prepare();
        launch();
        form->MenuCommand(L"mnuNomJour");  // a change to write at the end
        armWriteFault(f.fault, L"yzo.INI");
        form->MenuCommand(L"mnuQuitterItem");
        EXPECT_TRUE(tp.endCalled);
        EXPECT_EQ(readBytes(dir / "yzo.INI"), iniBefore);
        EXPECT_EQ(readBytes(dir / "yzo.INI.bak"), iniBefore);
        EXPECT_TRUE(told(std::to_wstring(f.error) + L" "));
        EXPECT_TRUE(told(file("yzo.INI")));
        EXPECT_EQ(names(), kKept);

        // Its backup cannot be written: the old one stays, yzo.INI is written.
        writeBytes(dir / "yzo.INI.bak", "an older yzo.INI\r\n");
        armWriteFault(f.fault, L"yzo.INI.bak");
        tp = TestPlatform{};
        tp.folder = fromUtf8(dir.string()) + L"/";
        launch();
        form->MenuCommand(L"mnuNomJour");
        form->MenuCommand(L"mnuQuitterItem");
        EXPECT_EQ(readBytes(dir / "yzo.INI.bak"), "an older yzo.INI\r\n");
        EXPECT_TRUE(told(L"copie de sauvegarde impossible"));
        EXPECT_EQ(readTextLines(file("yzo.INI"))[29], L"1");
        EXPECT_EQ(names(), kKept);
    }
}

// The process is killed halfway through a write, in a child so that the test goes on.
TEST_F(Faults, AKillDuringAnyWriteLeavesThePreviousFilesWhole) {
    for (const char* target : {"a.bak", "a.yzo", "yzo.INI.bak", "yzo.INI"}) {
        prepare();
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            launch();
            armWriteFault(WriteFault::Killed, fromUtf8(target));
            changeAndSave();
            form->MenuCommand(L"mnuQuitterItem");
            _exit(0);  // the fault never struck
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << target;
        // The kill left its temporary file beside the target.
        ASSERT_EQ(temporaries().size(), 1u) << target;
        EXPECT_EQ(temporaries()[0].rfind("." + std::string(target) + ".", 0), 0u) << target;
        // The next run opens the account: opening a file removes what the
        // killed write of it left (the backups' are removed by their next save).
        launch();
        if (std::string(target) == "a.yzo" || std::string(target) == "yzo.INI") {
            EXPECT_TRUE(temporaries().empty()) << target;
        }
        std::vector<std::wstring> account = readTextLines(file("a.yzo"));
        if (std::string(target).rfind("a.", 0) == 0) {
            EXPECT_EQ(readBytes(dir / "a.yzo"), accountBefore) << target;
        } else {  // killed at the end, once the account was saved
            ASSERT_EQ(account.size(), 3u) << target;
            EXPECT_EQ(account[2], operation(10)) << target;
        }
        std::string bak = readBytes(dir / "a.bak");
        EXPECT_TRUE(bak == backupBefore || bak == accountBefore) << target;
        EXPECT_EQ(readBytes(dir / "yzo.INI"), iniBefore) << target;
        std::string iniBak = readBytes(dir / "yzo.INI.bak");
        EXPECT_TRUE(iniBak == "an older yzo.INI\r\n" || iniBak == iniBefore) << target;

        // It saves the account and quits: nothing is left but the four files.
        changeAndSave();
        EXPECT_EQ(readTextLines(file("a.yzo")).back(), operation(10)) << target;
        form->MenuCommand(L"mnuQuitterItem");
        EXPECT_EQ(names(), kKept) << target;
    }
}

// Only what a process that has ended left is removed: the temporary file of
// a write still running elsewhere, and those of other files, stay.
TEST_F(Faults, ASaveRemovesOnlyTheTemporaryFilesOfEndedWrites) {
    prepare();
    const std::string ended = ".a.yzo." + std::to_string(endedProcess()) + "-3";
    const std::string running = ".a.yzo." + std::to_string(getppid()) + "-1";
    const std::string ours = ".a.yzo." + std::to_string(getpid()) + "-99";  // an earlier process of our number
    const std::string other = ".b.yzo." + std::to_string(endedProcess()) + "-1";
    const std::string notOne = ".a.yzo.1x-2";
    for (const std::string& name : {ended, running, ours, other, notOne}) writeBytes(dir / name, "partial");
    writeTextLines(file("a.yzo"), {kHeader});
    std::vector<std::string> left{notOne, running, other};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(temporaries(), left);
}
