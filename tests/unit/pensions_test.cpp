// Traites and pensions: next due dates checked against the standard calendar,
// the catch-up at opening, and the mensualités that cannot move an item.
#include <algorithm>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/mainform.h"
#include "app/textfile.h"
#include "pensions/pensions.h"
#include "test_platform.h"

namespace fs = std::filesystem;
namespace chr = std::chrono;

namespace {
const wchar_t RSs[] = {RS, 0};

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

std::wstring item(const std::wstring& date, wchar_t code, const std::wstring& objet, const std::wstring& amount,
                  const std::wstring& numero) {
    return date + L" " + code + L"Divers" + RSs + objet + RSs + amount + RSs + L"0" + RSs + numero;
}

std::wstring header() {
    return std::wstring(L" 1 11990 S") + RSs + L"ESSAI" + RSs + L"0" + RSs + L"0" + RSs + L"EUROS" + RSs + L"0";
}
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

TEST(NextDueDate, MonthEndsOverflowIntoTheNextMonth) {
    Date got = 0;
    ASSERT_TRUE(nextDueDate(ymd(2026, 1, 31), 1, got));
    EXPECT_EQ(got, ymd(2026, 3, 3));
    ASSERT_TRUE(nextDueDate(ymd(2028, 1, 31), 1, got));
    EXPECT_EQ(got, ymd(2028, 3, 2));
    ASSERT_TRUE(nextDueDate(ymd(2028, 2, 29), 12, got));
    EXPECT_EQ(got, ymd(2029, 3, 1));
    ASSERT_TRUE(nextDueDate(ymd(2026, 11, 10), 3, got));
    EXPECT_EQ(got, ymd(2027, 2, 10));
    // Past the last year a date can hold, there is no next date.
    ASSERT_TRUE(nextDueDate(ymd(2026, 11, 10), 32767, got));
    EXPECT_EQ(got, ymd(4757, 6, 10));  // 2730 years and 7 months
    EXPECT_FALSE(nextDueDate(ymd(7300, 1, 1), 32767, got));
    ASSERT_TRUE(nextDueDate(ymd(9999, 11, 10), 1, got));
    EXPECT_EQ(got, ymd(9999, 12, 10));
    EXPECT_FALSE(nextDueDate(ymd(9999, 12, 10), 1, got));
}

TEST(Mensualite, OnlyAWholeNumberOfMonthsAboveZeroMovesAnItem) {
    int months = 0;
    EXPECT_TRUE(readMensualite(L"1", months));
    EXPECT_EQ(months, 1);
    EXPECT_TRUE(readMensualite(L" 12 ", months));
    EXPECT_EQ(months, 12);
    EXPECT_TRUE(readMensualite(L"2,6", months));
    EXPECT_EQ(months, 3);
    EXPECT_TRUE(readMensualite(L"3 mois", months));
    EXPECT_EQ(months, 3);
    EXPECT_TRUE(readMensualite(L"32767", months));
    for (const wchar_t* bad : {L"", L"   ", L"0", L"0,4", L"-3", L"abc", L"99999", L"32768", L"inf", L"nan"})
        EXPECT_FALSE(readMensualite(bad, months)) << toUtf8(bad);
}

class CatchUp : public ::testing::Test {
protected:
    std::wstring folder;
    std::wstring account;
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        char tmpl[] = "/tmp/yzo-pensions-XXXXXX";
        folder = fromUtf8(mkdtemp(tmpl)) + L"/";
        account = folder + L"compte.yzo";
    }
    void TearDown() override { fs::remove_all(fsPath(folder)); }

    void open(const std::vector<std::wstring>& items, Date today) {
        std::vector<std::wstring> lines = {header()};
        lines.insert(lines.end(), items.begin(), items.end());
        lines.push_back(item(L" 1 11990", L'R', L"DEPART", L"10", L""));
        writeTextLines(account, lines);
        tp.folder = folder;
        tp.today = today;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(account);
    }
    std::vector<Operation> operations() const {
        std::vector<Operation> out;
        for (size_t i = 1; i < form->acc.operationLines.size(); ++i)
            out.push_back(convertit_ChaineYzo(form->acc.operationLines[i].text));
        return out;
    }
    Operation pension(long index) const { return convertit_ChaineYzo(form->acc.pensionLines.at(index).text); }
};

TEST_F(CatchUp, AMonthlyItemSince1990InsertsOneOperationPerDueDate) {
    const Date today = ymd(2026, 12, 6);
    open({item(L"31 11990", L'T', L"LOYER", L"-400", L"1")}, today);

    // The due dates, by the standard calendar, up to today.
    std::vector<Date> due;
    for (Date d = ymd(1990, 1, 31); d <= today; d = referenceNext(d, 1)) due.push_back(d);
    ASSERT_GT(due.size(), 400u);

    std::vector<Operation> ops = operations();
    ASSERT_EQ(ops.size(), due.size() + 1);  // and the first operation of the account
    size_t k = 0;
    for (const Operation& op : ops) {
        if (op.objet == L"DEPART") continue;
        ASSERT_LT(k, due.size());
        EXPECT_EQ(op.date, due[k]) << k;
        EXPECT_EQ(op.code, L'D');
        EXPECT_EQ(op.flag, L' ');
        EXPECT_EQ(op.numero, L"");
        EXPECT_EQ(op.montant, -400);
        ++k;
    }
    EXPECT_EQ(k, due.size());
    ASSERT_EQ(form->acc.pensionCount(), 1);
    EXPECT_EQ(pension(1).date, referenceNext(due.back(), 1));
    EXPECT_GT(pension(1).date, today);
    EXPECT_EQ(pension(1).numero, L"1");
    EXPECT_TRUE(form->acc.modified[1]);
    ASSERT_FALSE(tp.boxes.empty());
    EXPECT_EQ(tp.boxes.back(), L"0 pension insérée et " + std::to_wstring(due.size()) + L" traite insérée sur compte.yzo");
}

TEST_F(CatchUp, AnItemThatCannotMoveIsSteppedOverAndTheOthersGoOn) {
    // Opened on 20 May 2026. The items of mensualité 0, "abc" and 99999 fall
    // due first but stay as they are; the pension and the quarterly traite
    // after them are inserted.
    open({item(L" 1 12026", L'T', L"ZERO", L"-1", L"0"), item(L" 2 12026", L'T', L"LETTRES", L"-2", L"abc"),
          item(L" 3 12026", L'T', L"TROP", L"-3", L"99999"), item(L"15 32026", L'P', L"CAISSE", L"800", L"1"),
          item(L"16 32026", L'T', L"TRIMESTRE", L"-90", L"3"), item(L" 1 12027", L'P', L"PLUS TARD", L"5", L"1")},
         ymd(2026, 5, 20));
    std::vector<std::wstring> objets;
    for (const Operation& op : operations()) objets.push_back(op.objet + L" " + FormatDate(op.date));
    std::vector<std::wstring> want = {L"DEPART  1 11990", L"CAISSE 15 32026", L"TRIMESTRE 16 32026",
                                      L"CAISSE 15 42026", L"CAISSE 15 52026"};
    EXPECT_EQ(objets, want);
    ASSERT_EQ(form->acc.pensionCount(), 6);
    std::vector<std::wstring> left;
    for (long i = 1; i <= 6; ++i) left.push_back(pension(i).objet + L" " + FormatDate(pension(i).date));
    std::vector<std::wstring> wantLeft = {L"ZERO  1 12026", L"LETTRES  2 12026", L"TROP  3 12026",
                                          L"CAISSE 15 62026", L"TRIMESTRE 16 62026", L"PLUS TARD  1 12027"};
    EXPECT_EQ(left, wantLeft);
    ASSERT_FALSE(tp.boxes.empty());
    EXPECT_EQ(tp.boxes.back(), L"3 pension insérée et 1 traite insérée sur compte.yzo");
}

// A file written elsewhere may list its items out of date order: an item
// that cannot move, or one not yet due, listed first hides none of the others.
TEST_F(CatchUp, ItemsListedOutOfDateOrderAreAllCaughtUp) {
    open({item(L" 1 42026", L'T', L"SANS MOIS", L"-5", L"abc"), item(L" 1 12027", L'T', L"PLUS TARD", L"-7", L"1"),
          item(L"10 12026", L'P', L"CAF", L"180", L"1")},
         ymd(2026, 5, 20));
    std::vector<std::wstring> objets;
    for (const Operation& op : operations()) objets.push_back(op.objet + L" " + FormatDate(op.date));
    std::vector<std::wstring> want = {L"DEPART  1 11990", L"CAF 10 12026", L"CAF 10 22026", L"CAF 10 32026",
                                      L"CAF 10 42026", L"CAF 10 52026"};
    EXPECT_EQ(objets, want);
    ASSERT_EQ(form->acc.pensionCount(), 3);
    std::vector<std::wstring> left;
    for (long i = 1; i <= 3; ++i) left.push_back(pension(i).objet + L" " + FormatDate(pension(i).date));
    EXPECT_NE(std::find(left.begin(), left.end(), L"CAF 10 62026"), left.end());
    EXPECT_NE(std::find(left.begin(), left.end(), L"SANS MOIS  1 42026"), left.end());
    EXPECT_NE(std::find(left.begin(), left.end(), L"PLUS TARD  1 12027"), left.end());
    ASSERT_FALSE(tp.boxes.empty());
    EXPECT_EQ(tp.boxes.back(), L"5 pension insérée et 0 traite insérée sur compte.yzo");
}

TEST_F(CatchUp, NothingDueSaysNothingAndChangesNothing) {
    open({item(L" 7122026", L'T', L"DEMAIN", L"-1", L"1"), item(L"20122026", L'P', L"PLUS TARD", L"5", L"0")},
         ymd(2026, 12, 6));
    EXPECT_EQ(operations().size(), 1u);
    EXPECT_TRUE(tp.boxes.empty());
    EXPECT_FALSE(form->acc.modified[1]);
}

TEST_F(CatchUp, InKeyHelpModeTheCommandsOnlySayWhatTheyDo) {
    open({item(L" 7122026", L'T', L"DEMAIN", L"-1", L"1")}, ymd(2026, 12, 6));
    form->MenuCommand(L"MnuPension");
    const std::wstring before = form->acc.pensionLines[1].text;
    form->app.keyHelp = true;
    auto says = [&](auto&& act, const std::wstring& label) {
        form->app.keyDescribed = false;
        act();
        EXPECT_EQ(trim(tp.messages.back()), label);  // the status line pads what it says
        EXPECT_TRUE(form->app.keyDescribed) << toUtf8(label);
    };
    says([&] { form->KeyDown(L"txt", KeyEvent{kKeySpace, false, false}); },
         L"Insérer la traite ou la pension dans la comptabilité");
    says([&] { form->MenuCommand(L"mnuInsertPension"); }, L"Insérer la traite ou la pension dans la comptabilité");
    says([&] { form->KeyDown(L"txt", KeyEvent{keyLetter('M'), true, true}); }, L"Montant en cours dans l'autre unité");
    says([&] { form->KeyDown(L"txt", KeyEvent{keyLetter('U'), false, false}); },
         L"Solde suivant le mode d'affichage dans l'autre unité");
    says([&] { form->MenuCommand(L"mnuConvertirEuroItem"); }, L"Convertir le compte en euro");
    says([&] { form->MenuCommand(L"mnuAutreUniteItem"); }, L"affichage du solde avec l'autre unité");
    EXPECT_EQ(form->acc.pensionLines[1].text, before);
    EXPECT_EQ(operations().size(), 1u);
    EXPECT_TRUE(form->w.entry(L"mnuAutreUniteItem").checked);
    EXPECT_TRUE(tp.boxes.empty());
}

TEST_F(CatchUp, InsertedOperationsTakeTheirPlaceAmongOperationsOfTheSameDates) {
    // Existing operations on the due dates, with and without a numéro, and
    // two items whose due dates interleave: each inserted operation goes
    // before the first later operation, or of the same date with a numéro.
    std::vector<std::wstring> existing;
    for (int m = 1; m <= 12; ++m) {
        std::wstring date = FormatDate(ymd(2026, m, 5));
        existing.push_back(item(date, L'D', L"SANS NUMERO", L"-1", L""));
        existing.push_back(item(date, L'D', L"CHEQUE", L"-2", L"100" + std::to_wstring(m)));
    }
    std::vector<std::wstring> lines = {header(), item(L" 5 12026", L'T', L"MENSUEL", L"-10", L"1"),
                                       item(L" 5 22026", L'P', L"TRIMESTRIEL", L"20", L"3")};
    lines.insert(lines.end(), existing.begin(), existing.end());
    writeTextLines(account, lines);
    tp.folder = folder;
    tp.today = ymd(2026, 12, 6);
    form = std::make_unique<MainForm>(tp);
    form->Form_Load(account);

    // The same catch-up by the plain rule, one insertion after the other, in
    // the order of the due dates (the traite first on equal dates, as it
    // comes first in the list).
    std::vector<std::pair<Date, std::wstring>> want;
    for (const std::wstring& text : existing) {
        Operation op = convertit_ChaineYzo(text);
        want.emplace_back(op.date, op.objet);
    }
    std::vector<std::pair<Date, std::wstring>> due;
    for (int m = 1; m <= 12; ++m) due.emplace_back(ymd(2026, m, 5), L"MENSUEL");
    for (int m = 2; m <= 11; m += 3) due.emplace_back(ymd(2026, m, 5), L"TRIMESTRIEL");
    std::stable_sort(due.begin(), due.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (const auto& d : due) {
        size_t at = 0;
        while (at < want.size() && !(want[at].first > d.first || (want[at].first == d.first &&
                                                                  want[at].second == L"CHEQUE")))
            ++at;
        want.insert(want.begin() + static_cast<long>(at), d);
    }
    std::vector<std::pair<Date, std::wstring>> got;
    for (const Operation& op : operations()) got.emplace_back(op.date, op.objet);
    EXPECT_EQ(got, want);
    EXPECT_EQ(tp.boxes.back(), L"4 pension insérée et 12 traite insérée sur compte.yzo");
}
