// Importing a statement: which lines the account holds already, the rubrique
// a new line takes, where new lines go, and the words said of the outcome.
#include <gtest/gtest.h>

#include "entry/rules.h"
#include "statements/import.h"
#include "support.h"

namespace {

Date day(int d) { return dateFromYMD(2026, 3, d); }

// The matching rule, one case a row: the statement's lines and the account's
// operations as (day of March, cents, numéro), and what each line matches.
TEST(ImportMatch, SameAmountNumeroAndNearDateClosestFirst) {
    struct Case {
        const char* what;
        std::vector<OperationKey> statement, account;
        std::vector<long> expected;
    };
    const Case cases[] = {
        {"same day", {{day(10), -500, L""}}, {{day(10), -500, L""}}, {0}},
        {"four days apart", {{day(10), -500, L""}}, {{day(14), -500, L""}}, {0}},
        {"five days apart", {{day(10), -500, L""}}, {{day(15), -500, L""}, {day(5), -500, L""}}, {-1}},
        {"other amount", {{day(10), -500, L""}}, {{day(10), 500, L""}}, {-1}},
        {"numéros differ", {{day(10), -500, L"12"}}, {{day(10), -500, L"13"}}, {-1}},
        {"numéro on one side only", {{day(10), -500, L"12"}}, {{day(10), -500, L""}}, {0}},
        {"leading zeros", {{day(10), -500, L"0012"}}, {{day(10), -500, L"12"}}, {0}},
        {"closest wins", {{day(10), -500, L""}}, {{day(7), -500, L""}, {day(11), -500, L""}}, {1}},
        {"tie to the earlier stored", {{day(10), -500, L""}}, {{day(12), -500, L""}, {day(8), -500, L""}}, {0}},
        {"one operation for one line",
         {{day(10), -500, L""}, {day(10), -500, L""}, {day(10), -500, L""}},
         {{day(9), -500, L""}, {day(10), -500, L""}},
         {1, 0, -1}},
    };
    for (const Case& c : cases) EXPECT_EQ(matchPresent(c.statement, c.account), c.expected) << c.what;
}

// A long statement against a long account: every line finds its own operation.
TEST(ImportMatch, TenThousandLinesEachFindTheirs) {
    std::vector<OperationKey> statement, account;
    for (int i = 0; i < 10000; ++i) {
        account.push_back({dateFromYMD(2026, 1, 1) + i / 3, -(100 + i % 50), L""});
        statement.push_back({dateFromYMD(2026, 1, 1) + i / 3 + 1, -(100 + i % 50), L""});
    }
    std::vector<long> m = matchPresent(statement, account);
    EXPECT_EQ(std::count(m.begin(), m.end(), -1), 0);
    std::sort(m.begin(), m.end());
    EXPECT_EQ(std::unique(m.begin(), m.end()), m.end());
}

TEST(ImportRubrique, HistoryThenStandardWordsThenAutre) {
    RubriqueHistory history;
    history.add(L"Carrefour", L'D', L"Courses");
    history.add(L"CARREFOUR", L'D', L"Alimentation");
    history.add(L"carrefour ", L'D', L"Alimentation");
    history.add(L"Carrefour", L'R', L"Remboursement");
    history.add(L"Garage", L'D', L"Voiture");
    history.add(L"Garage", L'D', L"Carburant");  // as often, used last
    const std::vector<StandardRubrique> standard = {{L"", L'D'},      {L"Eau", L'D'},     {L"Frais bancaires", L'D'},
                                                    {L"Frais", L'D'}, {L"Salaire", L'R'}, {L"Santé", L'D'}};
    struct Case {
        std::wstring objet, memo, category;
        wchar_t code;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"Carrefour", L"", L"", L'D', L"Alimentation"},
        {L"Carrefour", L"", L"", L'R', L"Remboursement"},
        {L"garage", L"", L"", L'D', L"Carburant"},
        {L"COTISATION", L"frais bancaires mars", L"", L'D', L"Frais bancaires"},  // the longest name
        {L"PHARMACIE", L"", L"SANTE", L'D', L"Santé"},                            // accents aside
        {L"RESEAU CABLE", L"", L"", L'D', kOtherRubrique},                        // "Eau" inside a word
        {L"VIR SALAIRE", L"", L"", L'D', kOtherRubrique},                         // a receipt's rubrique
        {L"VIR SALAIRE", L"", L"", L'R', L"Salaire"},
    };
    for (const Case& c : cases) {
        StatementLine line;
        line.objet = c.objet;
        line.memo = c.memo;
        line.category = c.category;
        EXPECT_EQ(chooseRubrique(line, c.code, history, standard), c.expected) << toUtf8(c.objet);
    }
}

TEST(ImportWords, CodesPlainStateAndEqualBalances) {
    wchar_t code;
    long long cents;
    codeAndAmount(-1250, kAccountBankCode, code, cents);
    EXPECT_EQ(std::wstring(1, code) + std::to_wstring(cents), L"D-1250");
    codeAndAmount(-1250, kAccountReceipts, code, cents);
    EXPECT_EQ(std::wstring(1, code) + std::to_wstring(cents), L"R1250");
    codeAndAmount(300, kAccountExpenses, code, cents);
    EXPECT_EQ(std::wstring(1, code) + std::to_wstring(cents), L"D-300");

    // The other states, the summaries and the refusals are in the import scenarios.
    EXPECT_EQ(lineMatch(true, kAccountPlain, L' '), LineMatch::Present);
    EXPECT_EQ(balanceComparison(38234, 38234, L"EUROS"), L", relevé 382,34 EUROS, compte 382,34 EUROS");
}

TEST(ImportStore, NewLinesMergeByTheInsertionRuleAndLayoutsComeBack) {
    std::vector<LineEntry> lines = {{},
                                    {operationLine(L" 2 32026", L'D', L"A", L"x", L"-1", L"0", L"5")},
                                    {L"abîmée"},
                                    {operationLine(L" 9 32026", L'D', L"A", L"y", L"-2")}};
    std::vector<Operation> ops(3);
    ops[0].date = day(1);
    ops[1].date = day(2), ops[1].numero = L"4";
    ops[2].date = day(20);
    for (Operation& op : ops) op.code = L'D', op.objet = L"new";
    std::vector<long> positions;
    std::vector<LineEntry> merged = mergeOperations(lines, ops, positions);
    ASSERT_EQ(merged.size(), 7u);
    EXPECT_EQ(positions, (std::vector<long>{1, 2, 6}));
    EXPECT_EQ(merged[3].text, lines[1].text);
    EXPECT_EQ(merged[4].text, L"abîmée");  // a malformed line keeps its place
    // The same places as the entry's rule, one insertion at a time.
    for (size_t k = 0; k < ops.size(); ++k) {
        std::vector<LineEntry> one(merged.begin(), merged.begin() + positions[k]);
        one.insert(one.end(), merged.begin() + positions[k] + 1, merged.end());
        EXPECT_EQ(insertionPosition(one, ops[k], 1), positions[k]) << k;
    }

    CsvLayout l;
    l.date = 0, l.debit = 2, l.credit = 3, l.objet = 1;
    auto back = parseCsvLayoutLine(csvLayoutLine(L"Date;Libellé;Débit;Crédit\x1E", l));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->first, L"Date;Libellé;Débit;Crédit");
    EXPECT_EQ(csvLayoutLine(back->first, back->second), csvLayoutLine(back->first, l));
    EXPECT_FALSE(parseCsvLayoutLine(L"1 2 x Date"));
}

}  // namespace
