// Ledger line formatting: table and compact styles, column starts, dates,
// and the text functions that write amounts and pad text.
#include "support.h"

#include <string>
#include <vector>

#include "ledger/format.h"

namespace {

const std::wstring kMar5 = L" 5 32008";   // Wednesday 5 March 2008
const std::wstring kDec25 = L"25122008";  // Thursday 25 December 2008

using Starts = std::array<int16_t, 8>;
Starts starts(int s1, int s2, int s3, int s4, int s5, int s6, int s7) {
    return {0, int16_t(s1), int16_t(s2), int16_t(s3), int16_t(s4), int16_t(s5), int16_t(s6), int16_t(s7)};
}

std::vector<DisplayEntry> tableOf(const std::vector<std::wstring>& lines) {
    std::vector<DisplayEntry> t(1);
    for (const auto& l : lines) t.emplace_back().line = l;
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

TEST(LineDates, ImpossibleOrShortDatesGiveNoNamesAndDoNotFail) {
    FormatSettings s;
    s.dayNames = s.monthNames = true;
    // 31 February: no weekday, the month still has its name.
    EXPECT_EQ(ligne_dateReduit(L"31 22008 R", s), L" 31 février 2008");
    // Month 13 has no name either.
    EXPECT_EQ(ligne_dateComplet(L"011320081R", s), blanks(9) + L"01 " + blanks(10) + L"2008");
    EXPECT_EQ(ligne_dateReduit(L"", s), L"   ");
}

TEST(TableStyle, NegativeZeroIsShownWithoutSign) {
    auto t = tableOf({operationLine(kMar5, L'R', L"", L"a", L"-0", L"-0,00")});
    FormeTableau(t, settingsFor(3, true));
    EXPECT_EQ(t[1].text, L" 5  3 2008 a  0 EUROS  0,00 ");
}

TEST(CompactStyle, Type1WithTvaBlanksForEmptyFieldsAndBankLine) {
    FormatSettings s = settingsFor(1, true, false);
    DisplayEntry e;
    e.line = operationLine(kMar5, L'R', L"SAL", L"Paie", L"1500", L"0", L"12", L'/');
    EXPECT_EQ(formeoperation(e, s), L" 5  3  2008 enregistré SAL Paie 1500 EUROS 0 EUROS 12");
    EXPECT_EQ(e.colStart, starts(13, 24, 28, 33, 44, 52, 53));

    e.line = operationLine(kDec25, L'D', L"", L"", L"", L"");
    EXPECT_EQ(formeoperation(e, s), L"25 12  2008 " + blanks(6) + L"0 EUROS 0 EUROS  ");
    EXPECT_EQ(e.colStart, starts(13, 15, 17, 19, 27, 35, 35));

    e.line = operationLine(kDec25, L'B', L"CCP", L"BANQUE", L"200");
    EXPECT_EQ(formeoperation(e, s), L"25 12  2008 CCP 200 EUROS ");
    EXPECT_EQ(e.colStart, starts(0, 13, 0, 17, 0, 28, 28));
}

TEST(CompactStyle, Type2KeepsRubriqueAndObjetUntrimmed) {
    FormatSettings s = settingsFor(2, false, false);
    s.dayNames = s.monthNames = true;
    DisplayEntry e;
    e.line = operationLine(kMar5, L'D', L" rub ", L" obj ", L"-3,50", L"0", L" 7 ", L'*');
    EXPECT_EQ(formeoperation(e, s), L"mercredi  5 mars 2008 *  rub   obj  -3,50 EUROS 7");
    EXPECT_EQ(e.colStart, starts(23, 25, 31, 37, 0, 49, 49));

    e.line = operationLine(kMar5, L'B', L"", L"BANQUE", L"9");
    EXPECT_EQ(formeoperation(e, s), L"mercredi  5 mars 2008" + blanks(5) + L"9 EUROS ");
    EXPECT_EQ(e.colStart, starts(23, 25, 0, 27, 0, 36, 36));
}

TEST(CompactStyle, TableOfCompactLinesGetsSelectionSuffixAndMalformedLinesSurvive) {
    auto t = tableOf({operationLine(kMar5, L'R', L"", L"a", L"-0"), L""});
    t[1].mark = 2;
    FormeTableau(t, settingsFor(3, false, false));
    EXPECT_EQ(t[1].text, L" 5  3  2008   a 0 EUROS   sélectionné");
    EXPECT_EQ(t[1].colStart, starts(0, 13, 15, 17, 0, 25, 25));
    EXPECT_EQ(t[2].text, blanks(8) + L"0 EUROS  ");
    EXPECT_EQ(t[2].colStart, starts(0, 5, 7, 9, 0, 17, 17));
}
