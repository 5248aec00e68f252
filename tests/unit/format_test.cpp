// Ledger line formatting: table and compact styles, column starts, dates,
// and the text functions that write amounts and pad text.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ledger/format.h"

namespace {

const std::wstring RS(1, wchar_t(30));

// A stored line: date, flag, code, rubrique RS objet RS montant RS tva RS numéro.
std::wstring stored(const std::wstring& date, wchar_t flag, wchar_t code, const std::wstring& rub,
                    const std::wstring& obj, const std::wstring& mt, const std::wstring& tva,
                    const std::wstring& num) {
    return date + flag + code + rub + RS + obj + RS + mt + RS + tva + RS + num;
}

const std::wstring kMar5 = L" 5 32008";   // Wednesday 5 March 2008
const std::wstring kDec25 = L"25122008";  // Thursday 25 December 2008

using Starts = std::array<int16_t, 8>;
Starts starts(int s1, int s2, int s3, int s4, int s5, int s6, int s7) {
    return {0, int16_t(s1), int16_t(s2), int16_t(s3), int16_t(s4), int16_t(s5), int16_t(s6), int16_t(s7)};
}

std::vector<DisplayEntry> tableOf(const std::vector<std::wstring>& lines) {
    std::vector<DisplayEntry> t(1);
    for (const auto& l : lines) {
        DisplayEntry e;
        e.line = l;
        t.push_back(e);
    }
    return t;
}

FormatSettings settingsFor(int type, bool tva, bool table = true) {
    FormatSettings s;
    s.accountType = type;
    s.hasTva = tva;
    s.unitName = L"EUROS";
    s.tableStyle = table;
    return s;
}

std::wstring blanks(int n) { return std::wstring(n, L' '); }

}  // namespace

// ---------------------------------------------------------------------------
// Dates

TEST(LineDates, ReducedAndFullFormsWithEveryNameOption) {
    FormatSettings s;
    const std::wstring line = stored(kMar5, L' ', L'R', L"", L"", L"1", L"0", L"");
    const std::wstring dec = stored(kDec25, L' ', L'R', L"", L"", L"1", L"0", L"");

    EXPECT_EQ(ligne_dateReduit(line, s), L" 5  3  2008");  // two blanks between month and year
    EXPECT_EQ(ligne_dateComplet(line, s), L" 5  3 2008");
    s.monthNames = true;
    EXPECT_EQ(ligne_dateReduit(line, s), L" 5 mars 2008");
    EXPECT_EQ(ligne_dateComplet(line, s), L" 5 mars      2008");  // month padded to 10
    EXPECT_EQ(ligne_dateComplet(dec, s), L"25 décembre  2008");
    s.dayNames = true;
    EXPECT_EQ(ligne_dateReduit(line, s), L"mercredi  5 mars 2008");
    EXPECT_EQ(ligne_dateComplet(line, s), L"mercredi  5 mars      2008");  // day padded to 9
    EXPECT_EQ(ligne_dateComplet(dec, s), L"jeudi    25 décembre  2008");
    s.monthNames = false;
    EXPECT_EQ(ligne_dateReduit(dec, s), L"jeudi 25 12  2008");
    EXPECT_EQ(ligne_dateComplet(dec, s), L"jeudi    25 12 2008");
}

TEST(LineDates, ImpossibleOrShortDatesGiveNoNamesAndDoNotFail) {
    FormatSettings s;
    s.dayNames = s.monthNames = true;
    // 31 February: no weekday, the month still has its name.
    EXPECT_EQ(ligne_dateReduit(L"31 22008 R", s), L" 31 février 2008");
    // Month 13 has no name either.
    EXPECT_EQ(ligne_dateComplet(L"011320081R", s), blanks(9) + L"01 " + blanks(10) + L"2008");
    EXPECT_EQ(ligne_dateReduit(L"", s), L"   ");
}

// ---------------------------------------------------------------------------
// Table style

TEST(TableStyle, Type1FlagWordsRubriqueAndAlignedCents) {
    auto t = tableOf({
        stored(kMar5, L'/', L'R', L"SALAIRE", L"Paie mars", L"1500", L"0", L""),
        stored(kDec25, L' ', L'D', L"LOYER", L"Appartement", L"-650,50", L"0", L"1234567"),
        stored(kDec25, L' ', L'B', L"CCP", L"Banque", L"200", L"0", L""),
    });
    FormeTableau(t, settingsFor(1, false));

    // "1500" gets three blanks so that its units stand where "-650,50" has its own.
    EXPECT_EQ(t[1].text, L" 5  3 2008 enregistré SALAIRE Paie mars    1500    EUROS ");
    EXPECT_EQ(t[1].colStart, starts(12, 23, 31, 43, 0, 58, 58));  // no numéro: start 7 one past the end
    EXPECT_EQ(t[2].text, L"25 12 2008 " + blanks(11) + L"LOYER   Appartement  -650,50 EUROS 1234567");
    EXPECT_EQ(t[2].colStart, starts(12, 23, 31, 43, 0, 58, 64));
    // A bank line has no flag column in a type 1 account; its objet Banque is
    // shown empty because other lines have a rubrique; start 6 = start 7 = two past the end.
    EXPECT_EQ(t[3].text, L"25 12 2008 CCP     " + blanks(12) + L"  200    EUROS ");
    EXPECT_EQ(t[3].text.size(), 46u);
    EXPECT_EQ(t[3].colStart, starts(0, 12, 20, 32, 0, 48, 48));
}

TEST(TableStyle, Type1WithoutAnyFlagHasNoFlagColumn) {
    auto t = tableOf({
        stored(kMar5, L' ', L'R', L"A", L"o", L"1", L"0", L""),
        stored(kMar5, L'/', L'B', L"B", L"o", L"2", L"0", L""),  // a bank line's flag does not count
    });
    FormeTableau(t, settingsFor(1, false));
    EXPECT_EQ(t[1].text, L" 5  3 2008 A o  1 EUROS ");
    EXPECT_EQ(t[1].colStart, starts(0, 12, 14, 16, 0, 25, 25));
}

TEST(TableStyle, Type3WithTvaAndNamesAndLongBankRubrique) {
    FormatSettings s = settingsFor(3, true);
    s.dayNames = s.monthNames = true;
    auto t = tableOf({
        stored(kMar5, L' ', L'R', L"AB", L"x", L"10", L"1,96", L"ES"),
        stored(kDec25, L' ', L'B', L"LONGBANK", L"BANQUE", L"5", L"0", L""),
    });
    FormeTableau(t, s);

    // A blank separates the TVA from the numéro.
    EXPECT_EQ(t[1].text, L"mercredi  5 mars      2008 AB x       10 EUROS  1,96 ES");
    EXPECT_EQ(t[1].colStart, starts(0, 28, 31, 38, 48, 54, 55));
    // The bank rubrique does not widen the field: written whole, with no padding.
    EXPECT_EQ(t[2].text, L"jeudi    25 décembre  2008 LONGBANK" + blanks(7) + L"  5 EUROS ");
    EXPECT_EQ(t[2].colStart, starts(0, 28, 36, 43, 0, 54, 54));
}

TEST(TableStyle, Type2StarsNoRubriqueKeepsBanqueAndSelection) {
    auto t = tableOf({
        stored(kMar5, L'*', L'D', L"", L"Courses", L"-12,30", L"0", L""),
        stored(kMar5, L' ', L'B', L"", L"BANQUE", L"100", L"0", L""),
    });
    t[1].mark = 1;
    FormeTableau(t, settingsFor(2, false));
    EXPECT_EQ(t[1].text, L" 5  3 2008 * Courses  -12,30 EUROS  sélectionné");
    EXPECT_EQ(t[1].colStart, starts(12, 0, 14, 22, 0, 36, 36));
    EXPECT_EQ(t[2].text, L" 5  3 2008   BANQUE   100    EUROS ");
    EXPECT_EQ(t[2].colStart, starts(12, 0, 14, 22, 0, 37, 37));
}

TEST(TableStyle, TraitesViewHasNoFlagColumn) {
    FormatSettings s = settingsFor(2, false);
    s.displayMode = DisplayMode::Pensions;
    auto t = tableOf({stored(kMar5, L'*', L'T', L"", L"EDF", L"-80", L"0", L"2")});
    FormeTableau(t, s);
    EXPECT_EQ(t[1].text, L" 5  3 2008 EDF  -80 EUROS 2");
    EXPECT_EQ(t[1].colStart, starts(0, 0, 12, 16, 0, 27, 27));
}

TEST(TableStyle, Types4And5ShowNoRubrique) {
    FormatSettings s4 = settingsFor(4, true);
    s4.monthNames = true;
    auto t4 = tableOf({stored(kMar5, L' ', L'R', L"", L"Don", L"50", L"0", L"12")});
    FormeTableau(t4, s4);
    EXPECT_EQ(t4[1].text, L" 5 mars      2008 Don  50 EUROS  0 12");
    EXPECT_EQ(t4[1].colStart, starts(0, 0, 19, 23, 33, 36, 37));

    // A rubrique held by a line of a type 5 account is not shown, and, since
    // no rubrique field is shown, an objet "banque" stays as it is.
    auto t5 = tableOf({
        stored(kMar5, L' ', L'D', L"XYZ", L"Loyer", L"-400", L"0", L""),
        stored(kMar5, L' ', L'D', L"", L"banque", L"-1", L"0", L""),
    });
    FormeTableau(t5, settingsFor(5, false));
    EXPECT_EQ(t5[1].text, L" 5  3 2008 Loyer   -400 EUROS ");
    EXPECT_EQ(t5[1].colStart, starts(0, 0, 12, 19, 0, 31, 31));
    EXPECT_EQ(t5[2].text, L" 5  3 2008 banque    -1 EUROS ");
}

TEST(TableStyle, SingleDecimalDigitAndWholeAmountsAlignOnTheComma) {
    auto t = tableOf({
        stored(kMar5, L' ', L'R', L"", L"a", L"12,5", L"0", L""),
        stored(kMar5, L' ', L'R', L"", L"a", L"3", L"0", L""),
        stored(kMar5, L' ', L'R', L"", L"a", L"100,25", L"0", L""),
    });
    FormeTableau(t, settingsFor(3, false));
    EXPECT_EQ(t[1].text, L" 5  3 2008 a   12,5  EUROS ");
    EXPECT_EQ(t[2].text, L" 5  3 2008 a    3    EUROS ");
    EXPECT_EQ(t[3].text, L" 5  3 2008 a  100,25 EUROS ");
}

TEST(TableStyle, MalformedLinesReadAsEmptyFields) {
    auto t = tableOf({L"25122008 Rabc", L"2512", L""});
    FormeTableau(t, settingsFor(3, true));
    // No separator: the rest of the line is the rubrique; montant and TVA read "0".
    EXPECT_EQ(t[1].text, L"25 12 2008 abc  0 EUROS  0 ");
    EXPECT_EQ(t[1].colStart, starts(0, 12, 0, 16, 25, 28, 28));
    EXPECT_EQ(t[2].text, L"25 12      " L" 0 EUROS  0 ");
    EXPECT_EQ(t[3].text, blanks(8) + L"0 EUROS  0 ");

    std::vector<DisplayEntry> empty(1);
    FormeTableau(empty, settingsFor(1, false));  // nothing to format
    EXPECT_EQ(empty.size(), 1u);
}

TEST(TableStyle, NegativeZeroIsShownWithoutSign) {
    auto t = tableOf({stored(kMar5, L' ', L'R', L"", L"a", L"-0", L"-0,00", L"")});
    FormeTableau(t, settingsFor(3, true));
    EXPECT_EQ(t[1].text, L" 5  3 2008 a  0 EUROS  0,00 ");
}

TEST(TableStyle, SingleColumnViewShowsOneFieldPerLine) {
    std::vector<std::wstring> lines = {
        stored(kMar5, L'/', L'R', L"SALAIRE ", L"Paie", L"1500", L"0", L""),
        stored(kDec25, L' ', L'D', L"", L" Loyer ", L"-650,50", L"", L" 123 "),
    };
    const wchar_t* expected[8][2] = {
        {},
        {L" 5  3 2008", L"25 12 2008"},
        {L"enregistré", L"non enregistré"},
        {L"SALAIRE", L" "},
        {L"Paie", L"Loyer"},
        {L"1500", L"-650,50"},
        {L"0", L"0"},
        {L"", L"123"},
    };
    for (bool table : {true, false}) {
        for (int col = 1; col <= 7; ++col) {
            FormatSettings s = settingsFor(1, true, table);
            s.pendingColumn = col;
            auto t = tableOf(lines);
            FormeTableau(t, s);
            EXPECT_EQ(t[1].text, expected[col][0]) << "column " << col;
            EXPECT_EQ(t[2].text, expected[col][1]) << "column " << col;
            EXPECT_EQ(t[1].colStart, Starts{}) << "column " << col;
        }
    }
    FormatSettings s = settingsFor(2, false);
    s.pendingColumn = 2;
    auto t = tableOf({stored(kMar5, L'*', L'R', L"", L"", L"1", L"0", L""),
                      stored(kMar5, L' ', L'R', L"", L"", L"1", L"0", L"")});
    FormeTableau(t, s);
    EXPECT_EQ(t[1].text, L"repèré");
    EXPECT_EQ(t[2].text, L"non repèré");
}

// ---------------------------------------------------------------------------
// Compact style

TEST(CompactStyle, Type1WithTvaBlanksForEmptyFieldsAndBankLine) {
    FormatSettings s = settingsFor(1, true, false);
    DisplayEntry e;
    e.line = stored(kMar5, L'/', L'R', L"SAL", L"Paie", L"1500", L"0", L"12");
    EXPECT_EQ(formeoperation(e, s), L" 5  3  2008 enregistré SAL Paie 1500 EUROS 0 EUROS 12");
    EXPECT_EQ(e.colStart, starts(13, 24, 28, 33, 44, 52, 53));

    e.line = stored(kDec25, L' ', L'D', L"", L"", L"", L"", L"");
    EXPECT_EQ(formeoperation(e, s), L"25 12  2008 " + blanks(6) + L"0 EUROS 0 EUROS  ");
    EXPECT_EQ(e.colStart, starts(13, 15, 17, 19, 27, 35, 35));

    e.line = stored(kDec25, L' ', L'B', L"CCP", L"BANQUE", L"200", L"0", L"");
    EXPECT_EQ(formeoperation(e, s), L"25 12  2008 CCP 200 EUROS ");
    EXPECT_EQ(e.colStart, starts(0, 13, 0, 17, 0, 28, 28));
}

TEST(CompactStyle, Type2KeepsRubriqueAndObjetUntrimmed) {
    FormatSettings s = settingsFor(2, false, false);
    s.dayNames = s.monthNames = true;
    DisplayEntry e;
    e.line = stored(kMar5, L'*', L'D', L" rub ", L" obj ", L"-3,50", L"0", L" 7 ");
    EXPECT_EQ(formeoperation(e, s), L"mercredi  5 mars 2008 *  rub   obj  -3,50 EUROS 7");
    EXPECT_EQ(e.colStart, starts(23, 25, 31, 37, 0, 49, 49));

    e.line = stored(kMar5, L' ', L'B', L"", L"BANQUE", L"9", L"0", L"");
    EXPECT_EQ(formeoperation(e, s), L"mercredi  5 mars 2008" + blanks(5) + L"9 EUROS ");
    EXPECT_EQ(e.colStart, starts(23, 25, 0, 27, 0, 36, 36));
}

TEST(CompactStyle, Type3AndTraitesView) {
    FormatSettings s = settingsFor(3, true, false);
    s.dayNames = true;
    s.displayMode = DisplayMode::Pensions;
    DisplayEntry e;
    e.line = stored(kMar5, L' ', L'T', L"EDF", L"Facture", L"-80", L"-13,11", L"2");
    EXPECT_EQ(formeoperation(e, s), L"mercredi  5  3  2008 EDF Facture -80 EUROS -13,11 EUROS 2");
    EXPECT_EQ(e.colStart, starts(0, 22, 26, 34, 44, 57, 57));

    // No flag field in the traites view, even in a type 1 account.
    FormatSettings s1 = settingsFor(1, false, false);
    s1.displayMode = DisplayMode::Pensions;
    e.line = stored(kMar5, L'/', L'T', L"R", L"O", L"1", L"0", L"3");
    EXPECT_EQ(formeoperation(e, s1), L" 5  3  2008 R O 1 EUROS 3");
    EXPECT_EQ(e.colStart, starts(0, 13, 15, 17, 0, 25, 25));
}

TEST(CompactStyle, Types4And5HaveNoRubriqueField) {
    DisplayEntry e;
    e.line = stored(kMar5, L' ', L'R', L"", L"Don", L"50", L"", L"");
    EXPECT_EQ(formeoperation(e, settingsFor(4, true, false)), L" 5  3  2008 Don 50 EUROS 0 EUROS  ");
    EXPECT_EQ(e.colStart, starts(0, 0, 13, 17, 26, 34, 34));

    e.line = stored(kMar5, L' ', L'D', L"ZZ", L"Loyer", L"-400", L"0", L"");
    EXPECT_EQ(formeoperation(e, settingsFor(5, false, false)), L" 5  3  2008 Loyer -400 EUROS  ");
    EXPECT_EQ(e.colStart, starts(0, 0, 13, 19, 0, 30, 30));
}

TEST(CompactStyle, TableOfCompactLinesGetsSelectionSuffixAndMalformedLinesSurvive) {
    auto t = tableOf({
        stored(kMar5, L' ', L'R', L"", L"a", L"-0", L"0", L""),
        L"",
    });
    t[1].mark = 2;
    FormeTableau(t, settingsFor(3, false, false));
    EXPECT_EQ(t[1].text, L" 5  3  2008   a 0 EUROS   sélectionné");
    EXPECT_EQ(t[1].colStart, starts(0, 13, 15, 17, 0, 25, 25));
    EXPECT_EQ(t[2].text, blanks(8) + L"0 EUROS  ");
    EXPECT_EQ(t[2].colStart, starts(0, 5, 7, 9, 0, 17, 17));
}

// ---------------------------------------------------------------------------
// Names

TEST(Names, AccountTypesFlagsAndCodes) {
    EXPECT_EQ(formecompte(1, false), L"Recette/Dépense/code banque");
    EXPECT_EQ(formecompte(2, true), L"Recette/Dépense/repère/T V A");
    EXPECT_EQ(formecompte(3, false), L"Recette/Dépense");
    EXPECT_EQ(formecompte(4, true), L"Recettes/T V A");
    EXPECT_EQ(formecompte(5, false), L"Dépenses");

    EXPECT_EQ(formevalider(L' ', 1), L"non enregistré");
    EXPECT_EQ(formevalider(L' ', 3), L"non repèré");
    EXPECT_EQ(formevalider(L'/', 1), L"enregistré");
    EXPECT_EQ(formevalider(L'*', 2), L"repèré");
    EXPECT_EQ(formevalider(L'x', 1), L"");

    EXPECT_EQ(formecode(L'A'), L"Annulé");
    EXPECT_EQ(formecode(L'B'), L"Banque");
    EXPECT_EQ(formecode(L'D'), L"Dépense");
    EXPECT_EQ(formecode(L'P'), L"Pension");
    EXPECT_EQ(formecode(L'R'), L"Recette");
    EXPECT_EQ(formecode(L'T'), L"Traite");
    EXPECT_EQ(formecode(L'r'), L"");
}

// ---------------------------------------------------------------------------
// Text functions

TEST(TextFunctions, AmountsRoundHalfAwayOnTheDecimalForm) {
    EXPECT_EQ(Forme_montant(0), L"0");
    EXPECT_EQ(Forme_montant(1.045), L"1,05");
    EXPECT_EQ(Forme_montant(2.995), L"3");
    EXPECT_EQ(Forme_montant(-0.005), L"-0,01");
    EXPECT_EQ(Forme_montant(-0.001), L"0");
    EXPECT_EQ(Forme_montant(-0.0), L"0");
    EXPECT_EQ(Forme_montant(1000.5), L"1000,50");
    EXPECT_EQ(Forme_montant(1234567.0), L"1234567");
    EXPECT_EQ(Forme_montant(-45.3), L"-45,30");
    EXPECT_EQ(Forme_montant(-0.5), L"-0,50");
    EXPECT_EQ(Forme_montant(999.999), L"1000");
    EXPECT_EQ(Forme_montant(1e-70), L"0");  // a fixed form longer than any short buffer
    EXPECT_EQ(Forme_montant(1e20), L"100000000000000000000");

    double a = 1.045;
    arrondi(a);
    EXPECT_DOUBLE_EQ(a, 1.05);
    a = -2.675;
    arrondi(a);
    EXPECT_DOUBLE_EQ(a, -2.68);
    a = -0.004;
    arrondi(a);
    EXPECT_EQ(a, 0.0);
    EXPECT_FALSE(std::signbit(a));
}

TEST(TextFunctions, StoredDateAndPadding) {
    EXPECT_EQ(FormatDate(dateFromYMD(2008, 3, 5)), L" 5 32008");
    EXPECT_EQ(FormatDate(dateFromYMD(2008, 12, 25)), L"25122008");
    EXPECT_EQ(FormatDate(dateFromYMD(2010, 10, 1)), L" 1102010");

    EXPECT_EQ(complete(L"abc", 2), L"abc");
    EXPECT_EQ(complete(L"ab", 4), L"ab  ");
    EXPECT_EQ(completegaucheCar(L"7", L'0', 3), L"007");
    EXPECT_EQ(completegaucheCar(L"1234", L'0', 3), L"1234");

    EXPECT_EQ(centre(L"ab", 3), L"ab ");         // difference 1: no blank before
    EXPECT_EQ(centre(L"a", 4), L"  a ");         // 3 -> 2 before
    EXPECT_EQ(centre(L"a", 6), L"  a   ");       // 5 -> 2 before
    EXPECT_EQ(centre(L" x ", 5), L"  x  ");      // trimmed first
    EXPECT_EQ(centre(L"  abcd  ", 2), L"abcd");  // longer: trimmed, not cut
}

// The type-ahead compares letters whatever their case and accent, letter for
// letter, so that a prefix of n letters is still compared with n letters.
TEST(TextFunctions, FoldedUpperCase) {
    EXPECT_EQ(foldedUpperCase(L"Électricité"), L"ELECTRICITE");
    EXPECT_EQ(foldedUpperCase(L"ça où ÿ ñ"), L"CA OU Y N");
    // The ligatures have no one-letter plain form: they stay, upper-cased.
    EXPECT_EQ(foldedUpperCase(L"œuvre Æ"), L"ŒUVRE Æ");
    EXPECT_EQ(foldedUpperCase(L"Vêtements").size(), std::wstring(L"Vêtements").size());
}
