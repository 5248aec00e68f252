// Traites and pensions: next due dates checked against the standard calendar,
// the mensualités that cannot move an item, and the catch-up at opening.
#include <algorithm>
#include <gtest/gtest.h>

#include <chrono>

#include "support.h"
#include "pensions/pensions.h"

namespace chr = std::chrono;

namespace {
// Dates count days from 30 December 1899; the standard calendar counts from 1 January 1970.
constexpr long kShift = 25569;

chr::sys_days toSysDays(Date date) { return chr::sys_days{chr::days{date - kShift}}; }
Date fromSysDays(chr::sys_days d) { return d.time_since_epoch().count() + kShift; }

// The next due date as the standard calendar gives it: the first of the
// month so many months on, then the day counted from it.
Date referenceNext(Date date, int months) {
    chr::year_month_day ymd{toSysDays(date)};
    chr::year_month_day first = ymd.year() / ymd.month() / chr::day{1};
    first += chr::months{months};
    return fromSysDays(chr::sys_days{first} + chr::days{static_cast<unsigned>(ymd.day()) - 1});
}

Date ymd(int y, int m, int d) { return dateFromYMD(y, m, d); }
}  // namespace

TEST(NextDueDate, AgreesWithTheStandardCalendarOverYearsLeapYearsAndMonthEnds) {
    // Every day of 1999-2005 (two leap years, a century-free run) and of
    // 2099-2101 (2100 is not a leap year), for short and long mensualités.
    std::vector<std::pair<Date, Date>> ranges = {{ymd(1999, 1, 1), ymd(2005, 12, 31)},
                                                 {ymd(2099, 11, 1), ymd(2101, 3, 31)}};
    int checked = 0;
    for (auto [from, to] : ranges) {
        for (Date d = from; d <= to; ++d) {
            for (int months : {1, 2, 3, 6, 11, 12, 13, 24, 25, 120}) {
                Date got = 0;
                ASSERT_TRUE(nextDueDate(d, months, got));
                ASSERT_EQ(got, referenceNext(d, months)) << "from " << d << " + " << months;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 20000);
}

// Month ends overflow as the sweep above checks; past the last year a date can
// hold, there is no next date.
TEST(NextDueDate, NoneAfterTheLastYearADateCanHold) {
    Date got = 0;
    ASSERT_TRUE(nextDueDate(ymd(2026, 11, 10), 32767, got));
    EXPECT_EQ(got, ymd(4757, 6, 10));  // 2730 years and 7 months
    EXPECT_FALSE(nextDueDate(ymd(7300, 1, 1), 32767, got));
    ASSERT_TRUE(nextDueDate(ymd(9999, 11, 10), 1, got));
    EXPECT_EQ(got, ymd(9999, 12, 10));
    EXPECT_FALSE(nextDueDate(ymd(9999, 12, 10), 1, got));
}

TEST(Mensualite, OnlyAWholeNumberOfMonthsAboveZeroMovesAnItem) {
    int months = 0;
    const std::pair<const wchar_t*, int> accepted[] = {
        {L"1", 1}, {L" 12 ", 12}, {L"2,6", 3}, {L"3 mois", 3}, {L"32767", 32767}};
    for (const auto& [text, expected] : accepted) {
        EXPECT_TRUE(readMensualite(text, months)) << toUtf8(text);
        EXPECT_EQ(months, expected) << toUtf8(text);
    }
    for (const wchar_t* bad : {L"", L"   ", L"0", L"0,4", L"-3", L"abc", L"99999", L"32768", L"inf", L"nan"})
        EXPECT_FALSE(readMensualite(bad, months)) << toUtf8(bad);
}

// At opening every due item is copied once per due date, earliest first,
// whatever their order in the list; an item that cannot move stays.
TEST_F(ProgramFolder, ItemsListedOutOfDateOrderAreAllCaughtUp) {
    tp.today = ymd(2026, 5, 20);
    start({headerLine(), operationLine(L" 1 42026", L'T', L"Divers", L"SANS MOIS", L"-5", L"0", L"abc"),
           operationLine(L" 1 12027", L'T', L"Divers", L"PLUS TARD", L"-7", L"0", L"1"),
           operationLine(L"10 12026", L'P', L"Divers", L"CAF", L"180", L"0", L"1"),
           operationLine(L" 1 11990", L'R', L"Divers", L"DEPART", L"10")});
    std::vector<std::wstring> objets;
    for (size_t i = 1; i < form->acc.operationLines.size(); ++i) {
        const Operation op = convertit_ChaineYzo(form->acc.operationLines[i].text);
        objets.push_back(op.objet + L" " + FormatDate(op.date));
    }
    EXPECT_EQ(objets, (std::vector<std::wstring>{L"DEPART  1 11990", L"CAF 10 12026", L"CAF 10 22026", L"CAF 10 32026",
                                                 L"CAF 10 42026", L"CAF 10 52026"}));
    ASSERT_FALSE(tp.boxes.empty());
    EXPECT_EQ(tp.boxes.back(), L"5 pension insérée et 0 traite insérée sur compte.yzo");
}
