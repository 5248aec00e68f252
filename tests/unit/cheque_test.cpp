// The cheque layout: geometry from millimetres, the order and merging of the
// items, the words of the amount, and the checks of parameter values.
#include <gtest/gtest.h>

#include "ledger/ledger.h"
#include "print/print.h"

namespace {
std::array<std::wstring, kChequeLines + 1> newValues() {
    std::array<std::wstring, kChequeLines + 1> values{};
    std::vector<std::wstring> lines = newChequeParameterLines();
    for (int k = 1; k <= kChequeLines; ++k) values[k] = lines[k - 1];
    return values;
}
}  // namespace

TEST(Cheque, GeometryOfTheNewFileValues) {
    ChequeGeometry g = chequeGeometry(newValues());
    EXPECT_EQ(g.column[1], 53);
    EXPECT_EQ(g.column[2], 19);
    EXPECT_EQ(g.column[3], 1);
    EXPECT_EQ(g.column[4], 1);
    EXPECT_EQ(g.column[5], 35);
    EXPECT_EQ(g.column[6], 53);
    EXPECT_EQ(g.length[2], 28);
    EXPECT_EQ(g.length[3], 45);
    EXPECT_EQ(g.row[2], 21);
    EXPECT_EQ(g.row[5], 42);
    EXPECT_EQ(g.lineFeeds(21), 6);

    // The margins move every item; a margin can bring a row or column below 0, held at 0.
    std::array<std::wstring, kChequeLines + 1> v = newValues();
    v[3] = L"10";
    v[4] = L"20";
    g = chequeGeometry(v);
    EXPECT_EQ(g.row[2], 31);
    EXPECT_EQ(g.column[3], (20 + 5) * 80 / 203);
}

TEST(Cheque, ItemsInRowOrderAndTwoOnOneLine) {
    ChequeGeometry g;
    g.heightOf65Lines = 65;   // one line feed per millimetre
    g.row = {0, 5, 2, 3, 5, 200, 2};
    g.column = {0, 10, 4, 0, 2, 0, 4};
    std::array<std::wstring, kChequeItems + 1> texts = {L"", L"12,05", L"AB", L"line2", L"ORDRE LONG", L"x", L"CD"};
    // Row 2: items 2 and 6 at the same column, the lower number first, so the
    // second adds nothing. Row 3: one line lower. Row 5: item 4 from column 2,
    // and item 1 from column 10 cut to what lies beyond the ordre. Row 200: never.
    std::vector<std::wstring> names;
    EXPECT_EQ(composeChequeText(g, texts, &names),
              L"\r\n\r\n"
              L"    AB\r\n"
              L"line2\r\n"
              L"\r\n"
              L"  ORDRE LONG,05\r\n");
    // Each line named by the items it shows, blank lines by nothing.
    EXPECT_EQ(names, (std::vector<std::wstring>{L"", L"", L"montant en lettres", L"suite du montant", L"",
                                                L"ordre, montant en chiffres"}));
}

TEST(Cheque, EachRowOnTheLineOfItsOwnHeight) {
    // 213 mm for 65 lines: 21, 27 and 33 mm fall on lines 6, 8 and 10; the
    // 6 mm between two rows are one line and a bit, which must not be lost
    // from one row to the next. 35 mm falls on line 10 too, already written:
    // the next line. 42 mm is line 12.
    ChequeGeometry g;
    g.heightOf65Lines = 213;
    g.row = {0, 35, 21, 27, 33, 42, 100};
    g.column = {0, 3, 1, 2, 0, 1, 0};
    std::array<std::wstring, kChequeItems + 1> texts = {L"", L"f", L"w1", L"w2", L"o", L"p", L"d"};
    std::wstring blank = L"\r\n";
    std::wstring expected;
    for (int n = 0; n < 6; ++n) expected += blank;
    expected += L" w1\r\n" + blank + L"  w2\r\n" + blank + L"o\r\n   f\r\n" + L" p\r\n";
    EXPECT_EQ(composeChequeText(g, texts), expected);
}

TEST(Cheque, AmountInWords) {
    EXPECT_EQ(chequeWords(12, 5, L"EUROS"), L"douze euros et cinq centimes");
    EXPECT_EQ(chequeWords(1, 0, L"EUROS"), L"un euro");
    EXPECT_EQ(chequeWords(0, 1, L"EUROS"), L"un centime");
    EXPECT_EQ(chequeWords(0, 80, L"FRANCS"), L"quatre vingts centimes");
    EXPECT_EQ(chequeWords(2, 1, L"FRANCS"), L"deux francs et un centime");
    EXPECT_EQ(chequeWords(0, 0, L"EUROS"), L"");
}

TEST(Cheque, ParameterValues) {
    EXPECT_EQ(chequeValueError(3, L"12"), L"");
    EXPECT_EQ(chequeValueError(3, L"0"), L"");
    EXPECT_EQ(chequeValueError(3, L"1O"), L"lettre interdit");
    EXPECT_EQ(chequeValueError(3, L"-5"), L"lettre interdit");
    EXPECT_EQ(chequeValueError(3, L" 5"), L"lettre interdit");
    EXPECT_EQ(chequeValueError(3, L""), L"valeur absente");
    EXPECT_NE(chequeValueError(8, L"1001"), L"");
    EXPECT_NE(chequeValueError(8, L"123456789012345678901234567890"), L"");
    EXPECT_EQ(chequeValueError(8, L"1000"), L"");
    // The two lengths that divide.
    EXPECT_NE(chequeValueError(5, L"0"), L"");
    EXPECT_NE(chequeValueError(6, L"000"), L"");
    EXPECT_EQ(chequeValueError(9, L"0"), L"");
}

// A file is a parameter file when it passes the preview's checks: 26 lines at
// least, every value usable; the fixed texts are not looked at.
TEST(Cheque, ParameterFileRecognised) {
    std::vector<std::wstring> lines = newChequeParameterLines();
    EXPECT_EQ(chequeFileProblem(lines), L"");
    lines[0] = L"autre texte";
    lines.push_back(L"une ligne de plus");
    EXPECT_EQ(chequeFileProblem(lines), L"");

    std::vector<std::wstring> shortFile(lines.begin(), lines.begin() + 25);
    EXPECT_EQ(chequeFileProblem(shortFile), L"25 lignes sur 26");
    EXPECT_EQ(chequeFileProblem({}), L"0 lignes sur 26");

    // An account: its lines hold texts where the values are.
    std::vector<std::wstring> account(30, L" 2112026 DChèque\x1e" L"BOULANGERIE\x1e-12,05\x1e" L"0\x1e" L"1201");
    EXPECT_EQ(chequeFileProblem(account), L"ligne 3 incorrecte");
    lines = newChequeParameterLines();
    lines[5] = L"0";   // line 6 divides
    EXPECT_EQ(chequeFileProblem(lines), L"ligne 6 incorrecte");
    EXPECT_EQ(firstBadChequeLine(newValues()), 0);
}
