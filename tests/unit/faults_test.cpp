// Faults while writing: a full disk, a folder where nothing can be created, a
// rename that fails and a kill halfway through, for the account, its backup,
// yzo.INI, its backup and the list files. The previous file and its backup stay
// whole, the user is told, and a save once the fault is gone succeeds.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const std::wstring R(1, RS);
const std::wstring kHeader = L" 1 12026 S" + R + L"COURANT" + R + L"0" + R + L"0" + R + L"EUROS" + R + L"1";

std::wstring operation(int n) {
    return L" 1122026 RVente " + std::to_wstring(n) + R + L"CLIENT" + R + L"1" + R + L"0" + R;
}

std::string readBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary);
    f << bytes;
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
        char tmpl[] = "/tmp/yzo-faults-XXXXXX";
        dir = mkdtemp(tmpl);
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
        std::error_code ec;
        if (!dir.empty()) fs::remove_all(dir, ec);
        dir.clear();
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
        for (const auto& b : tp.boxes)
            if (b.find(part) != std::wstring::npos) return true;
        for (const auto& m : tp.messages)
            if (m.find(part) != std::wstring::npos) return true;
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

// The TVA list, changed on its screen and saved when the screen is left.
// A notepad save that fails keeps the notepad open with its text, whether it
// was asked by the "Opérations" button or by the quit, and the quit stops.
TEST_F(Faults, AFailedNotepadSaveKeepsTheNotepadAndStopsTheQuit) {
    for (const FaultCase& f : kFaults) {
        prepare();
        launch();
        std::wstring notes = file("notes.txt");
        writeTextLines(notes, {L"avant"});
        tp.files = {notes};
        form->MenuCommand(L"mnuBlocNote");
        form->w.RtbNote.text = L"après";
        form->TextChanged(L"RtbNote");
        armWriteFault(f.fault, L"notes.txt");

        tp.replies = {MsgResult::Yes};
        form->Click(L"CmdQuitter");
        EXPECT_TRUE(told(std::to_wstring(f.error) + L" ")) << "fault " << static_cast<int>(f.fault);
        EXPECT_TRUE(form->w.RtbNote.visible);
        EXPECT_EQ(form->w.RtbNote.text, L"après");
        EXPECT_EQ(form->w.CmdQuitter.text, L"Opérations");

        tp.replies = {MsgResult::Yes};
        form->MenuCommand(L"mnuQuitterItem");
        EXPECT_FALSE(tp.endCalled);
        EXPECT_TRUE(form->w.RtbNote.visible);
        EXPECT_EQ(readBytes(dir / "notes.txt"), "avant\r\n");
        EXPECT_EQ(readBytes(dir / "yzo.INI"), iniBefore);

        armWriteFault(WriteFault::None);
        tp.replies = {MsgResult::Yes};
        form->MenuCommand(L"mnuQuitterItem");
        EXPECT_TRUE(tp.endCalled);
        EXPECT_EQ(readBytes(dir / "notes.txt"), "apr\xE8s\r\n");
        tp.endCalled = false;
    }
}

TEST_F(Faults, AListFileSavedFromItsScreenStaysWhole) {
    for (const FaultCase& f : kFaults) {
        prepare();
        writeTextLines(file("Tva.txt"), {L"5,5"});
        const std::string before = readBytes(dir / "Tva.txt");
        launch();
        auto addRate = [&](const std::wstring& rate) {
            form->mnuAfficheTvaItem();  // the account keeps no TVA: its menu entry is off
            tp.inputs.push_back(rate);
            form->w.Liste.selected = 1;
            form->KeyPress(L"Liste", L'\r');
            tp.replies.push_back(MsgResult::Yes);
            form->Click(L"CmdYzo");
        };
        armWriteFault(f.fault, L"Tva.txt");
        addRate(L"20");
        EXPECT_EQ(readBytes(dir / "Tva.txt"), before);
        EXPECT_TRUE(told(std::to_wstring(f.error) + L" ")) << static_cast<int>(f.fault);
        EXPECT_TRUE(told(file("Tva.txt")));
        EXPECT_TRUE(told(L"sur Sauvetva"));
        std::vector<std::string> kept = kKept;
        kept.insert(kept.begin(), "Tva.txt");
        EXPECT_EQ(names(), kept);

        armWriteFault(WriteFault::None);
        addRate(L"10");
        EXPECT_EQ(readTextLines(file("Tva.txt")).size(), 2u);
    }
}

TEST_F(Faults, AListFileStaysWholeThroughTheWriter) {
    prepare();
    for (const FaultCase& f : kFaults) {
        writeTextLines(file("Rubrique.ope"), {L"D Loyer", L"R Salaire"});
        std::string before = readBytes(dir / "Rubrique.ope");
        armWriteFault(f.fault, L"Rubrique.ope");
        int number = 0;
        try {
            writeTextLines(file("Rubrique.ope"), {L"D Loyer", L"R Salaire", L"D Impôts"});
        } catch (const YzoError& e) {
            number = e.number();
            EXPECT_NE(e.description().find(file("Rubrique.ope")), std::wstring::npos);
        }
        EXPECT_EQ(number, f.error);
        EXPECT_EQ(readBytes(dir / "Rubrique.ope"), before);
        armWriteFault(WriteFault::None);
        writeTextLines(file("Rubrique.ope"), {L"D Loyer", L"R Salaire", L"D Impôts"});
        EXPECT_EQ(readTextLines(file("Rubrique.ope")).size(), 3u);
        fs::remove(dir / "Rubrique.ope");
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

// Real kills at moments nobody chose, during saves of a large account: the
// account and its backup are always one whole version or the other.
TEST(KilledSaves, TheAccountAndItsBackupAreAlwaysWhole) {
    char tmpl[] = "/tmp/yzo-kill-XXXXXX";
    fs::path dir = mkdtemp(tmpl);
    std::wstring account = fromUtf8((dir / "gros.yzo").string());
    std::wstring backup = fromUtf8((dir / "gros.bak").string());
    auto version = [&](wchar_t mark) {
        std::vector<std::wstring> lines{kHeader};
        for (int i = 0; i < 10000; ++i) lines.push_back(operation(i) + mark);
        return lines;
    };
    const std::vector<std::wstring> a = version(L'A'), b = version(L'B');
    writeTextLines(account, a);
    copyFileAtomically(account, backup);
    for (int round = 0; round < 8; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                copyFileAtomically(account, backup);
                writeTextLines(account, i % 2 ? a : b);
            }
        }
        usleep(1000 + 2000 * round);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        for (const std::wstring& path : {account, backup}) {
            std::vector<std::wstring> lines = readTextLines(path);
            EXPECT_TRUE(lines == a || lines == b) << "round " << round << " " << toUtf8(path);
        }
        // The next save of both leaves nothing but them.
        copyFileAtomically(account, backup);
        writeTextLines(account, a);
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"gros.bak", "gros.yzo"})) << "round " << round;
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}
