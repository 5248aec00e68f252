// Account files: header and stored lines, Windows-1252 files, reading bad
// files without losing anything, and writing back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "account/account.h"
#include "account/storedline.h"
#include "app/errors.h"
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

void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary);
    f << bytes;
}

struct TempDir {
    fs::path path;
    TempDir() {
        char tmpl[] = "/tmp/yzo-test-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    std::wstring file(const char* name) const { return fromUtf8((path / name).string()); }
};

int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const YzoError& e) {
        return e.number();
    }
    return 0;
}
}  // namespace

TEST(HeaderLine, ReadsFieldsAndWritesTheSameLineBack) {
    std::wstring plain = L"15 12008TTcourses.obj " + R + L"COURANT" + R + L"1234,50" + R + L"-19,60" + R + L"FRANCS" + R + L"42";
    AccountHeader h = convertit_ChaineConfiguration(plain);
    EXPECT_TRUE(h.hasTva);
    EXPECT_EQ(h.accountType, 1);
    EXPECT_EQ(h.objetListName, L"courses.obj");
    EXPECT_EQ(h.title, L"COURANT");
    EXPECT_DOUBLE_EQ(h.lastBalance, 1234.5);
    EXPECT_DOUBLE_EQ(h.tvaTotal, -19.6);
    EXPECT_EQ(h.unitCode, 1);
    EXPECT_EQ(h.otherUnitName, L"EUROS");
    EXPECT_EQ(h.lineCount, 42);
    EXPECT_EQ(h.password, L"");
    EXPECT_EQ(h.startDate, dateFromYMD(2008, 1, 15));

    // The objet list name is trimmed, so only a name without blanks comes back whole.
    std::wstring withPassword = L" 5 32008 D" + R + L"SANS TITRE" + R + L"0" + R + L"0" + R + L"LIVRES" + R + L"3" + R + L"65" + R + L"112";
    AccountHeader p = convertit_ChaineConfiguration(withPassword);
    EXPECT_EQ(p.accountType, 5);
    EXPECT_EQ(p.unitCode, 3);
    EXPECT_EQ(p.otherUnitName, L"");
    EXPECT_EQ(p.lineCount, 3);
    EXPECT_EQ(p.password, R + L"65" + R + L"112");
    EXPECT_EQ(FormeConfiguration(p), withPassword);
}

TEST(HeaderLine, RefusesTruncatedOrMalformedHeaders) {
    EXPECT_EQ(errorOf([] { convertit_ChaineConfiguration(L" 5 3200"); }), kErrSubscript);
    EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(L" 5 32008TT" + R + L"A" + R + L"0"); }), kErrMissingSeparator);
    EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(L"31 22008 T" + R + L"A" + R + L"0" + R + L"0" + R + L"EUROS" + R + L"0"); }),
              kErrBadArgument);
    EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(L"aa 12008 T" + R + L"A" + R + L"0" + R + L"0" + R + L"EUROS" + R + L"0"); }),
              kErrTypeMismatch);
    EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(L" 1 12008 T" + R + L"A" + R + L"12x" + R + L"0" + R + L"EUROS" + R + L"0"); }),
              kErrTypeMismatch);
}

TEST(StoredLine, ParsesAndFormsEveryField) {
    std::wstring line = L"25122008/DChèque" + R + L"GARAGE" + R + L"-312,60" + R + L"-51,23" + R + L"4510";
    Operation op = convertit_ChaineYzo(line);
    EXPECT_EQ(op.date, dateFromYMD(2008, 12, 25));
    EXPECT_EQ(op.flag, L'/');
    EXPECT_EQ(op.code, L'D');
    EXPECT_EQ(op.rubrique, L"Chèque");
    EXPECT_EQ(op.objet, L"GARAGE");
    EXPECT_DOUBLE_EQ(op.montant, -312.6);
    EXPECT_DOUBLE_EQ(op.tva, -51.23);
    EXPECT_EQ(op.numero, L"4510");
    EXPECT_EQ(FormeYzo(op), line);

    std::wstring noNumero = L" 5 32008 R Salaire " + R + L"" + R + L"1500" + R + L"0" + R;
    Operation n = convertit_ChaineYzo(noNumero);
    EXPECT_EQ(n.numero, L"");
    EXPECT_EQ(n.rubrique, L" Salaire ");  // kept exactly
    EXPECT_EQ(FormeYzo(n), noNumero);

    EXPECT_DOUBLE_EQ(readAmountField(L"12,5"), 12.5);
    EXPECT_DOUBLE_EQ(readAmountField(L"12.5"), 12.5);
    EXPECT_DOUBLE_EQ(readAmountField(L""), 0);
    EXPECT_EQ(errorOf([] { readAmountField(L"douze"); }), kErrTypeMismatch);
    EXPECT_EQ(errorOf([] { readAmountField(L"1,2,3"); }), kErrTypeMismatch);
    EXPECT_EQ(errorOf([&] { convertit_ChaineYzo(L"251220"); }), kErrSubscript);
    EXPECT_EQ(errorOf([&] { convertit_ChaineYzo(L"25122008 DX" + R + L"Y"); }), kErrMissingSeparator);
    EXPECT_EQ(errorOf([&] { convertit_ChaineYzo(L"31 22008 DX" + R + L"Y" + R + L"1" + R + L"0" + R); }), kErrBadArgument);
}

TEST(FileNames, CutAndBackupLookAtTheFileNameOnly) {
    EXPECT_EQ(cutExtension(L"/home/a.b/compte.yzoo"), L"/home/a.b/compte.yzo");
    EXPECT_EQ(cutExtension(L"/home/a.b/compte"), L"/home/a.b/compte");
    EXPECT_EQ(cutExtension(L"C:\\x\\compte.yz"), L"C:\\x\\compte.yz");
    EXPECT_EQ(backupName(L"/home/a.b/compte.yzo"), L"/home/a.b/compte.bak");
    EXPECT_EQ(backupName(L"/home/a.b/compte"), L"/home/a.b/compte.bak");
}

TEST(TextFiles, Windows1252RoundTripAndRefusals) {
    std::string bytes = "Ch\xe8que \x80 \x9c\x1e";
    std::wstring text = decodeCp1252(bytes);
    EXPECT_EQ(text, L"Chèque € œ\x1e");
    EXPECT_EQ(encodeCp1252(text), bytes);
    EXPECT_EQ(errorOf([] { decodeCp1252(std::string("a\0b", 3)); }), kErrNotText);
    EXPECT_EQ(errorOf([] { decodeCp1252("a\x7f"); }), kErrNotText);
    EXPECT_EQ(errorOf([] { encodeCp1252(L"日本"); }), kErrNotEncodable);
}

TEST(TextFiles, LineEndsAndAtomicWrite) {
    TempDir dir;
    writeBytes(dir.path / "mixed.txt", "un\r\ndeux\ntrois\rquatre");
    EXPECT_EQ(readTextLines(dir.file("mixed.txt")), (std::vector<std::wstring>{L"un", L"deux", L"trois", L"quatre"}));
    writeBytes(dir.path / "empty.txt", "");
    EXPECT_TRUE(readTextLines(dir.file("empty.txt")).empty());
    EXPECT_EQ(errorOf([&] { readTextLines(dir.file("absent.txt")); }), kErrFileNotFound);

    writeTextLines(dir.file("out.txt"), {L"é", L""});
    EXPECT_EQ(readBytes(dir.path / "out.txt"), "\xe9\r\n\r\n");
    // A line that cannot be written leaves the previous file whole.
    EXPECT_EQ(errorOf([&] { writeTextLines(dir.file("out.txt"), {L"ok", L"日"}); }), kErrNotEncodable);
    EXPECT_EQ(readBytes(dir.path / "out.txt"), "\xe9\r\n\r\n");
    if (geteuid() != 0) {  // root writes anywhere
        fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(errorOf([&] { writeTextLines(dir.file("out.txt"), {L"x"}); }), kErrPermission);
        fs::permissions(dir.path, fs::perms::owner_all);
        EXPECT_EQ(readBytes(dir.path / "out.txt"), "\xe9\r\n\r\n");
    }
}

TEST(StatusMessage, SameTextTwiceGetsTwoBlanksSoTheLabelChangesAndTheCallersTextStays) {
    TestPlatform p;
    MainForm form(p);
    form.message(L"solde 12  ");
    form.message(L"solde 12");
    form.message(L"solde 12");
    std::wstring shown = L"autre";
    form.message(shown);
    EXPECT_EQ(p.messages, (std::vector<std::wstring>{L" solde 12", L" solde 12  ", L" solde 12", L" autre"}));
    EXPECT_EQ(shown, L"autre");
}

namespace {
// Opens one account file in slot 1 as the launch does, with the program's folder in dir.
struct Opened {
    TestPlatform platform;
    MainForm form{platform};
    Opened(const TempDir& dir, const char* name) {
        platform.folder = fromUtf8(dir.path.string());
        form.Form_Load(dir.file(name));
    }
};

const char* kGoodHeader = " 1 12026 S\x1ePERSO\x1e" "1454,70\x1e" "0\x1e" "EUROS\x1e" "3\r\n";
}  // namespace

TEST(OpeningBadFiles, ReportsTheErrorAndNeverOverwritesTheFile) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* expectedBox;
    };
    const Case cases[] = {
        {"empty.yzo", "", "62 Entrée au-delà de la fin de fichier"},
        {"binary.yzo", std::string("\x7f" "ELF\0\0", 6), "1001 Fichier non texte"},
        {"short.yzo", " 1 1202\r\n", "9 L'indice n'appartient pas à la sélection"},
        {"nosep.yzo", " 1 12026 S PERSO 0 0 EUROS 3\r\n", "1003 Séparateur de champ absent"},
        {"baddate.yzo", "31 22008 S\x1eP\x1e" "0\x1e" "0\x1e" "EUROS\x1e" "0\r\n", "5 Argument ou appel de procédure incorrect"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeBytes(dir.path / c.name, c.bytes);
        Opened o(dir, c.name);
        ASSERT_FALSE(o.platform.boxes.empty()) << c.name;
        const std::wstring& box = o.platform.boxes.front();
        EXPECT_EQ(box.rfind(fromUtf8(c.expectedBox), 0), 0u) << c.name << ": " << toUtf8(box);
        EXPECT_NE(box.find(L"sur LitFichierYzo"), std::wstring::npos) << c.name;
        // The slot holds an empty untitled account instead, and saving it cannot touch the file.
        EXPECT_EQ(o.form.currentPath(), kUntitled) << c.name;
        EXPECT_EQ(readBytes(dir.path / c.name), c.bytes) << c.name;
    }
}

TEST(OpeningBadFiles, MalformedLinesAreReportedKeptAndWrittenBackUnchanged) {
    TempDir dir;
    std::string header = kGoodHeader;
    header[header.size() - 3] = '4';
    std::string bytes = header +
                        " 2 12026 RSalaire\x1e" "EMPLOYEUR\x1e" "1500\x1e" "0\x1e\r\n"
                        " 3 12026 DLoyer\x1e" "AGENCE\x1e" "cinq\x1e" "0\x1e\r\n"   // amount in letters
                        "aa 12026 DX\x1e" "Y\x1e" "1\x1e" "0\x1e\r\n"              // letters in the date
                        " 4 12026 DCourses\x1e" "MARCHE\x1e" "-45,30\x1e" "0\x1e" "ES";  // no final line end
    writeBytes(dir.path / "bad.yzo", bytes);
    Opened o(dir, "bad.yzo");
    ASSERT_EQ(o.platform.boxes.size(), 1u);
    EXPECT_EQ(o.platform.boxes[0], L"13 Type incompatible (cinq) dans " + dir.file("bad.yzo") +
                                       L", ligne 3 et 1 autres lignes sur LitFichierYzo");
    EXPECT_EQ(o.form.acc.operationCount(), 4);
    // The two good lines are counted, the two bad ones shown but not counted.
    EXPECT_DOUBLE_EQ(o.form.led.totals.balance, 1454.7);
    o.form.acc.modified[1] = true;
    o.form.enregistrer();
    std::string saved = readBytes(dir.path / "bad.yzo");
    EXPECT_EQ(saved, bytes + "\r\n");
    EXPECT_EQ(readBytes(dir.path / "bad.bak"), bytes);
}

TEST(SavingAccounts, UnchangedAccountIsWrittenByteForByteWithItsBackup) {
    TempDir dir;
    std::string bytes = std::string(kGoodHeader) +
                        " 2 12026 RSalaire\x1e" "EMPLOYEUR\x1e" "1500\x1e" "0\x1e\r\n"
                        " 4 12026 DCourses\x1e" "MARCH\xc9\x1e" "-45,30\x1e" "0\x1e" "ES\r\n"
                        " 5 12027 T\x1e" "ASSURANCE\x1e" "-240\x1e" "0\x1e" "12\r\n";
    // The traite falls due next year: opening inserts nothing.
    writeBytes(dir.path / "perso.yzo", bytes);
    Opened o(dir, "perso.yzo");
    EXPECT_TRUE(o.platform.boxes.empty());
    o.form.enregistrer();
    std::string expected = std::string(kGoodHeader) +
                           " 5 12027 T\x1e" "ASSURANCE\x1e" "-240\x1e" "0\x1e" "12\r\n"  // traites first
                           " 2 12026 RSalaire\x1e" "EMPLOYEUR\x1e" "1500\x1e" "0\x1e\r\n"
                           " 4 12026 DCourses\x1e" "MARCH\xc9\x1e" "-45,30\x1e" "0\x1e" "ES\r\n";
    EXPECT_EQ(readBytes(dir.path / "perso.yzo"), expected);
    EXPECT_EQ(readBytes(dir.path / "perso.bak"), bytes);
    EXPECT_FALSE(o.form.acc.modified[1]);
}

TEST(SavingAccounts, AccountWithNoLinesWritesItsHeaderOnly) {
    TempDir dir;
    writeBytes(dir.path / "vide.yzo", " 1 12026 S\x1eVIDE\x1e" "0\x1e" "0\x1e" "EUROS\x1e" "0\r\n");
    Opened o(dir, "vide.yzo");
    o.form.enregistrer();
    EXPECT_EQ(readBytes(dir.path / "vide.yzo"), " 1 12026 S\x1eVIDE\x1e" "0\x1e" "0\x1e" "EUROS\x1e" "0\r\n");
}

TEST(SavingAccounts, FileChangedByAnotherProgramIsNotOverwrittenWithoutAsking) {
    TempDir dir;
    std::string bytes = std::string(kGoodHeader) + " 2 12026 RSalaire\x1e" "EMPLOYEUR\x1e" "1500\x1e" "0\x1e\r\n";
    writeBytes(dir.path / "perso.yzo", bytes);
    Opened o(dir, "perso.yzo");
    std::string other = bytes + " 3 12026 RVente\x1e" "X\x1e" "1\x1e" "0\x1e\r\n";
    writeBytes(dir.path / "perso.yzo", other);
    o.form.acc.modified[1] = true;

    o.platform.replies.push_back(MsgResult::No);
    o.form.enregistrer();
    EXPECT_EQ(readBytes(dir.path / "perso.yzo"), other);
    EXPECT_TRUE(o.form.acc.modified[1]);
    EXPECT_NE(o.platform.boxes.back().find(L"modifié par un autre programme"), std::wstring::npos);
    // Quitting then stops rather than losing the change.
    o.platform.replies.push_back(MsgResult::Yes);  // save?
    o.platform.replies.push_back(MsgResult::No);   // replace the other program's file?
    EXPECT_FALSE(o.form.quitter());
    EXPECT_FALSE(o.form.ended());

    o.platform.replies.push_back(MsgResult::Yes);
    o.form.enregistrer();
    EXPECT_EQ(readBytes(dir.path / "perso.yzo").substr(0, 5), bytes.substr(0, 5));
    EXPECT_FALSE(o.form.acc.modified[1]);
    EXPECT_EQ(readBytes(dir.path / "perso.bak"), other);
}

TEST(HeaderLine, SeparatorAmongTheFixedPositionsIsRefusedNotReadAcross) {
    // Positions 9 and 10 hold the TVA letter and the type letter: a separator
    // there would make the objet list name swallow the rest of the line.
    const std::wstring five = R + R + R + R + R;
    EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(L" 1 12026" + five); }), kErrBadLine);
    EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(L" 1 12026 " + five); }), kErrBadLine);
    EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(L" 1 12026" + five + L"T"); }), kErrBadLine);
    // A separator right after position 10 is an empty objet list name.
    AccountHeader h = convertit_ChaineConfiguration(L" 1 12026 S" + five);
    EXPECT_EQ(h.objetListName, L"");
    EXPECT_EQ(h.title, L"");
    EXPECT_EQ(h.accountType, 3);
}

TEST(StoredLine, SeparatorAmongTheFixedPositionsIsRefusedNotReadAcross) {
    const std::wstring four = R + R + R + R;
    EXPECT_EQ(errorOf([&] { convertit_ChaineYzo(L"14 72026" + four); }), kErrBadLine);
    EXPECT_EQ(errorOf([&] { convertit_ChaineYzo(L"14 72026 " + four + L"12"); }), kErrBadLine);
    EXPECT_EQ(errorOf([&] { convertit_ChaineYzo(L"14 72026" + R + L"D" + four); }), kErrBadLine);
    Operation op = convertit_ChaineYzo(L"14 72026 D" + four);
    EXPECT_EQ(op.rubrique, L"");
    EXPECT_EQ(op.objet, L"");
}

// The lenient cut reads what a damaged line holds; the strict reading takes
// the same fields from a whole line and refuses the others.
TEST(StoredLine, TheLenientCutReadsWhatADamagedLineHolds) {
    struct Case {
        std::wstring line;
        wchar_t flag, code;
        std::wstring rubrique, objet, montant, numero;
        size_t separators;
    };
    const Case cases[] = {
        {L"25122008/DLoyer" + R + L"Agence" + R + L"-400" + R + L"0" + R + L"12" + R + L"b", L'/', L'D', L"Loyer",
         L"Agence", L"-400", L"12" + R + L"b", 4},
        {L"25122008 DCourses", L' ', L'D', L"Courses", L"", L"", L"", 0},
        {L"25122008 DAchats" + R + L" lait ", L' ', L'D', L"Achats", L" lait ", L"", L"", 1},
        {L"2512" + R + L"X" + R + L"5", L' ', L' ', L"", L"X", L"5", L"", 2},
        {L"25122008", L' ', L' ', L"", L"", L"", L"", 0},
    };
    for (const Case& c : cases) {
        StoredFields f = splitStoredLine(c.line);
        EXPECT_EQ(f.flag, c.flag) << c.line;
        EXPECT_EQ(f.code, c.code) << c.line;
        EXPECT_EQ(f.rubrique, c.rubrique) << c.line;
        EXPECT_EQ(f.objet, c.objet) << c.line;
        EXPECT_EQ(f.montant, c.montant) << c.line;
        EXPECT_EQ(f.numero, c.numero) << c.line;
        EXPECT_EQ(f.separators, c.separators) << c.line;
        if (c.separators == 4) {
            OperationView op = readOperation(c.line);
            EXPECT_EQ(op.rubrique, f.rubrique);
            EXPECT_EQ(op.numero, f.numero);
        } else {
            EXPECT_NE(errorOf([&] { readOperation(c.line); }), 0) << c.line;
        }
    }
}

TEST(StoredLine, FieldsNeverCarryASeparatorOrALineBreakIntoTheLine) {
    Operation op;
    op.date = dateFromYMD(2026, 7, 14);
    op.flag = RS;
    op.code = L'D';
    op.rubrique = L"Cour" + R + L"ses";
    op.objet = L"A\r\nB";
    op.numero = L"12" + R + L"\n";
    std::wstring line = FormeYzo(op);
    // The numéro is the last field: a separator in it reads back as it was.
    EXPECT_EQ(line, L"14 72026 DCour ses" + R + L"A  B" + R + L"0" + R + L"0" + R + L"12" + R + L" ");
    EXPECT_EQ(convertit_ChaineYzo(line).numero, L"12" + R + L" ");
    op.objet = std::wstring(kMaxLineLength, L'A');
    EXPECT_EQ(errorOf([&] { FormeYzo(op); }), kErrBadLine);

    AccountHeader h = convertit_ChaineConfiguration(newAccountHeaderText(dateFromYMD(2026, 1, 1)));
    h.title = L"MES" + R + L"COMPTES\n";
    h.objetListName = L"a" + R + L"b";
    AccountHeader back = convertit_ChaineConfiguration(FormeConfiguration(h));
    EXPECT_EQ(back.title, L"MES COMPTES ");
    EXPECT_EQ(back.objetListName, L"a b");
    EXPECT_EQ(back.password, L"");
    // A record that never had its date text still writes a header that opens.
    AccountHeader blank;
    blank.startDate = dateFromYMD(2026, 3, 5);
    EXPECT_EQ(convertit_ChaineConfiguration(FormeConfiguration(blank)).startDate, blank.startDate);
}

TEST(StoredLine, LineLongerThanAnyOperationIsMalformed) {
    std::wstring longest = L"14 72026 DX" + R + L"Y" + R + L"1" + R + L"0" + R;
    longest += std::wstring(kMaxLineLength - longest.size(), L'7');
    EXPECT_EQ(convertit_ChaineYzo(longest).numero.size(), kMaxLineLength - 18);
    EXPECT_EQ(errorOf([&] { convertit_ChaineYzo(longest + L"7"); }), kErrBadLine);
}

TEST(StatusMessage, NeverHoldsASeparatorAndNeverRunsPastTheLongestLine) {
    TestPlatform p;
    MainForm form(p);
    form.message(L"GARAGE" + R + L"312" + L"\r\n");
    EXPECT_EQ(p.messages.back(), L" GARAGE 312");
    form.message(std::wstring(3 * kMaxLineLength, L'x'));
    EXPECT_LE(p.messages.back().size(), kMaxLineLength + 1);
    form.msgBox(L"erreur" + R + L"ligne");
    EXPECT_EQ(p.boxes.back(), L"erreur ligne");
}

TEST(OpeningBadFiles, OverlongLineIsReportedShortlyKeptAndWrittenBackUnchanged) {
    TempDir dir;
    std::string header = kGoodHeader;
    header[header.size() - 3] = '2';
    std::string huge = " 2 12026 RVente\x1e" "X\x1e" "1\x1e" "0\x1e" + std::string(200000, '9');
    std::string bytes = header + huge + "\r\n" + " 3 12026 RSalaire\x1e" "EMPLOYEUR\x1e" "1500\x1e" "0\x1e\r\n";
    writeBytes(dir.path / "long.yzo", bytes);
    Opened o(dir, "long.yzo");
    ASSERT_EQ(o.platform.boxes.size(), 1u);
    EXPECT_EQ(o.platform.boxes[0].rfind(L"1004 Ligne mal formée", 0), 0u) << toUtf8(o.platform.boxes[0]);
    EXPECT_LT(o.platform.boxes[0].size(), 200u);
    EXPECT_EQ(o.form.acc.operationCount(), 2);
    // Shown, not counted; the ledger line and every message stay short.
    EXPECT_DOUBLE_EQ(o.form.led.totals.balance, 1500);
    for (const std::wstring& line : o.form.led.screenLines) EXPECT_LT(line.size(), kMaxLineLength);
    o.form.KeyDown(L"txt", KeyEvent{kKeyUp});
    o.form.KeyDown(L"txt", KeyEvent{keyLetter('O')});
    o.form.KeyDown(L"txt", KeyEvent{keyLetter('N')});
    for (const std::wstring& m : o.platform.messages) EXPECT_LE(m.size(), kMaxLineLength + 1);
    o.form.acc.modified[1] = true;
    o.form.enregistrer();
    std::string saved = readBytes(dir.path / "long.yzo");
    EXPECT_EQ(saved.substr(saved.find('\n') + 1), bytes.substr(header.size()));
}
