// The table of the display: column widths, narrowing to 80 columns, cuts and
// the alignment of amounts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "app/textfile.h"
#include "ledger/ledger.h"
#include "test_platform.h"
#include "print/print.h"

namespace {

std::wstring stored(const std::wstring& date, const std::wstring& rubrique, const std::wstring& objet,
                    const std::wstring& amount, const std::wstring& tva = L"0", const std::wstring& numero = L"") {
    return date + L" D" + rubrique + RS + objet + RS + amount + RS + tva + RS + numero;
}

std::vector<std::wstring> rowsOf(const std::wstring& table) { return textLines(table); }
}  // namespace

TEST(PrintTable, NarrowedTo80TheObjetFirstThenTheRubriqueDownTo8) {
    // Widths before narrowing: rubrique 20, objet 40, amount 7, number 6: 11 + 21 + 41 + 8 + 7 = 88.
    std::vector<std::wstring> lines = {
        stored(L" 1 12026", std::wstring(20, L'R'), std::wstring(40, L'O'), L"-5"),
        stored(L" 2 12026", L"Court", L"Bref", L"7", L"0", L"12")};
    auto rows = rowsOf(tableOfLines(lines, {3, false, false}));
    ASSERT_EQ(rows.size(), 3u);
    // The objet gives its 8 characters above 10: the table is 80 wide.
    EXPECT_EQ(rows[1], L" 1/ 1/2026 " + std::wstring(20, L'R') + L" " + std::wstring(31, L'O') + L"_      -5 ");
    EXPECT_EQ(rows[2].size(), 11u + 21 + 33 + 8 + 2);

    // A number of 45 characters: the objet goes to 10, the rubrique to 8, and
    // the objet gives the 5 characters still missing.
    std::wstring number(45, L'9');
    lines[0] = stored(L" 1 12026", std::wstring(20, L'R'), std::wstring(40, L'O'), L"-5", L"0", number);
    rows = rowsOf(tableOfLines(lines, {3, false, false}));
    EXPECT_EQ(rows[1], L" 1/ 1/2026 RRRRRRR_ OOOO_      -5 " + number);
    EXPECT_EQ(rows[2], L" 2/ 1/2026 Court    Bref        7 12");
    EXPECT_EQ(rows[0].substr(0, 33), L"   DATE    RUBRIQUE OBJET MONTANT");
    EXPECT_EQ(rows[1].size(), 79u);

    // With the report flag nothing is narrowed.
    rows = rowsOf(tableOfLines(lines, {3, false, true}));
    EXPECT_EQ(rows[1], L" 1/ 1/2026 " + std::wstring(20, L'R') + L" " + std::wstring(40, L'O') + L"      -5 " + number);
}

TEST(PrintTable, AmountsWithADecimalPointLineUpTheirUnits) {
    std::vector<std::wstring> lines = {stored(L" 1 12026", L"A", L"B", L"100"), stored(L" 2 12026", L"A", L"B", L"-12.5"),
                                       stored(L" 3 12026", L"A", L"B", L"3.25"), stored(L" 4 12026", L"A", L"B", L"1234567")};
    auto rows = rowsOf(tableOfLines(lines, {3, false, false}));
    // "1234567" and three blanks make the column 10 wide.
    EXPECT_EQ(rows[0].size(), 11u + 9 + 6 + 11);
    size_t units = rows[4].find(L"1234567") + 6;
    EXPECT_EQ(rows[1][units], L'0');
    EXPECT_EQ(rows[2][units], L'2');
    EXPECT_EQ(rows[2][units + 1], L'.');
    EXPECT_EQ(rows[3][units], L'3');
    EXPECT_EQ(rows[3].substr(units + 1), L".25 ");

    // Amounts with a decimal comma are only right-aligned.
    lines = {stored(L" 1 12026", L"A", L"B", L"100"), stored(L" 2 12026", L"A", L"B", L"-12,5")};
    rows = rowsOf(tableOfLines(lines, {3, false, false}));
    EXPECT_EQ(rows[1], L" 1/ 1/2026 A        B         100 ");
    EXPECT_EQ(rows[2], L" 2/ 1/2026 A        B       -12,5 ");
}

TEST(PrintTable, EveryRowOfATvaAccountHasItsTvaAndNumber) {
    std::vector<std::wstring> lines = {stored(L" 1 12026", L"A", L"B", L"-1", L"-1234,56", L"7"),
                                       stored(L" 2 12026", L"A", L"B", L"-2", L"0", L"8")};
    auto rows = rowsOf(tableOfLines(lines, {1, true, false}));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], L"   DATE    V RUBRIQUE OBJET MONTANT   TVA    NUMERO");
    EXPECT_EQ(rows[1], L" 1/ 1/2026   A        B          -1 -1234,56 7");
    EXPECT_EQ(rows[2], L" 2/ 1/2026   A        B          -2 0        8");
}

namespace {
class PrintCommands : public ::testing::Test {
protected:
    std::wstring folder;
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        char tmpl[] = "/tmp/yzo-print-XXXXXX";
        folder = fromUtf8(mkdtemp(tmpl)) + L"/";
        std::wstring header = std::wstring(L" 1 12026 S") + RS + L"ESSAI" + RS + L"0" + RS + L"0" + RS + L"EUROS" + RS + L"1";
        writeTextLines(folder + L"compte.yzo", {header, stored(L" 2 12026", L"Divers", L"PAIN", L"-2")});
        tp.folder = folder;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(folder + L"compte.yzo");
        tp.messages.clear();
    }
    void TearDown() override { std::filesystem::remove_all(fsPath(folder)); }
};
}  // namespace

TEST_F(PrintCommands, KeyHelpOnlySpeaksTheLabel) {
    form->app.keyHelp = true;
    for (const wchar_t* name : {L"mnuImprimer", L"mnuVisuImprimer", L"mnuMiseFichier", L"mnuParametreImprimer",
                                L"mnuParametreCheque"})
        form->MenuCommand(name);
    EXPECT_EQ(tp.messages, (std::vector<std::wstring>{L" imprimer l'affichage", L" Visualisation de l'impression",
                                                       L" Mise sur fichier de l'affichage", L" Choix de l'imprimante",
                                                       L" paramètres du chéquier"}));
    EXPECT_TRUE(tp.printed.empty());
    EXPECT_TRUE(tp.boxes.empty());
    EXPECT_EQ(form->displayMode(), DisplayMode::Operations);
}

TEST_F(PrintCommands, APrinterFailureIsSaidAndTheTableUsesThePrinterFont) {
    form->app.config[21] = L"DejaVu Sans Mono";
    form->app.config[22] = L"9";
    form->MenuCommand(L"mnuImprimer");
    ASSERT_EQ(tp.printed.size(), 1u);
    EXPECT_EQ(tp.printed[0].fontName, L"DejaVu Sans Mono");
    EXPECT_EQ(tp.printed[0].fontSize, 9);
    EXPECT_EQ(tp.printed[0].orientation, Orientation::Portrait);
    EXPECT_EQ(tp.printed[0].text.back(), L'\f');
    EXPECT_EQ(tp.messages.back(), L" impression envoyée");
    tp.printerWorks = false;
    form->app.config[22] = L"neuf";   // not a size: the usual 12
    form->MenuCommand(L"mnuImprimer");
    EXPECT_EQ(tp.printed.back().fontSize, 12);
    EXPECT_EQ(tp.messages.back(), L" échec de l'impression");
}

// A damaged line is printed as the ledger shows it: without a separator the
// rest of the line is its rubrique, and a field cut short is trimmed as the
// others are.
TEST_F(PrintCommands, ADamagedLineIsPrintedAsTheLedgerShowsIt) {
    std::wstring header = std::wstring(L" 1 12026 S") + RS + L"ESSAI" + RS + L"0" + RS + L"0" + RS + L"EUROS" + RS + L"3";
    writeTextLines(folder + L"abime.yzo", {header, stored(L" 2 12026", L"Divers", L"PAIN", L"-2"),
                                           L" 3 12026 DCourses", L" 4 12026 DAchats" + std::wstring(1, RS) + L"  lait  "});
    form->Form_Load(folder + L"abime.yzo");
    ASSERT_EQ(form->led.displayCount(), 3);
    auto rows = rowsOf(form->FormeTableAffiche(false));
    ASSERT_GE(rows.size(), 7u);  // title, blank, header, three rows, balance
    const std::wstring& good = rows[3];
    const size_t rubrique = good.find(L"Divers"), objet = good.find(L"PAIN");
    EXPECT_NE(form->led.screenLines[3].find(L"Courses"), std::wstring::npos);
    EXPECT_EQ(rows[4].substr(rubrique, 7), L"Courses");
    EXPECT_NE(form->led.screenLines[4].find(L"Achats"), std::wstring::npos);
    EXPECT_EQ(rows[5].substr(rubrique, 6), L"Achats");
    EXPECT_EQ(rows[5].substr(objet, 5), L"lait ");
}
