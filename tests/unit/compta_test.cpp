// The accounting report's pieces: command lines classified, account names
// placed and found in any case, the report's command line, and the sums of an
// account, which must be the ledger's own balances.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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

TEST(ComptaCommande, NamesGoToTheStorageFolderButTheLastToTheProgramsFolder) {
    auto files = extrait_fichier(L" a.yzo + Sous/b.yzo+c.Yzo ", L"/stock/", L"/prog/");
    ASSERT_EQ(3u, files.size());
    EXPECT_EQ(L"/stock/A.YZO", files[0]);
    EXPECT_EQ(L"/stock/Sous/B.YZO", files[1]);  // a folder keeps its case, the file is found in any case
    EXPECT_EQ(L"/prog/C.YZO", files[2]);

    files = extrait_fichier(L"/home/Moi/d.yzo+C:\\Comptes\\e.yzo+", L"/stock/", L"/prog/");
    ASSERT_EQ(3u, files.size());
    EXPECT_EQ(L"/home/Moi/D.YZO", files[0]);
    EXPECT_EQ(L"C:\\Comptes\\E.YZO", files[1]);
    EXPECT_EQ(L"", files[2]);  // nothing after the last "+": an empty name, unknown
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
        form.led.displayMode[1] = 2;
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
        double balance = account.sums.balance + (account.header.accountType == 1 ? account.sums.bank : 0);
        EXPECT_EQ(Forme_montant(ledger.balance), Forme_montant(balance)) << kind;
        EXPECT_EQ(Forme_montant(ledger.tvaSum), Forme_montant(account.sums.tva)) << kind;
        EXPECT_EQ(Forme_montant(ledger.cashBalance), Forme_montant(account.sums.cash)) << kind;
        EXPECT_EQ(Forme_montant(ledger.nonCashBalance), Forme_montant(account.sums.nonCash)) << kind;
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
    account.sums.cash = 0.1 + 0.2 - 0.3;  // not exactly 0
    account.sums.balance = 7;
    ajouteCompte(report, account);
    EXPECT_EQ(std::wstring::npos, report.text.find(L"ESPECES"));
    EXPECT_NE(std::wstring::npos, report.text.find(L"SOLDE TOTAL DU COMPTE : 7 EUROS"));
}
