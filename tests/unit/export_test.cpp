// Exporting an account: the file's type from its name, and what the scenario
// export-compte does not meet (its journal is read by hledger there): a bank
// line that the balance at its date does not reach, a marked account in
// another unit, lines left out, names hledger would misread.
#include "support.h"

#include "statements/export.h"

namespace {
bool has(const std::string& bytes, const std::wstring& text) { return bytes.find(toUtf8(text)) != std::string::npos; }
}  // namespace

TEST(Export, TypeFollowsTheExtension) {
    const std::pair<const wchar_t*, ExportKind> cases[] = {
        {L"a.csv", ExportKind::Csv},        {L"/d/B.CSV", ExportKind::Csv},      {L"c.journal", ExportKind::Journal},
        {L"c.Ledger", ExportKind::Journal}, {L"c.txt", ExportKind::Unknown},     {L"c", ExportKind::Unknown},
        {L"d.csv/c", ExportKind::Unknown},  {L"c.csv.txt", ExportKind::Unknown},
    };
    for (const auto& [path, kind] : cases) EXPECT_EQ(exportKindOf(path), kind) << toUtf8(path);
    EXPECT_EQ(journalAccountName(L"/d.x/Épargne été.yzo"), L"Épargne été");
}

TEST(Export, JournalFollowsTheBalanceRule) {
    // A bank-code account whose bank line counts a receipt registered after
    // it and not an expense before it: the journal's balance at that date is
    // not the bank's, so no assertion; the total is still the program's
    // 1000 - 30 (the opening, 1000 - 200, and the three operations).
    const std::string bank =
        exportJournal({operationLine(L" 2 12026", L'D', L"Courses", L"MARCHE", L"-30"),
                       operationLine(L" 3 12026", L'B', L"Banque", L"Banque", L"1000", L"0", L"", L'/'),
                       operationLine(L" 4 12026", L'R', L"", L"a|b;c", L"200", L"0", L"(7)", L'/')},
                      convertit_ChaineConfiguration(headerLine(L'T')), L"a;b  c")
            .bytes;
    EXPECT_TRUE(
        has(bank, L"2026-01-01 Solde d'ouverture\n    actif:a,b c  800.00 EUR\n    capitaux:ouverture  -800.00 EUR"));
    EXPECT_TRUE(has(bank, L"; 2026-01-03 solde de la banque 1000.00 EUR : les opérations enregistrées"));
    EXPECT_FALSE(has(bank, L"= 1000.00"));
    EXPECT_TRUE(
        has(bank, L"2026-01-04 * (7) a/b,c\n    actif:a,b c  200.00 EUR\n    revenus:sans rubrique  -200.00 EUR"));

    // A marked account in another unit: marked is pending ("!"); its bank
    // line, traites and operations before the start date are left out.
    const ExportedFile marked =
        exportJournal({operationLine(L" 5 12026", L'T', L"Loyer", L"AGENCE", L"-500", L"0", L"1"),
                       operationLine(L"31122025", L'D', L"Avant", L"X", L"-9"),
                       operationLine(L" 2 12026", L'D', L"Loyer", L"AGENCE", L"-12,5", L"0", L"ES", L'*'),
                       operationLine(L" 3 12026", L'B', L"Banque", L"Banque", L"1000", L"0", L"", L'/')},
                      convertit_ChaineConfiguration(headerLine(L'P', L"US DOLLARS")), L"p");
    EXPECT_EQ(marked.operations, 1);
    EXPECT_EQ(marked.bytes, toUtf8(L"; Compte p : ESSAI, en US DOLLARS\n\n2026-01-02 ! (ES) AGENCE\n"
                                   L"    actif:p:espèces  -12.50 \"US DOLLARS\"\n"
                                   L"    dépenses:Loyer  12.50 \"US DOLLARS\"\n\n"));
}
