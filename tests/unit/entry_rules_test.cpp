// The field rules of the entry dialogs, as plain functions.
#include "app/calendar.h"
#include "entry/rules.h"
#include "lists/lists.h"
#include "support.h"

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
    const std::pair<const wchar_t*, Date> cases[] = {
        {L"05 03 2026", dateFromYMD(2026, 3, 5)}, {L"5/3/2026", dateFromYMD(2026, 3, 5)},
        {L"5-3-2026", dateFromYMD(2026, 3, 5)},   {L"  29 2 2028 ", dateFromYMD(2028, 2, 29)},
        {L"5 3 26", dateFromYMD(2026, 3, 5)},     {L"5 3 45", dateFromYMD(1945, 3, 5)},
        {L"5 3", dateFromYMD(2026, 3, 5)}};
    for (const auto& [text, date] : cases) EXPECT_EQ(parsed(text), date) << toUtf8(text);
}

TEST(EntryDate, RefusesImpossibleAndMalformedDates) {
    for (const wchar_t* text : {L"31 02 2026", L"29 2 2027", L"0 1 2026", L"1 13 2026", L"5.3.2026", L"5 mars 2026",
                                L"", L"5", L"1 2 3 4", L"123 1 2026", L"5 3 202"})
        EXPECT_EQ(parsed(text), -1) << toUtf8(text);
}

// The refusals are those the entree-creation-banque scenario does not meet.
TEST(AmountAnswer, DecimalsUnitLettersAndEachRefusalWithItsMessage) {
    // {answer, unit code, unit name, minus allowed, value, status, refusal}
    const std::tuple<const wchar_t*, int, const wchar_t*, bool, double, const wchar_t*, const wchar_t*> cases[] = {
        {L"12,5", 2, L"EUROS", false, 12.5, L"", L""},
        {L"12,50e", 2, L"EUROS", false, 12.5, L"EUROS", L""},
        {L"10F", 2, L"EUROS", false, 1.52, L"francs", L""},
        {L"10E", 1, L"FRANCS", false, 65.60, L"euros", L""},
        {L"-5", 2, L"EUROS", true, -5, L"", L""},
        {L"12FE", 2, L"EUROS", false, 0, L"", L"erreur unité dans les chiffres"},
        {L"5-", 2, L"EUROS", true, 0, L"", L"caractère -invalide"},
        {L"10E", 3, L"DOLLARS", false, 0, L"", L"caractère Einvalide"},
        {L"1,2,3", 2, L"EUROS", false, 0, L"", L"caractère ,invalide"},
        {L"12x", 2, L"EUROS", false, 0, L"", L"caractère Xinvalide"}};
    for (const auto& [text, unit, name, minus, value, status, refusal] : cases) {
        const AmountAnswer a = readAmountAnswer(text, unit, name, minus);
        EXPECT_EQ(a.refusal, refusal) << toUtf8(text);
        EXPECT_EQ(a.ok, a.refusal.empty()) << toUtf8(text);
        if (!a.ok) continue;
        EXPECT_DOUBLE_EQ(a.value, value) << toUtf8(text);
        EXPECT_EQ(a.status, status) << toUtf8(text);
    }
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
