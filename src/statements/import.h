// Importing a bank statement into an account: which lines the account holds
// already, which rubrique a new line takes, the review's texts and the
// remembered CSV layouts. Pure functions; MainForm drives the dialogs.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "account/account.h"
#include "lists/lists.h"
#include "statements/statement.h"

// A statement line and an account's operation are the same one when their
// amounts are equal, their numéros too when both have one, and their dates at
// most this many days apart.
constexpr int kPresentDays = 4;

// What the matching compares of an operation.
struct OperationKey {
    Date date = 0;
    long long cents = 0;  // the amount as stored, in cents
    std::wstring numero;  // trimmed
};

// For each statement line, the index in account of the operation it matches,
// or -1. The statement is taken in order; each line takes the closest free
// operation (ties to the earlier stored one); an operation matches one line
// at most. Operations are indexed by amount, so a long statement against a
// long account costs little.
std::vector<long> matchPresent(const std::vector<OperationKey>& statement, const std::vector<OperationKey>& account);

// How often each rubrique goes with each objet and code ("R" or "D") in an
// account (objets compared without regard to case or accents).
class RubriqueHistory {
public:
    // One more operation with that objet, code and rubrique (in stored order).
    void add(const std::wstring& objet, wchar_t code, const std::wstring& rubrique);
    // The rubrique most used with the objet and code (of two used as often,
    // the one used last), or empty when they never went together.
    std::wstring mostUsed(const std::wstring& objet, wchar_t code) const;

private:
    struct Use {
        int count = 0;
        long last = 0;
    };
    std::unordered_map<std::wstring, std::map<std::wstring, Use>> uses_;
    long order_ = 0;
};

// The rubrique that stands for a line when nothing better is known: the
// special item of the rubrique list, changed later with the column change.
inline const std::wstring kOtherRubrique = L"Autre";

// The rubrique of a new line of code "R" or "D": the one most used with its
// objet and code; else the standard rubrique of that code whose name stands as whole
// words in the objet, the memo or the category (the longest such name); else
// kOtherRubrique. standard may hold an unused element 0 with an empty name.
std::wstring chooseRubrique(const StatementLine& line, wchar_t code, const RubriqueHistory& history,
                            const std::vector<StandardRubrique>& standard);

// The stored code and amount of a statement line on an account of the type:
// "R" and positive for a receipt, "D" and negative for an expense; an account
// of receipts only (expenses only) takes every line as a receipt (expense).
void codeAndAmount(long long statementCents, int accountType, wchar_t& code, long long& storedCents);

// What the review says of a statement line.
enum class LineMatch {
    New,                // not in the account: ticked, imported when ticked
    Present,            // in the account, nothing to flag: imported again only when ticked
    PresentToRegister,  // in a bank-code account, not registered: ticked, registered "/" when ticked
    PresentToMark,      // in a marked account, not marked: marked "*" only when ticked
};
// The state as the review row says it, after the line's text.
std::wstring matchText(LineMatch match, bool ticked);
// The state a line takes: new, or present, and whether its operation may be flagged.
LineMatch lineMatch(bool present, int accountType, wchar_t storedFlag);

// "aucune opération importée", "1 opération importée", "3 opérations importées":
// a count and its feminine noun, plural above 1.
std::wstring countedWords(int n, const std::wstring& singular, const std::wstring& plural);
// The count of what an import did, for its message.
struct ImportCounts {
    int imported = 0;  // lines added to the account
    int present = 0;   // lines the account held already
    int flagged = 0;   // of those, operations registered (or marked) by the import
};
// "12 opérations importées, 3 déjà présentes dont 2 enregistrées".
std::wstring importSummary(const ImportCounts& counts, int accountType);
// ", relevé 382,34 EUROS, compte 380 EUROS, écart 2,34 EUROS" (no écart when equal).
std::wstring balanceComparison(long long statementCents, long long accountCents, const std::wstring& unitName);
// "relevé illisible : montant invalide ligne 14 de banque.ofx" (no line when 0).
std::wstring unreadableStatement(const std::wstring& reason, int line, const std::wstring& fileName);
// A line of text with every run of blanks made one blank, trimmed.
std::wstring singleBlanks(const std::wstring& text);

// The remembered CSV layouts, one line each in a file of the program's
// folder: the six column numbers (-1 for none), then the header line.
inline const std::wstring kCsvLayoutsFile = L"releves.csv.ini";
std::wstring csvLayoutLine(const std::wstring& header, const CsvLayout& layout);
// The header and layout of a line, or nothing for a line that is not one.
std::optional<std::pair<std::wstring, CsvLayout>> parseCsvLayoutLine(const std::wstring& line);
// The key a header line is remembered by: its text with no separator or line break.
std::wstring csvHeaderKey(const std::wstring& headerLine);

// Where a sorted batch of new lines goes among stored operation lines:
// merges them as the entry's insertion rule puts each one (before the first
// later date, or same date and greater numéro), in one pass. ops must be in
// (date, numéro) order; positions receives each one's index in the result.
std::vector<LineEntry> mergeOperations(const std::vector<LineEntry>& lines, const std::vector<Operation>& ops,
                                       std::vector<long>& positions);

// One line of the statement under review.
struct ReviewLine {
    Operation op;  // as it would be stored
    LineMatch match = LineMatch::New;
    long stored = 0;  // the operation line it matches (1-based), 0 when new
};

// The list question an import is asking before its review.
enum class ImportQuestion { None, Account, CsvColumn };

// The import under way: the questions about the file, then the review of the
// statement's lines and what it says of the balance.
struct StatementsState {
    std::wstring fileName;
    ImportQuestion question = ImportQuestion::None;
    Statement statement;            // a file of several accounts, while one is asked
    CsvTable table;                 // a CSV file, while its columns are asked
    CsvLayout layout, guess;        // the columns chosen so far, and the reader's guess
    int csvField = 0;               // the column asked (date, amount, debit, credit, objet, numéro)
    std::vector<ReviewLine> lines;  // row k of ListeRec is lines[k - 1]
    std::optional<long long> balanceCents;
    Date balanceDate = 0;
};
