// Files on disk: the five bytes Windows-1252 leaves undefined, yzo.INI line by
// line, the backup copy, mode, owner and symbolic links kept by a save, a file
// changed by another program, and error boxes that name the file and the line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
