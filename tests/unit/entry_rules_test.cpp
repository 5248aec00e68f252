// The field rules of the entry dialogs, as plain functions.
#include <gtest/gtest.h>

#include "app/calendar.h"
#include "entry/rules.h"
#include "lists/lists.h"

namespace {
const Date kToday = dateFromYMD(2026, 12, 6);

Date parsed(const std::wstring& text) {
    Date d = -1;
    return parseEntryDate(text, kToday, d) ? d : -1;
}

// A stored expense of that date and numero.
LineEntry line(const std::wstring& date, const std::wstring& numero) {
    Operation op;
    op.date = parsed(date);
    op.code = L'D';
    op.montant = -1;
    op.numero = numero;
    return {FormeYzo(op), 0};
}
}  // namespace

TEST(EntryDate, DayFirstWithBlanksSlashesOrDashes) {
    EXPECT_EQ(parsed(L"05 03 2026"), dateFromYMD(2026, 3, 5));
    EXPECT_EQ(parsed(L"5/3/2026"), dateFromYMD(2026, 3, 5));
    EXPECT_EQ(parsed(L"5-3-2026"), dateFromYMD(2026, 3, 5));
    EXPECT_EQ(parsed(L"  29 2 2028 "), dateFromYMD(2028, 2, 29));
    EXPECT_EQ(parsed(L"5 3 26"), dateFromYMD(2026, 3, 5));
    EXPECT_EQ(parsed(L"5 3 45"), dateFromYMD(1945, 3, 5));
    EXPECT_EQ(parsed(L"5 3"), dateFromYMD(2026, 3, 5));
}

TEST(EntryDate, RefusesImpossibleAndMalformedDates) {
    for (const wchar_t* text : {L"31 02 2026", L"29 2 2027", L"0 1 2026", L"1 13 2026", L"5.3.2026", L"5 mars 2026",
                                L"", L"5", L"1 2 3 4", L"123 1 2026", L"5 3 202"})
        EXPECT_EQ(parsed(text), -1) << std::string(text, text + wcslen(text));
}

TEST(AmountAnswer, DecimalsAndUnitLetters) {
    AmountAnswer a = readAmountAnswer(L"12,5", 2, L"EUROS", false);
    EXPECT_TRUE(a.ok);
    EXPECT_DOUBLE_EQ(a.value, 12.5);
    EXPECT_EQ(a.status, L"");
    a = readAmountAnswer(L"12,50e", 2, L"EUROS", false);
    EXPECT_TRUE(a.ok);
    EXPECT_DOUBLE_EQ(a.value, 12.5);
    EXPECT_EQ(a.status, L"EUROS");
    a = readAmountAnswer(L"10F", 2, L"EUROS", false);
    EXPECT_DOUBLE_EQ(a.value, 1.52);
    EXPECT_EQ(a.status, L"francs");
    a = readAmountAnswer(L"10E", 1, L"FRANCS", false);
    EXPECT_DOUBLE_EQ(a.value, 65.60);
    EXPECT_EQ(a.status, L"euros");
    a = readAmountAnswer(L"-5", 2, L"EUROS", true);
    EXPECT_DOUBLE_EQ(a.value, -5);
}

// The refusals the entree-creation-banque scenario does not meet.
TEST(AmountAnswer, EachRefusalHasItsMessage) {
    EXPECT_EQ(readAmountAnswer(L"12FE", 2, L"EUROS", false).refusal, L"erreur unité dans les chiffres");
    EXPECT_EQ(readAmountAnswer(L"5-", 2, L"EUROS", true).refusal, L"caractère -invalide");
    EXPECT_EQ(readAmountAnswer(L"10E", 3, L"DOLLARS", false).refusal, L"caractère Einvalide");
    EXPECT_EQ(readAmountAnswer(L"1,2,3", 2, L"EUROS", false).refusal, L"caractère ,invalide");
    EXPECT_EQ(readAmountAnswer(L"12x", 2, L"EUROS", false).refusal, L"caractère Xinvalide");
}

TEST(NextNumber, KeepsLeadingZerosAndStopsAt32Bits) {
    EXPECT_EQ(nextNumber(L"0099"), L"0100");
    EXPECT_EQ(nextNumber(L"099"), L"100");
    EXPECT_EQ(nextNumber(L"00"), L"01");
    EXPECT_EQ(nextNumber(L"0"), L"1");
    EXPECT_EQ(nextNumber(L"41"), L"42");
    EXPECT_EQ(nextNumber(L""), L"");
    EXPECT_EQ(nextNumber(L"2147483646"), L"2147483647");
    EXPECT_EQ(nextNumber(L"2147483647"), L"");
    EXPECT_EQ(nextNumber(L"99999999999999999999"), L"");
}

TEST(InsertionPosition, DateThenNumeroAsText) {
    std::vector<LineEntry> lines{{}, line(L"3 3 2026", L""), line(L"5 3 2026", L"12"), line(L"5 3 2026", L"15")};
    Operation op;
    op.date = parsed(L"5 3 2026");
    op.numero = L"13";
    EXPECT_EQ(insertionPosition(lines, op), 3);
    op.numero = L"15";
    EXPECT_EQ(insertionPosition(lines, op), 4);
    op.numero = L"9";  // "9" is greater than "15" as text
    EXPECT_EQ(insertionPosition(lines, op), 4);
    op.date = parsed(L"4 3 2026");
    EXPECT_EQ(insertionPosition(lines, op), 2);
    op.date = parsed(L"1 1 2026");
    EXPECT_EQ(insertionPosition(std::vector<LineEntry>(1), op), 1);
}

TEST(TvaRate, ReadUpToTheFirstCharacterThatIsNoPartOfANumber) {
    EXPECT_DOUBLE_EQ(tvaRateValue(L"19,6"), 19.6);
    EXPECT_DOUBLE_EQ(tvaRateValue(L"5,5 %"), 5.5);
    EXPECT_DOUBLE_EQ(tvaRateValue(L"taux"), 0);
}
