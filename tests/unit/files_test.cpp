// Files on disk: the five bytes Windows-1252 leaves undefined, yzo.INI line by
// line, the backup copy, mode, owner and symbolic links kept by a save, a file
// changed by another program, and error boxes that name the file and the line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <csignal>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const std::string RS8(1, '\x1e');
const std::string kHeader = " 1 12026 S" + RS8 + "COURANT" + RS8 + "0" + RS8 + "0" + RS8 + "EUROS" + RS8 + "2";
const std::string kLine1 = " 1122026 RVente" + RS8 + "CLIENT" + RS8 + "10" + RS8 + "0" + RS8;
const std::string kLine2 = " 2122026 DAchat" + RS8 + "MAGASIN" + RS8 + "-4" + RS8 + "0" + RS8;

std::string readBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary);
    f << bytes;
}

std::string account(const std::vector<std::string>& lines) {
    std::string out = kHeader + "\r\n";
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// The stored lines of an account file, its header left out (a save rewrites the totals).
std::string body(const std::string& bytes) {
    size_t end = bytes.find("\r\n");
    return end == std::string::npos ? "" : bytes.substr(end + 2);
}

std::string lines(const std::vector<std::string>& stored) { return body(account(stored)); }

bool anyContains(const std::vector<std::wstring>& texts, const std::wstring& part) {
    for (const auto& t : texts)
        if (t.find(part) != std::wstring::npos) return true;
    return false;
}

// A program folder of its own, with a yzo.INI that names no account.
class Files : public ::testing::Test {
protected:
    fs::path dir;
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        char tmpl[] = "/tmp/yzo-files-XXXXXX";
        dir = mkdtemp(tmpl);
        tp.folder = fromUtf8(dir.string()) + L"/";
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::wstring file(const std::string& name) const { return fromUtf8((dir / name).string()); }
    void launch(const std::string& accountName = "") {
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(accountName.empty() ? L"" : L"\"" + file(accountName) + L"\"");
    }
    // A change made the way the entry procedures make it.
    void addOperation(const std::wstring& line) {
        form->acc.operationLines.push_back({line, 0});
        form->markModified();
    }
    void save() { form->MenuCommand(L"mnuEnregistrer"); }
};
}  // namespace

TEST(Cp1252, TheFiveUndefinedBytesReadAsTheirCodePointsAndWriteBack) {
    const std::string bytes = "a\x81" "b\x8d\x8f\x90\x9d";
    std::wstring text = decodeCp1252(bytes);
    EXPECT_EQ(text, std::wstring(L"a\u0081b\u008d\u008f\u0090\u009d"));
    EXPECT_EQ(encodeCp1252(text), bytes);
    // Their neighbours keep their Windows-1252 letters.
    EXPECT_EQ(decodeCp1252("\x80\x8e\x9e"), L"€Žž");
}

TEST_F(Files, AnAccountWithUndefinedBytesOpensAndSavesThemBack) {
    const std::string odd = " 3122026 DD\x81pense" + RS8 + "OBJ\x9d" + RS8 + "-1" + RS8 + "0" + RS8;
    writeBytes(dir / "a.yzo", account({kLine1, odd}));
    launch("a.yzo");
    ASSERT_EQ(form->acc.operationCount(), 2);
    addOperation(fromUtf8(kLine2.c_str()));
    save();
    std::string written = readBytes(dir / "a.yzo");
    EXPECT_NE(written.find(odd + "\r\n"), std::string::npos);
    EXPECT_TRUE(tp.boxes.empty()) << toUtf8(tp.boxes.front());
}

TEST_F(Files, ABadLineOfTheIniFallsBackAloneAndQuitKeepsTheRest) {
    writeBytes(dir / "a.yzo", account({kLine1}));
    fs::create_directory(dir / "stock");
    std::vector<std::string> ini(36, "");
    ini[0] = (dir / "a.yzo").string();
    for (int k = 1; k < 15; ++k) ini[k] = "sanstitre.yzo";
    ini[15] = "0";                             // 16: no other unit
    ini[18] = "Cour\x81ier";                   // 19: an undefined byte, kept
    ini[19] = std::string("1\0" "2", 3);       // 20: not text: its default
    ini[23] = (dir / "stock").string() + "/";  // 24
    ini[25] = "Arial";
    ini[26] = "8";
    ini[30] = "1";
    ini[32] = "compact\xe9";
    ini[33] = "2";
    ini[34] = "14";
    std::string bytes;
    for (const auto& l : ini) bytes += l + "\r\n";
    writeBytes(dir / "yzo.INI", bytes);

    launch();
    auto& c = form->app.config;
    EXPECT_EQ(c[1], file("a.yzo"));
    EXPECT_EQ(c[16], L"0");
    EXPECT_EQ(c[19], L"Cour\u0081ier");
    EXPECT_EQ(c[20], L"10");
    EXPECT_EQ(form->app.storageFolder, file("stock") + L"/");
    EXPECT_EQ(form->acc.operationCount(), 1);
    ASSERT_EQ(tp.boxes.size(), 1u);
    EXPECT_NE(tp.boxes[0].find(file("yzo.INI")), std::wstring::npos) << toUtf8(tp.boxes[0]);
    EXPECT_NE(tp.boxes[0].find(L"ligne 20"), std::wstring::npos) << toUtf8(tp.boxes[0]);

    form->MenuCommand(L"mnuQuitterItem");
    ASSERT_TRUE(tp.endCalled);
    // The previous file is kept beside the new one, which holds every good line.
    EXPECT_EQ(readBytes(dir / "yzo.INI.bak"), bytes);
    ini[19] = "10";
    std::string expected;
    for (const auto& l : ini) expected += l + "\r\n";
    EXPECT_EQ(readBytes(dir / "yzo.INI"), expected);
}

TEST_F(Files, TheBackupIsReplacedWholeNotWrittenInPlace) {
    writeBytes(dir / "a.yzo", account({kLine1}));
    writeBytes(dir / "a.bak", "older backup");
    // A second name of the old backup shows whether its bytes were overwritten.
    fs::create_hard_link(dir / "a.bak", dir / "witness");
    launch("a.yzo");
    addOperation(fromUtf8(kLine2));
    save();
    EXPECT_EQ(readBytes(dir / "a.bak"), account({kLine1}));
    EXPECT_EQ(readBytes(dir / "witness"), "older backup");
    EXPECT_EQ(body(readBytes(dir / "a.yzo")), lines({kLine1, kLine2}));
}

TEST_F(Files, ABackupThatCannotBeWrittenIsSaidAndTheSaveGoesOn) {
    writeBytes(dir / "a.yzo", account({kLine1}));
    fs::create_directory(dir / "a.bak");  // nothing can take this name
    launch("a.yzo");
    addOperation(fromUtf8(kLine2));
    save();
    EXPECT_TRUE(anyContains(tp.messages, L"copie de sauvegarde impossible"));
    EXPECT_EQ(body(readBytes(dir / "a.yzo")), lines({kLine1, kLine2}));
    EXPECT_FALSE(form->acc.modified[1]);
    EXPECT_TRUE(fs::is_directory(dir / "a.bak"));
}

TEST_F(Files, AChangeWithTheSameSizeAndTimeIsNoticedBeforeWriting) {
    writeBytes(dir / "a.yzo", account({kLine1}));
    launch("a.yzo");
    auto time = fs::last_write_time(dir / "a.yzo");
    std::string other = account({kLine1});
    other[other.find("Vente")] = 'W';  // same size
    writeBytes(dir / "a.yzo", other);
    fs::last_write_time(dir / "a.yzo", time);

    addOperation(fromUtf8(kLine2));
    tp.replies.push_back(MsgResult::No);
    save();
    EXPECT_TRUE(anyContains(tp.boxes, L"a été modifié par un autre programme"));
    EXPECT_EQ(readBytes(dir / "a.yzo"), other);
    EXPECT_TRUE(form->acc.modified[1]);

    // Without a change elsewhere, the next save asks nothing.
    tp.replies.push_back(MsgResult::Yes);
    save();
    EXPECT_EQ(body(readBytes(dir / "a.yzo")), lines({kLine1, kLine2}));
    tp.boxes.clear();
    addOperation(fromUtf8(kLine2));
    save();
    EXPECT_TRUE(tp.boxes.empty());
    EXPECT_EQ(body(readBytes(dir / "a.yzo")), lines({kLine1, kLine2, kLine2}));
}

TEST_F(Files, ASaveKeepsModeAndOwnerAndANewAccountIsPrivate) {
    writeBytes(dir / "a.yzo", account({kLine1}));
    fs::permissions(dir / "a.yzo", fs::perms::owner_read | fs::perms::owner_write);
    bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown((dir / "a.yzo").c_str(), 4321, 4322), 0);
    }
    launch("a.yzo");
    addOperation(fromUtf8(kLine2));
    save();
    ASSERT_EQ(body(readBytes(dir / "a.yzo")), lines({kLine1, kLine2}));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "a.yzo").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
    // The backup of a private account is private too.
    ASSERT_EQ(::stat((dir / "a.bak").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(Files, ANewAccountFileIsCreatedPrivate) {
    ::umask(022);
    launch();
    addOperation(fromUtf8(kLine1));
    tp.files.push_back(file("neuf.yzo"));
    save();
    ASSERT_TRUE(fs::exists(dir / "neuf.yzo"));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "neuf.yzo").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(Files, SavingThroughASymbolicLinkWritesItsTarget) {
    fs::create_directory(dir / "real");
    writeBytes(dir / "real" / "a.yzo", account({kLine1}));
    fs::create_symlink("real/a.yzo", dir / "lien.yzo");
    launch("lien.yzo");
    addOperation(fromUtf8(kLine2));
    save();
    EXPECT_TRUE(fs::is_symlink(dir / "lien.yzo"));
    EXPECT_EQ(body(readBytes(dir / "real" / "a.yzo")), lines({kLine1, kLine2}));
    // Nothing is left beside the target but the file itself.
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir / "real")) entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1);
}

TEST_F(Files, ErrorBoxesNameTheFileAndTheLine) {
    writeBytes(dir / "lignes.yzo", account({kLine1, "trop court", kLine2}));
    writeBytes(dir / "texte.yzo", account({kLine1, std::string("x\0y", 3)}));
    writeBytes(dir / "entete.yzo", "pas une en-tete\r\n" + kLine1 + "\r\n");
    launch("lignes.yzo");
    ASSERT_EQ(tp.boxes.size(), 1u);
    EXPECT_NE(tp.boxes[0].find(file("lignes.yzo")), std::wstring::npos) << toUtf8(tp.boxes[0]);
    EXPECT_NE(tp.boxes[0].find(L"ligne 3"), std::wstring::npos) << toUtf8(tp.boxes[0]);

    for (auto [name, line] : {std::pair{"texte.yzo", L"ligne 3"}, std::pair{"entete.yzo", L"ligne 1"}}) {
        tp.boxes.clear();
        tp.files.push_back(file(name));
        form->MenuCommand(L"mnuOuvrirItem");
        ASSERT_EQ(tp.boxes.size(), 1u) << name;
        EXPECT_NE(tp.boxes[0].find(file(name)), std::wstring::npos) << toUtf8(tp.boxes[0]);
        EXPECT_NE(tp.boxes[0].find(line), std::wstring::npos) << toUtf8(tp.boxes[0]);
    }
    // The refused files are not open, but stay in the list to be tried again.
    EXPECT_EQ(form->app.config[1], file("lignes.yzo"));
    int listed = 0;
    for (int k = form->acc.openCount + 1; k <= kMaxSlots; ++k)
        if (form->app.config[k] == file("texte.yzo") || form->app.config[k] == file("entete.yzo")) ++listed;
    EXPECT_EQ(listed, 2);
    for (int k = 1; k <= form->acc.openCount; ++k) {
        EXPECT_NE(form->app.config[k], file("texte.yzo"));
        EXPECT_NE(form->app.config[k], file("entete.yzo"));
    }
    EXPECT_EQ(readBytes(dir / "entete.yzo"), "pas une en-tete\r\n" + kLine1 + "\r\n");
}

// Runs action in a child process and answers whether it ended within the
// bound with status 0: a read that waits for ever on a pipe fails the test
// instead of stopping the run.
namespace {
bool endsWellWithin(int seconds, const std::function<bool()>& action) {
    pid_t child = fork();
    if (child == 0) _exit(action() ? 0 : 1);
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        usleep(100000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return false;
}
const int kPipeBound = 10;  // seconds: a refusal takes none of them
}  // namespace

TEST_F(Files, APipeOrAFolderIsRefusedBeforeItIsRead) {
    ASSERT_EQ(::mkfifo((dir / "tube.yzo").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir / "tube.txt").c_str(), 0600), 0);
    fs::create_directory(dir / "dossier.yzo");
    for (const char* name : {"tube.txt", "dossier.yzo"}) {
        EXPECT_TRUE(endsWellWithin(kPipeBound, [&] {
            try {
                readTextLines(file(name));
            } catch (const YzoError& e) {
                return e.number() == kErrNotRegularFile && e.description().find(file(name)) != std::wstring::npos;
            }
            return false;
        })) << name;
    }
    launch();
    auto refusedFrom = [&](const std::string& chosen, const std::wstring& menu, const std::wstring& procedure) {
        return endsWellWithin(kPipeBound, [&] {
            tp.boxes.clear();
            tp.files.push_back(file(chosen));
            form->MenuCommand(menu);
            // Said once, in words, with the file's name; nothing else asked.
            return tp.boxes.size() == 1 && anyContains(tp.boxes, L"1013 Ce n'est pas un fichier ordinaire") &&
                   anyContains(tp.boxes, file(chosen)) && anyContains(tp.boxes, L"sur " + procedure) &&
                   form->acc.openCount == 1 && form->currentPath() == kUntitled;
        });
    };
    EXPECT_TRUE(refusedFrom("tube.yzo", L"mnuOuvrirItem", L"mnuOuvrir"));
    EXPECT_TRUE(refusedFrom("dossier.yzo", L"mnuOuvrirItem", L"mnuOuvrir"));
    EXPECT_TRUE(refusedFrom("tube.txt", L"MnuComptaSimpleItem", L"LitFichierCompta"));
    EXPECT_TRUE(fs::is_fifo(dir / "tube.yzo"));
}

// A file without write permission is not replaced: the save fails, says why
// and stops a quit, as any failed save does.
TEST_F(Files, AReadOnlyAccountIsNotReplacedAndStopsTheQuit) {
    const std::string before = account({kLine1});
    writeBytes(dir / "a.yzo", before);
    fs::permissions(dir / "a.yzo", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    launch("a.yzo");
    addOperation(fromUtf8(kLine2));
    save();
    EXPECT_EQ(readBytes(dir / "a.yzo"), before);
    EXPECT_EQ((fs::status(dir / "a.yzo").permissions() & fs::perms::all),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_FALSE(tp.boxes.empty());
    EXPECT_EQ(tp.boxes.back(), L"1012 Fichier en lecture seule, il n'est pas remplacé (" + file("a.yzo") +
                                   L") sur RangeFichierYzo");
    EXPECT_FALSE(anyContains(tp.messages, L"enregistrer"));
    EXPECT_TRUE(form->acc.modified[1]);

    tp.replies.push_back(MsgResult::Yes);  // "enregistrer sur a.yzo ?"
    form->MenuCommand(L"mnuQuitterItem");
    EXPECT_FALSE(tp.endCalled);
    EXPECT_EQ(readBytes(dir / "a.yzo"), before);

    // Saved under another name, the account is written.
    tp.files.push_back(file("b.yzo"));
    form->MenuCommand(L"mnuEnregistrerSous");
    EXPECT_EQ(body(readBytes(dir / "b.yzo")), lines({kLine1, kLine2}));
    EXPECT_FALSE(form->acc.modified[1]);
}

// Every file goes through the one writer: lists, parameter files and notes alike.
TEST_F(Files, TheWriterReplacesNoReadOnlyFile) {
    for (const char* name : {"Rubrique.ope", "cheque.PRM", "notes.txt"}) {
        writeBytes(dir / name, "ancien\r\n");
        fs::permissions(dir / name, fs::perms::owner_read);
        int number = 0;
        try {
            writeTextLines(file(name), {L"nouveau"});
        } catch (const YzoError& e) {
            number = e.number();
            EXPECT_NE(e.description().find(file(name)), std::wstring::npos);
        }
        EXPECT_EQ(number, kErrReadOnly) << name;
        EXPECT_EQ(readBytes(dir / name), "ancien\r\n") << name;
        // A file that may be written is replaced as before.
        fs::permissions(dir / name, fs::perms::owner_read | fs::perms::owner_write);
        writeTextLines(file(name), {L"nouveau"});
        EXPECT_EQ(readBytes(dir / name), "nouveau\r\n") << name;
    }
}

// A backup's name is the program's: a link planted there is replaced, and the
// file it pointed to keeps its text. The account itself is still written
// through its link.
TEST_F(Files, ABackupReplacesALinkPlantedInItsPlace) {
    fs::create_directory(dir / "ailleurs");
    const fs::path precious = dir / "ailleurs" / "precieux";
    writeBytes(precious, "à garder\r\n");
    writeBytes(dir / "a.yzo", account({kLine1}));
    writeBytes(dir / "notes.txt", "mes notes\r\n");
    for (const char* backup : {"a.bak", "notes.txt.bak"}) fs::create_symlink(precious, dir / backup);
    launch("a.yzo");
    addOperation(fromUtf8(kLine2));
    save();
    EXPECT_FALSE(fs::is_symlink(dir / "a.bak"));
    EXPECT_EQ(readBytes(dir / "a.bak"), account({kLine1}));
    // The notepad's backup is made by the same copy.
    copyFileAtomically(file("notes.txt"), file("notes.txt.bak"));
    EXPECT_FALSE(fs::is_symlink(dir / "notes.txt.bak"));
    EXPECT_EQ(readBytes(dir / "notes.txt.bak"), "mes notes\r\n");
    form->MenuCommand(L"mnuQuitterItem");
    ASSERT_TRUE(fs::exists(dir / "yzo.INI"));

    // yzo.INI's backup, at the next quit.
    fs::create_symlink(precious, dir / "yzo.INI.bak");
    const std::string ini = readBytes(dir / "yzo.INI");
    launch();
    form->MenuCommand(L"mnuQuitterItem");
    EXPECT_FALSE(fs::is_symlink(dir / "yzo.INI.bak"));
    EXPECT_EQ(readBytes(dir / "yzo.INI.bak"), ini);
    EXPECT_EQ(readBytes(precious), "à garder\r\n");
}

// An account whose name has a longer extension is saved to the file opened,
// and named so in yzo.INI; only a name chosen for a new file is cut, once the
// user has heard the name written and said Yes.
TEST_F(Files, ALongExtensionIsSavedWhereItWasOpenedAndACutNameIsAskedFirst) {
    writeBytes(dir / "compte.2026.yzo", account({kLine1}));
    launch("compte.2026.yzo");
    addOperation(fromUtf8(kLine2));
    save();
    EXPECT_EQ(body(readBytes(dir / "compte.2026.yzo")), lines({kLine1, kLine2}));
    EXPECT_FALSE(fs::exists(dir / "compte.202"));
    EXPECT_EQ(form->currentPath(), file("compte.2026.yzo"));

    // Save as a long name: No shows the dialog again, Yes writes the cut name.
    writeBytes(dir / "neuf.202", "un autre fichier\r\n");
    tp.files.push_back(file("neuf.2027.yzo"));
    tp.replies.push_back(MsgResult::No);
    tp.files.push_back(file("neuf.2027.yzo"));
    tp.replies.push_back(MsgResult::Yes);
    tp.boxes.clear();
    form->MenuCommand(L"mnuEnregistrerSous");
    ASSERT_EQ(tp.boxes.size(), 2u);
    EXPECT_EQ(tp.boxes[0], L"Le compte sera enregistré sous le nom neuf.202, qui remplacera le fichier de ce nom. "
                           L"Continuer ?");
    EXPECT_EQ(body(readBytes(dir / "neuf.202")), lines({kLine1, kLine2}));
    EXPECT_FALSE(fs::exists(dir / "neuf.2027.yzo"));
    EXPECT_EQ(form->currentPath(), file("neuf.202"));

    form->MenuCommand(L"mnuFermerItem");
    tp.files.push_back(file("compte.2026.yzo"));
    form->MenuCommand(L"mnuOuvrirItem");
    form->MenuCommand(L"mnuQuitterItem");
    ASSERT_TRUE(tp.endCalled);
    EXPECT_EQ(readTextLinesEach(file("yzo.INI"))[0], file("compte.2026.yzo"));
}

// Linux paths are bytes: a path the system gave is kept in yzo.INI whatever
// its letters, on a UTF-8 line of its own, and read back the same; the other
// lines stay Windows-1252. Typed text that goes into an account is refused
// when Windows-1252 cannot hold it.
TEST_F(Files, PathsWithLettersOutsideWindows1252AreKeptInYzoIni) {
    fs::create_directory(dir / "łukasz");
    writeBytes(dir / "łukasz" / "a.yzo", account({kLine1}));
    launch("łukasz/a.yzo");
    tp.inputs.push_back(file("stockő"));
    tp.replies.push_back(MsgResult::Yes);  // "Création du dossier …"
    form->MenuCommand(L"mnuDossierStockage");
    form->MenuCommand(L"mnuEnTableau");  // "compacté", a Windows-1252 letter
    form->MenuCommand(L"mnuQuitterItem");
    ASSERT_TRUE(tp.endCalled);
    EXPECT_FALSE(anyContains(tp.boxes, L"1002")) << toUtf8(tp.boxes.back());
    std::vector<std::string> written;
    const std::string bytes = readBytes(dir / "yzo.INI");
    for (size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
        written.push_back(bytes.substr(at, end - at));
    ASSERT_EQ(written.size(), 36u);
    const std::string mark(kUtf8LineMark);
    EXPECT_EQ(written[0], mark + (dir / "łukasz" / "a.yzo").string());
    EXPECT_EQ(written[23], mark + (dir / "stockő").string() + "/");
    EXPECT_EQ(written[32], "compact\xe9");

    tp = TestPlatform{};
    tp.folder = fromUtf8(dir.string()) + L"/";
    launch();
    EXPECT_TRUE(tp.boxes.empty());
    EXPECT_EQ(form->currentPath(), file("łukasz/a.yzo"));
    EXPECT_EQ(form->acc.operationCount(), 1);
    EXPECT_EQ(form->app.storageFolder, file("stockő") + L"/");
    EXPECT_EQ(form->app.config[33], L"compacté");

    // The account's title goes into the account file: "Ł" is refused, asked again.
    tp.inputs = {L"Łódź", L"Lodz", L""};  // the last for the start date, left as it is
    form->MenuCommand(L"mnuModifConfiguration");
    EXPECT_TRUE(tp.inputs.empty());
    EXPECT_TRUE(anyContains(tp.boxes, L"texte refusé : le caractère Ł ne peut pas être enregistré"));
}

TEST(Utf8Lines, ALineThatLooksLikeTheMarkIsReadBackAsWritten) {
    char tmpl[] = "/tmp/yzo-lines-XXXXXX";
    const fs::path dir = mkdtemp(tmpl);
    const std::wstring path = fromUtf8((dir / "f").string());
    const std::vector<std::wstring> lines{L"\u00EF\u00BB\u00BFcompte", L"é", L"ł", L""};
    writeTextLinesOrUtf8(path, lines);
    std::vector<std::optional<std::wstring>> back = readTextLinesEach(path);
    ASSERT_EQ(back.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(back[i], lines[i]) << i;
    EXPECT_EQ(readBytes(dir / "f").substr(0, 3), std::string(kUtf8LineMark));
    std::error_code ec;
    fs::remove_all(dir, ec);
}
