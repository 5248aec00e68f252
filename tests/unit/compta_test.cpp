// The accounting report's pieces: command lines classified, account names
// placed and found in any case, the report's command line, and the sums of an
// account, which must be the ledger's own balances.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <random>
#include <unistd.h>

#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "compta/compta.h"
#include "test_platform.h"

namespace {
const std::wstring Sep(1, wchar_t(30));

struct Case {
    const wchar_t* line;
    int code;
    const wchar_t* texte;
    bool manque;
};
}  // namespace

TEST(ComptaCommande, EveryFormOfALine) {
    const Case cases[] = {
        {L"NOM_COMPTE: a.yzo+b.yzo", kNomCompte, L" a.yzo+b.yzo", false},
        {L"nom_compte:a.yzo", kNomCompte, L"a.yzo", false},
        {L"   Solde_Partiel:   trois comptes ", kSoldePartiel, L"   trois comptes ", false},
        {L"SOLDE_TOTAL: Général", kSoldeTotal, L" Général", false},
        // The keyword after a remark's colon: the text after the first colon, keyword included.
        {L"Remarque : SOLDE_TOTAL: fin", kSoldeTotal, L" SOLDE_TOTAL: fin", false},
        // A later keyword is looked for in what follows the first colon.
        {L"NOM_COMPTE: x.yzo SOLDE_TOTAL: y", kSoldeTotal, L" y", false},
        {L"NOM_COMPTE x.yzo", kTexte, L"", true},
        {L"NOM_COMPTE: x.yzo SOLDE_TOTAL y", kNomCompte, L" x.yzo SOLDE_TOTAL y", true},
        {L"Compte courant : solde", kTexte, L"", false},
        {L"", kTexte, L"", false},
    };
    for (const Case& c : cases) {
        Commande got = test_commande(c.line);
        EXPECT_EQ(c.code, got.code) << c.line;
        EXPECT_EQ(c.texte, got.texte) << c.line;
        EXPECT_EQ(c.manque, got.manqueDeuxPoints) << c.line;
    }
}

TEST(ComptaCommande, NamesAreLookedForWhereTheRuleSaysThenInTheStorageAndCommandFolders) {
    const ComptaFolders folders{L"/stock/", L"/prog/", L"/cmd/"};
    auto names = extrait_fichier(L" a.yzo + Sous/b.yzo+c.Yzo ", folders);
    ASSERT_EQ(3u, names.size());
    EXPECT_EQ(L"a.yzo", names[0].written);
    // Every name but the last: the storage folder (the rule's), then the command file's.
    EXPECT_EQ((std::vector<std::wstring>{L"/stock/A.YZO", L"/cmd/A.YZO"}), names[0].candidates);
    // A folder keeps its case, the file is found in any case.
    EXPECT_EQ((std::vector<std::wstring>{L"/stock/Sous/B.YZO", L"/cmd/Sous/B.YZO"}), names[1].candidates);
    // The last: the program's folder (the rule's), then the storage folder, then the command file's.
    EXPECT_EQ(L"c.Yzo", names[2].written);
    EXPECT_EQ((std::vector<std::wstring>{L"/prog/C.YZO", L"/stock/C.YZO", L"/cmd/C.YZO"}), names[2].candidates);
    EXPECT_EQ(L"Fichier c.Yzo inconnu, cherché dans /prog/, /stock/ et /cmd/", texteInconnu(names[2]));

    names = extrait_fichier(L"/home/Moi/d.yzo+C:\\Comptes\\e.yzo+", folders);
    ASSERT_EQ(3u, names.size());
    // A full path stands for its file alone.
    EXPECT_EQ((std::vector<std::wstring>{L"/home/Moi/D.YZO"}), names[0].candidates);
    EXPECT_EQ(L"Fichier /home/Moi/d.yzo inconnu, cherché dans /home/Moi/", texteInconnu(names[0]));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\Comptes\\E.YZO"}), names[1].candidates);
    // Nothing after the last "+": an empty name, unknown.
    EXPECT_TRUE(names[2].candidates.empty());
    EXPECT_EQ(L"Fichier  inconnu", texteInconnu(names[2]));

    // A folder named twice is looked in once.
    names = extrait_fichier(L"a.yzo+b.yzo", {L"/stock/", L"/stock/", L"/stock/"});
    EXPECT_EQ((std::vector<std::wstring>{L"/stock/A.YZO"}), names[0].candidates);
    EXPECT_EQ((std::vector<std::wstring>{L"/stock/B.YZO"}), names[1].candidates);
    EXPECT_EQ(L"Fichier b.yzo inconnu, cherché dans /stock/", texteInconnu(names[1]));
}

TEST(ComptaCommande, TheSwitchesAreWordsOfTheirOwn) {
    ArgumentsCompta a = comptaArguments(L"/srv/compta/club.txt /C");
    EXPECT_EQ(L"/srv/compta/club.txt", a.commandFile);
    EXPECT_FALSE(a.simple);
    a = comptaArguments(L"  club.txt  /c /s");
    EXPECT_EQ(L"club.txt", a.commandFile);
    EXPECT_TRUE(a.simple);
    a = comptaArguments(L"/home/me/Mes comptes/club.txt /C/S");
    EXPECT_EQ(L"/home/me/Mes comptes/club.txt", a.commandFile);
    EXPECT_TRUE(a.simple);
    a = comptaArguments(L"\"/tmp/a b.txt\" /C");
    EXPECT_EQ(L"/tmp/a b.txt", a.commandFile);
    EXPECT_EQ(L"", comptaArguments(L"/C").commandFile);
    // The window and the launch ask the same question of the same rule.
    for (const wchar_t* line : {L"club.txt /c", L"club.txt /S/C", L"\"a b.txt\"/C", L"/C"})
        EXPECT_TRUE(hasReportSwitch(line)) << line;
    for (const wchar_t* line : {L"/Comptes/club.yzo", L"/home/c/club.yzo", L"club.txt /Cx", L""})
        EXPECT_FALSE(hasReportSwitch(line)) << line;
    EXPECT_EQ(L"prn/club.prn", prnName(L"prn/club.txt"));
    EXPECT_EQ(L"v1.2/club.prn", prnName(L"v1.2/club"));
}

TEST(ComptaCommande, AnAccountIsFoundWhateverTheCaseOfItsName) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("yzo-compta-" + std::to_string(::getpid()));
    fs::create_directories(dir / "Épargne.yzo.d");
    std::ofstream(dir / "Épargne.yzo") << "x";
    std::ofstream(dir / "livret.YZO") << "x";
    const std::wstring folder = fromUtf8(dir.string()) + L"/";

    EXPECT_EQ(folder + L"Épargne.yzo", resolveAccountFile(folder + L"ÉPARGNE.YZO"));
    EXPECT_EQ(folder + L"livret.YZO", resolveAccountFile(folder + L"LIVRET.YZO"));
    EXPECT_EQ(folder + L"livret.YZO", resolveAccountFile(folder + L"livret.YZO"));
    EXPECT_EQ(std::nullopt, resolveAccountFile(folder + L"ABSENT.YZO"));
    EXPECT_EQ(std::nullopt, resolveAccountFile(folder + L"ÉPARGNE.YZO.D"));  // a folder is no account
    EXPECT_EQ(std::nullopt, resolveAccountFile(L""));
    fs::remove_all(dir);
}

namespace {
std::wstring dateField(Date d) {
    int y, m, day;
    ymdFromDate(d, y, m, day);
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%2d%2d%04d", day, m, y);
    return buf;
}

// An account of random operations of every kind, in cents written as a file holds them.
std::vector<std::wstring> randomLines(unsigned seed, int count) {
    std::mt19937 rng(seed);
    const Date first = dateFromYMD(2024, 1, 1);
    const wchar_t flags[] = {L' ', L' ', L'/', L'*'};
    const wchar_t codes[] = {L'R', L'D', L'D', L'B', L'A', L'T', L'P'};
    const wchar_t* numeros[] = {L"", L"ES", L" es ", L"4711", L"E S"};
    std::vector<std::wstring> lines;
    for (int i = 0; i < count; ++i) {
        long cents = static_cast<long>(rng() % 200001) - 100000;
        wchar_t amount[32], tva[32];
        std::swprintf(amount, 32, L"%ld,%02ld", cents / 100, std::labs(cents % 100));
        std::swprintf(tva, 32, L"%ld", cents / 500);
        lines.push_back(dateField(first + static_cast<Date>(rng() % 1500)) + flags[rng() % 4] + codes[rng() % 7] +
                        L"Rubrique" + Sep + L"Objet" + Sep + amount + Sep + tva + Sep + numeros[rng() % 5]);
    }
    return lines;
}
}  // namespace

// The report sums an account as the ledger's display of all its operations does.
TEST(ComptaSommes, AnAccountSumsToTheLedgersOwnBalance) {
    for (const wchar_t* kind : {L"TT", L" P", L"TS"}) {
        std::vector<std::wstring> lines = randomLines(kind[1], 3000);
        const std::wstring header = L" 1 12025" + std::wstring(kind) + Sep + L"Aléa" + Sep + L"0" + Sep + L"0" + Sep +
                                    L"EUROS" + Sep + L"3000";
        TestPlatform platform;
        MainForm form(platform);
        form.acc.table[1] = form.acc.header = convertit_ChaineConfiguration(header);
        for (const auto& l : lines) (isPensionLine(l) ? form.acc.pensionLines : form.acc.operationLines).push_back({l, 0});
        form.app.config[33] = L"en tableau";
        form.led.displayMode[1] = DisplayMode::Operations;
        form.AfficheYzo();
        const Totals& ledger = form.led.totals;

        ComptaReport report;
        ComptaAccount account;
        account.header = form.acc.header;
        long listed = 0;
        for (const auto& l : form.acc.operationLines) {
            if (l.text.empty()) continue;
            RangeOperation_compta(l.text, rangeOf(report, account.header), true, account);
            if (readDateField(l.text.substr(0, 8)) >= account.header.startDate) ++listed;
        }
        EXPECT_EQ(listed, static_cast<long>(account.listed.size())) << kind;
        double balance = account.sums.balance + (account.header.accountType == 1 ? account.sums.bankAmount : 0);
        EXPECT_EQ(Forme_montant(ledger.balance), Forme_montant(balance)) << kind;
        EXPECT_EQ(Forme_montant(ledger.tvaSum), Forme_montant(account.sums.tvaSum)) << kind;
        EXPECT_EQ(Forme_montant(ledger.cashBalance), Forme_montant(account.sums.cashBalance)) << kind;
        EXPECT_EQ(Forme_montant(ledger.nonCashBalance), Forme_montant(account.sums.nonCashBalance)) << kind;
    }
}

TEST(ComptaSommes, ARangeKeepsItsDatesAndCountsTraitesWithoutListingThem) {
    AccountHeader h = convertit_ChaineConfiguration(L" 1 12026 S" + Sep + L"T" + Sep + L"0" + Sep + L"0" + Sep +
                                                    L"EUROS" + Sep + L"3");
    ComptaReport report;
    report.allDates = false;
    report.range = {dateFromYMD(2026, 2, 1), dateFromYMD(2026, 2, 28)};
    ComptaAccount account;
    account.header = h;
    const std::wstring lines[] = {
        L"31 12026 RA" + Sep + L"" + Sep + L"1" + Sep + L"0" + Sep,     // the day before
        L" 1 22026 RA" + Sep + L"" + Sep + L"10" + Sep + L"0" + Sep,    // the first day
        L"15 22026 TA" + Sep + L"" + Sep + L"-4" + Sep + L"0" + Sep + L"2",  // a traite: counted, not listed
        L"28 22026 DA" + Sep + L"" + Sep + L"-0,5" + Sep + L"0" + Sep,  // the last day
        L" 1 32026 RA" + Sep + L"" + Sep + L"100" + Sep + L"0" + Sep,   // the day after
    };
    for (const auto& l : lines) RangeOperation_compta(l, rangeOf(report, h), true, account);
    EXPECT_EQ(Forme_montant(5.5), Forme_montant(account.sums.balance));
    ASSERT_EQ(2u, account.listed.size());
    EXPECT_EQ(lines[1], account.listed[0]);
    EXPECT_EQ(lines[3], account.listed[1]);
    EXPECT_THROW(RangeOperation_compta(L" 1 22026 Rsans séparateur", rangeOf(report, h), true, account), YzoError);
}

TEST(ComptaSommes, CashThatCancelsOutGivesNoCashLines) {
    ComptaReport report;
    ComptaAccount account;
    account.header.unitName = L"EUROS";
    account.header.accountType = 3;
    account.sums.cashBalance = 0.1 + 0.2 - 0.3;  // not exactly 0
    account.sums.balance = 7;
    ajouteCompte(report, account);
    EXPECT_EQ(std::wstring::npos, report.text.find(L"ESPECES"));
    EXPECT_NE(std::wstring::npos, report.text.find(L"SOLDE TOTAL DU COMPTE : 7 EUROS"));
}

namespace {
namespace fs = std::filesystem;

// A program's folder, a storage folder and a command file's folder apart, as
// for an installed program. The platform can make an allocation fail when a
// status text holds a given word, as a report summing a large account
// thousands of times runs out of memory.
class ComptaPlatform : public TestPlatform {
public:
    std::wstring storage;
    std::wstring failOn;  // a word of the status text after which memory runs out
    int failAfter = 0;    // how many such texts are said before it does
    std::wstring DefaultStorageFolder() override { return storage; }
    void StatusChanged(const std::wstring& text) override {
        TestPlatform::StatusChanged(text);
        if (!failOn.empty() && text.find(failOn) != std::wstring::npos && --failAfter < 0) throw std::bad_alloc();
    }
};

class ComptaRun : public ::testing::Test {
protected:
    fs::path root;
    ComptaPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        char tmpl[] = "/tmp/yzo-compta-run-XXXXXX";
        root = mkdtemp(tmpl);
        for (const char* sub : {"prog", "stock", "cmd"}) fs::create_directories(root / sub);
        tp.folder = path("prog/");
        tp.storage = path("stock/");
    }
    void TearDown() override { fs::remove_all(root); }
    std::wstring path(const std::string& relative) const { return fromUtf8((root / relative).string()); }
    void account(const std::string& relative, const std::wstring& title) {
        writeTextLines(path(relative), {L" 1 12026 S" + Sep + title + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"1",
                                        L" 5 22026 RVente" + Sep + L"BROCANTE" + Sep + L"150" + Sep + L"0" + Sep});
    }
    // The report from the command line on cmd/club.txt, holding these lines.
    void report(const std::vector<std::wstring>& commands) {
        writeTextLines(path("cmd/club.txt"), commands);
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(path("cmd/club.txt") + L" /C");
    }
    bool said(const std::wstring& text) const {
        return std::find(tp.messages.begin(), tp.messages.end(), L" " + text) != tp.messages.end();
    }
};
}  // namespace

// An installed program's folder holds no account: the last name of a line is
// looked for there first, then in the storage folder, then beside the command file.
TEST_F(ComptaRun, ANameIsFoundInTheStorageFolderOrBesideTheCommandFile) {
    account("stock/courant.yzo", L"Courant");
    account("cmd/voisin.yzo", L"Voisin");
    account("prog/Livret.yzo", L"Livret du programme");
    account("stock/livret.yzo", L"Livret du stockage");
    report({L"NOM_COMPTE: courant.yzo", L"NOM_COMPTE: voisin.yzo + courant.yzo", L"NOM_COMPTE: livret.yzo",
            L"NOM_COMPTE: absent.yzo"});
    EXPECT_TRUE(said(L"Courant"));
    EXPECT_TRUE(said(L"Voisin"));
    // The rule's folder comes first.
    EXPECT_TRUE(said(L"Livret du programme"));
    EXPECT_FALSE(said(L"Livret du stockage"));
    const std::wstring unknown = L"Fichier absent.yzo inconnu, cherché dans " + path("prog/") + L", " +
                                 path("stock/") + L" et " + path("cmd/");
    EXPECT_EQ((std::vector<std::wstring>{unknown}), tp.boxes);
    std::vector<std::wstring> prn = readTextLines(path("cmd/club.prn"));
    EXPECT_EQ(1, std::count(prn.begin(), prn.end(), unknown));
    EXPECT_TRUE(tp.endCalled);
}

// Memory that runs out while a report is built: said in words, and nothing of
// the report is written, from the command line or in the window.
TEST_F(ComptaRun, AReportThatRunsOutOfMemoryIsDroppedWhole) {
    account("prog/courant.yzo", L"Courant");
    tp.failOn = L"Courant";
    tp.failAfter = 2;
    report({L"NOM_COMPTE: courant.yzo", L"NOM_COMPTE: courant.yzo", L"NOM_COMPTE: courant.yzo", L"fin"});
    const std::wstring outOfMemory = L"7 Mémoire insuffisante (rapport abandonné, rien n'est écrit) sur LitFichierCompta";
    EXPECT_EQ((std::vector<std::wstring>{outOfMemory}), tp.boxes);
    EXPECT_FALSE(fs::exists(root / "cmd/club.prn"));
    EXPECT_TRUE(tp.endCalled);

    // In the window: the report is neither shown nor written, its memory is given back.
    tp = ComptaPlatform{};
    tp.folder = path("prog/");
    tp.storage = path("stock/");
    form = std::make_unique<MainForm>(tp);
    form->Form_Load(L"");
    tp.boxes.clear();
    tp.failOn = L"Courant";
    tp.failAfter = 1;
    tp.files.push_back(path("cmd/club.txt"));
    tp.replies.push_back(MsgResult::No);  // no date range
    form->MenuCommand(L"MnuComptaDetailItem");
    EXPECT_EQ((std::vector<std::wstring>{L"Voulez vous une fourchette de date", outOfMemory}), tp.boxes);
    EXPECT_FALSE(fs::exists(root / "cmd/club.prn"));
    EXPECT_TRUE(form->cpt.report.text.empty());
    EXPECT_TRUE(form->app.normalMode);

    // Any other work that runs out of memory says so in the same words.
    tp.boxes.clear();
    form->reportError(std::bad_alloc(), L"essai");
    EXPECT_EQ((std::vector<std::wstring>{L"7 Mémoire insuffisante sur essai"}), tp.boxes);
}
