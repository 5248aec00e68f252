// The account given out as a CSV table or as a journal. The journal follows
// the balance rule, so that what hledger or ledger sum is what the program says:
// - traites and pensions are left out: they are copied into the ledger when
//   they fall due and are not operations of the balance;
// - operations dated before the start date of the balances are left out, as
//   the balance leaves them out;
// - on a bank-code account the bank line ("B") holds what the bank has
//   registered: an opening transaction gives the part of it that the
//   registered operations listed do not explain, and each bank line becomes a
//   balance assertion where the journal's balance reaches it at its date
//   (else a comment). Bank lines of other accounts count nowhere and are left out;
// - a cash operation ("ES") counted by the rule goes to the cash sub-account;
//   a registered one is in the bank's balance and stays on the main account.
#include "statements/export.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include "account/balance.h"
#include "account/paths.h"
#include "app/errors.h"
#include "ledger/format.h"

namespace {
constexpr wchar_t kCsvSeparator = L';';
constexpr wchar_t kCsvQuote = L'"';
constexpr const wchar_t* kCsvLineEnd = L"\r\n";
constexpr const wchar_t* kJournalLineEnd = L"\n";
constexpr const wchar_t* kPostingIndent = L"    ";
// Two blanks end an account name in a posting.
constexpr const wchar_t* kAmountGap = L"  ";
constexpr int kCentsPerUnit = 100;

// The names of the journal's accounts.
constexpr const wchar_t* kAssetsRoot = L"actif:";
constexpr const wchar_t* kCashAccount = L":espèces";
constexpr const wchar_t* kIncomeRoot = L"revenus:";
constexpr const wchar_t* kExpenseRoot = L"dépenses:";
constexpr const wchar_t* kOpeningAccount = L"capitaux:ouverture";
constexpr const wchar_t* kNoRubrique = L"sans rubrique";
constexpr const wchar_t* kNoAccountName = L"compte";

// The status marks of a journal transaction.
constexpr wchar_t kClearedMark = L'*';
constexpr wchar_t kPendingMark = L'!';
constexpr wchar_t kMarkedFlag = L'*';

// The operation of a stored line; nothing when the line cannot be read as one
// (the display shows it but counts it nowhere).
std::optional<OperationView> operationOf(const std::wstring& line) {
    try {
        return readOperation(line);
    } catch (const YzoError&) {
        return std::nullopt;
    }
}

std::wstring twoDigits(int n) { return completegaucheCar(std::to_wstring(n), L'0', 2); }

// JJ/MM/AAAA.
std::wstring csvDate(Date date) {
    int y = 0, m = 0, d = 0;
    ymdFromDate(date, y, m, d);
    return twoDigits(d) + L"/" + twoDigits(m) + L"/" + completegaucheCar(std::to_wstring(y), L'0', 4);
}

// AAAA-MM-JJ.
std::wstring journalDate(Date date) {
    int y = 0, m = 0, d = 0;
    ymdFromDate(date, y, m, d);
    return completegaucheCar(std::to_wstring(y), L'0', 4) + L"-" + twoDigits(m) + L"-" + twoDigits(d);
}

// A cell as a spreadsheet reads it back: quoted, its quotes doubled, when it
// holds the separator or a quote.
std::wstring csvCell(const std::wstring& text) {
    if (text.find_first_of(L";\"") == std::wstring::npos) return text;
    std::wstring quoted(1, kCsvQuote);
    for (wchar_t c : text) {
        quoted += c;
        if (c == kCsvQuote) quoted += kCsvQuote;
    }
    return quoted + kCsvQuote;
}

std::wstring csvRow(const OperationView& op, const AccountHeader& header) {
    const std::wstring cells[] = {
        csvDate(op.date),
        formevalider(op.flag, header.accountType),
        formecode(op.code),
        trim(std::wstring(op.rubrique)),
        trim(std::wstring(op.objet)),
        Forme_montant(op.montant),
        header.hasTva ? Forme_montant(op.tva) : L"",
        trim(std::wstring(op.numero)),
    };
    std::wstring row = csvCell(cells[0]);
    for (size_t k = 1; k < std::size(cells); ++k) row += kCsvSeparator + csvCell(cells[k]);
    return row;
}

// The commodity of the account's unit: the currency codes for euros and
// francs, else the unit's name, quoted when it holds more than letters.
std::wstring journalCommodity(const AccountHeader& header) {
    if (header.unitCode == kUnitEuros) return L"EUR";
    if (header.unitCode == kUnitFrancs) return L"FRF";
    std::wstring name;
    for (wchar_t c : trim(header.unitName))
        if (c != L'"') name += c;
    const bool plain = std::all_of(name.begin(), name.end(),
                                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); });
    return plain ? name : L"\"" + name + L"\"";
}

// An amount with two decimals and a decimal point, never read as thousands.
std::wstring journalAmount(long long cents, const std::wstring& commodity) {
    const long long whole = (cents < 0 ? -cents : cents) / kCentsPerUnit;
    const long long rest = (cents < 0 ? -cents : cents) % kCentsPerUnit;
    std::wstring text = (cents < 0 ? L"-" : L"") + std::to_wstring(whole) + L"." + twoDigits(static_cast<int>(rest));
    return commodity.empty() ? text : text + L" " + commodity;
}

// A part of an account name as hledger and ledger read it: no ":" (which
// separates the parts), no ";" (which starts a comment), no tab and never two
// blanks together (which end the name).
std::wstring accountPart(const std::wstring& text, const wchar_t* whenEmpty) {
    std::wstring part;
    for (wchar_t c : trim(text)) {
        if (c == L':') c = L'-';
        else if (c == L';') c = L',';
        else if (c == L'\t') c = L' ';
        if (c == L' ' && !part.empty() && part.back() == L' ') continue;
        part += c;
    }
    return part.empty() ? whenEmpty : part;
}

// A transaction's description or code: a ";" would start a comment, a "|"
// would split the payee from a note, brackets would end a code.
std::wstring journalText(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : trim(std::wstring(text))) {
        if (c == L';') c = L',';
        else if (c == L'|') c = L'/';
        else if (c == L'(' || c == L')') c = L' ';
        out += c;
    }
    return trim(out);
}

// One line of the journal kept, and how it is written.
struct JournalEntry {
    OperationView op;
    bool bank = false;  // a bank line: a balance assertion
    bool cash = false;  // posted to the cash sub-account
};

class JournalWriter {
public:
    JournalWriter(const AccountHeader& header, const std::wstring& accountName)
        : commodity_(journalCommodity(header)),
          main_(kAssetsRoot + accountPart(accountName, kNoAccountName)),
          cash_(main_ + kCashAccount),
          hasTva_(header.hasTva) {}

    std::wstring text;

    void comment(const std::wstring& line) { text += L"; " + line + kJournalLineEnd; }

    void opening(Date date, long long cents) {
        text += journalDate(date) + L" Solde d'ouverture" + kJournalLineEnd;
        posting(main_, cents);
        posting(kOpeningAccount, -cents);
        text += kJournalLineEnd;
    }

    void operation(const JournalEntry& e) {
        const OperationView& op = e.op;
        std::wstring head = journalDate(op.date);
        if (op.flag == balancerule::kRegisteredFlag) head += std::wstring(L" ") + kClearedMark;
        else if (op.flag == kMarkedFlag) head += std::wstring(L" ") + kPendingMark;
        if (std::wstring code = journalText(op.numero); !code.empty()) head += L" (" + code + L")";
        if (std::wstring payee = journalText(op.objet); !payee.empty()) head += L" " + payee;
        text += head + kJournalLineEnd;
        const long long cents = centsOf(op.montant);
        if (hasTva_ && op.tva != 0)
            text += kPostingIndent + (L"; TVA " + journalAmount(centsOf(op.tva), commodity_)) + kJournalLineEnd;
        posting(e.cash ? cash_ : main_, cents);
        const bool income = op.code == L'R' || (op.code != L'D' && cents >= 0);
        posting((income ? kIncomeRoot : kExpenseRoot) + accountPart(std::wstring(op.rubrique), kNoRubrique), -cents);
        text += kJournalLineEnd;
    }

    // A bank line: the balance the bank gives, asserted when the journal's
    // balance of the main account reaches it at that date.
    void bank(const OperationView& op, bool holds) {
        const std::wstring amount = journalAmount(centsOf(op.montant), commodity_);
        if (!holds) {
            comment(journalDate(op.date) + L" solde de la banque " + amount +
                    L" : les opérations enregistrées jusqu'à cette date ne le donnent pas");
            text += kJournalLineEnd;
            return;
        }
        text += journalDate(op.date) + L" " + kClearedMark + L" " + journalText(op.objet) + kJournalLineEnd;
        text += kPostingIndent + main_ + kAmountGap + journalAmount(0, commodity_) + L" = " + amount + kJournalLineEnd;
        text += kJournalLineEnd;
    }

private:
    void posting(const std::wstring& account, long long cents) {
        text += kPostingIndent + account + kAmountGap + journalAmount(cents, commodity_) + kJournalLineEnd;
    }

    std::wstring commodity_, main_, cash_;
    bool hasTva_;
};

// For each bank entry, whether the main account's balance at its place (in
// date order, the file's order within a date, after the opening) is its amount.
std::vector<bool> assertionsHolding(const std::vector<JournalEntry>& entries, long long opening) {
    std::vector<size_t> order(entries.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return entries[a].op.date < entries[b].op.date; });
    std::vector<bool> holds(entries.size(), false);
    long long balance = opening;
    for (size_t k : order) {
        const JournalEntry& e = entries[k];
        if (e.bank) holds[k] = balance == centsOf(e.op.montant);
        else if (!e.cash) balance += centsOf(e.op.montant);
    }
    return holds;
}
}  // namespace

ExportKind exportKindOf(const std::wstring& path) {
    const std::wstring name = NomFichSeul(path);
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return ExportKind::Unknown;
    const std::wstring extension = upperCase(name.substr(dot + 1));
    if (extension == L"CSV") return ExportKind::Csv;
    if (extension == L"JOURNAL" || extension == L"LEDGER") return ExportKind::Journal;
    return ExportKind::Unknown;
}

ExportedFile exportCsv(const std::vector<std::wstring>& lines, const AccountHeader& header) {
    std::wstring text = kCsvHeader + kCsvLineEnd;
    ExportedFile file;
    for (const std::wstring& line : lines) {
        std::optional<OperationView> op = operationOf(line);
        if (!op) continue;
        text += csvRow(*op, header) + kCsvLineEnd;
        ++file.operations;
    }
    file.bytes = std::string(kUtf8LineMark) + toUtf8(text);
    return file;
}

std::wstring journalAccountName(const std::wstring& path) {
    const std::wstring name = NomFichSeul(path);
    return name.substr(0, name.find(L'.'));
}

ExportedFile exportJournal(const std::vector<std::wstring>& lines, const AccountHeader& header,
                           const std::wstring& accountName) {
    const BalanceRule rule = BalanceRule::of(header);
    const bool bankCode = header.accountType == kAccountBankCode;
    std::vector<JournalEntry> entries;
    long long registered = 0, bankCents = 0;
    for (const std::wstring& line : lines) {
        std::optional<OperationView> op = operationOf(line);
        if (!op || isPensionLine(line) || op->date < header.startDate) continue;
        if (op->code == balancerule::kBankCode) {
            if (!bankCode) continue;
            bankCents = centsOf(op->montant);  // the last one gives the bank's balance
            entries.push_back({*op, true, false});
            continue;
        }
        BalanceSums unused;
        const bool counted = addToBalance(*op, rule, unused);
        if (!counted) registered += centsOf(op->montant);
        entries.push_back({*op, false, counted && isCashNumero(op->numero)});
    }
    const long long opening = bankCents - registered;

    JournalWriter journal(header, accountName);
    journal.comment(L"Compte " + accountName + L" : " + trim(header.title) + L", en " + trim(header.unitName));
    if (bankCode)
        journal.comment(
            L"Le solde d'ouverture est le solde de la banque moins les opérations enregistrées qu'il compte.");
    journal.text += kJournalLineEnd;
    if (opening != 0) journal.opening(header.startDate, opening);
    const std::vector<bool> holds = assertionsHolding(entries, opening);
    ExportedFile file;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].bank) {
            journal.bank(entries[k].op, holds[k]);
        } else {
            journal.operation(entries[k]);
            ++file.operations;
        }
    }
    file.bytes = toUtf8(journal.text);
    return file;
}
