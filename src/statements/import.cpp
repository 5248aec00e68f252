#include "statements/import.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <sstream>

#include "app/errors.h"
#include "ledger/format.h"

namespace {
// A numéro without its leading zeros, so that "0012" and "12" are the same cheque.
std::wstring_view withoutLeadingZeros(std::wstring_view n) {
    while (n.size() > 1 && n.front() == L'0') n.remove_prefix(1);
    return n;
}

bool numerosAgree(const std::wstring& a, const std::wstring& b) {
    return a.empty() || b.empty() || withoutLeadingZeros(a) == withoutLeadingZeros(b);
}

// An operation of the account, found by its amount: its date and index.
struct Candidate {
    Date date;
    long index;
    bool operator<(const Candidate& o) const { return date != o.date ? date < o.date : index < o.index; }
};
}  // namespace

std::vector<long> matchPresent(const std::vector<OperationKey>& statement, const std::vector<OperationKey>& account) {
    std::unordered_map<long long, std::vector<Candidate>> byAmount;
    for (long i = 0; i < static_cast<long>(account.size()); ++i)
        byAmount[account[static_cast<size_t>(i)].cents].push_back({account[static_cast<size_t>(i)].date, i});
    for (auto& [cents, candidates] : byAmount) std::sort(candidates.begin(), candidates.end());
    std::vector<bool> taken(account.size(), false);
    std::vector<long> matches(statement.size(), -1);
    for (size_t s = 0; s < statement.size(); ++s) {
        const OperationKey& line = statement[s];
        auto found = byAmount.find(line.cents);
        if (found == byAmount.end()) continue;
        const std::vector<Candidate>& candidates = found->second;
        long best = -1;
        Date bestGap = 0;
        auto from = std::lower_bound(candidates.begin(), candidates.end(), Candidate{line.date - kPresentDays, -1});
        for (auto c = from; c != candidates.end() && c->date <= line.date + kPresentDays; ++c) {
            if (taken[static_cast<size_t>(c->index)]) continue;
            if (!numerosAgree(line.numero, account[static_cast<size_t>(c->index)].numero)) continue;
            Date gap = c->date > line.date ? c->date - line.date : line.date - c->date;
            if (best < 0 || gap < bestGap || (gap == bestGap && c->index < best)) {
                best = c->index;
                bestGap = gap;
            }
        }
        if (best >= 0) {
            taken[static_cast<size_t>(best)] = true;
            matches[s] = best;
        }
    }
    return matches;
}

void RubriqueHistory::add(const std::wstring& objet, wchar_t code, const std::wstring& rubrique) {
    Use& use = uses_[code + foldedUpperCase(trim(objet))][trim(rubrique)];
    ++use.count;
    use.last = ++order_;
}

std::wstring RubriqueHistory::mostUsed(const std::wstring& objet, wchar_t code) const {
    auto found = uses_.find(code + foldedUpperCase(trim(objet)));
    if (found == uses_.end()) return L"";
    const std::wstring* best = nullptr;
    Use bestUse;
    for (const auto& [rubrique, use] : found->second) {
        if (rubrique.empty()) continue;
        if (!best || use.count > bestUse.count || (use.count == bestUse.count && use.last > bestUse.last)) {
            best = &rubrique;
            bestUse = use;
        }
    }
    return best ? *best : L"";
}

namespace {
// Whether word stands in text as whole words (not inside a longer word); both folded.
bool holdsWords(const std::wstring& text, const std::wstring& word) {
    if (word.empty()) return false;
    for (size_t at = text.find(word); at != std::wstring::npos; at = text.find(word, at + 1)) {
        bool startsWord = at == 0 || !std::iswalnum(text[at - 1]);
        size_t end = at + word.size();
        bool endsWord = end == text.size() || !std::iswalnum(text[end]);
        if (startsWord && endsWord) return true;
    }
    return false;
}
}  // namespace

std::wstring chooseRubrique(const StatementLine& line, wchar_t code, const RubriqueHistory& history,
                            const std::vector<StandardRubrique>& standard) {
    std::wstring used = history.mostUsed(line.objet, code);
    if (!used.empty()) return used;
    const std::wstring texts = foldedUpperCase(line.objet + L" | " + line.memo + L" | " + line.category);
    std::wstring best;
    for (const StandardRubrique& r : standard) {
        std::wstring name = trim(r.name);
        if (r.code != code || name.size() <= best.size()) continue;
        if (holdsWords(texts, foldedUpperCase(name))) best = name;
    }
    return best.empty() ? kOtherRubrique : best;
}

void codeAndAmount(long long statementCents, int accountType, wchar_t& code, long long& storedCents) {
    bool receipt = accountType == kAccountReceipts || (accountType != kAccountExpenses && statementCents > 0);
    code = receipt ? L'R' : L'D';
    long long size = statementCents < 0 ? -statementCents : statementCents;
    storedCents = receipt ? size : -size;
}

LineMatch lineMatch(bool present, int accountType, wchar_t storedFlag) {
    if (!present) return LineMatch::New;
    if (accountType == kAccountBankCode && storedFlag != L'/') return LineMatch::PresentToRegister;
    if (accountType == kAccountMarked && storedFlag != L'*') return LineMatch::PresentToMark;
    return LineMatch::Present;
}

std::wstring matchText(LineMatch match, bool ticked) {
    switch (match) {
    case LineMatch::New: return ticked ? L"nouvelle" : L"nouvelle, ne sera pas importée";
    case LineMatch::Present: return ticked ? L"déjà présente, sera importée à nouveau" : L"déjà présente";
    case LineMatch::PresentToRegister: return ticked ? L"déjà présente, sera enregistrée" : L"déjà présente";
    case LineMatch::PresentToMark: return ticked ? L"déjà présente, sera repérée" : L"déjà présente";
    }
    return L"";
}

// "aucune opération importée", "1 opération importée", "3 opérations importées":
// a count and its noun (feminine, as every noun counted here), plural above 1.
std::wstring countedWords(int n, const std::wstring& singular, const std::wstring& plural) {
    if (n == 0) return L"aucune " + singular;
    return std::to_wstring(n) + L" " + (n > 1 ? plural : singular);
}

std::wstring importSummary(const ImportCounts& counts, int accountType) {
    std::wstring s = countedWords(counts.imported, L"opération importée", L"opérations importées");
    s += L", " + countedWords(counts.present, L"déjà présente", L"déjà présentes");
    if (counts.present > 0 && counts.flagged > 0) {
        const bool marked = accountType == kAccountMarked;
        s += L" dont " +
             countedWords(counts.flagged, marked ? L"repérée" : L"enregistrée", marked ? L"repérées" : L"enregistrées");
    }
    return s;
}

namespace {
std::wstring centsText(long long cents) { return Forme_montant(static_cast<double>(cents) / 100.0); }
}  // namespace

std::wstring balanceComparison(long long statementCents, long long accountCents, const std::wstring& unitName) {
    std::wstring s = L", relevé " + centsText(statementCents) + L" " + unitName + L", compte " +
                     centsText(accountCents) + L" " + unitName;
    if (statementCents != accountCents) s += L", écart " + centsText(statementCents - accountCents) + L" " + unitName;
    return s;
}

std::wstring unreadableStatement(const std::wstring& reason, int line, const std::wstring& fileName) {
    std::wstring s = L"relevé illisible : " + reason;
    if (line > 0) s += L" ligne " + std::to_wstring(line);
    return s + L" de " + fileName;
}

std::wstring singleBlanks(const std::wstring& text) {
    std::wstring s;
    for (wchar_t c : text)
        if (c != L' ' || (!s.empty() && s.back() != L' ')) s += c;
    return trimRight(s);
}

std::wstring csvHeaderKey(const std::wstring& headerLine) { return trim(withoutLineBreaks(headerLine)); }

std::wstring csvLayoutLine(const std::wstring& header, const CsvLayout& l) {
    std::wostringstream s;
    s << l.date << L' ' << l.amount << L' ' << l.debit << L' ' << l.credit << L' ' << l.objet << L' ' << l.numero
      << L' ' << csvHeaderKey(header);
    return s.str();
}

std::optional<std::pair<std::wstring, CsvLayout>> parseCsvLayoutLine(const std::wstring& line) {
    std::wistringstream s(line);
    CsvLayout l;
    if (!(s >> l.date >> l.amount >> l.debit >> l.credit >> l.objet >> l.numero)) return std::nullopt;
    std::wstring header;
    std::getline(s, header);
    header = trim(header);
    if (header.empty() || l.date < 0) return std::nullopt;
    return std::pair{header, l};
}

namespace {
// Whether the stored operation comes after op by the insertion rule.
bool comesAfter(const Operation& stored, const Operation& op) {
    return stored.date > op.date || (stored.date == op.date && stored.numero > op.numero);
}
}  // namespace

std::vector<LineEntry> mergeOperations(const std::vector<LineEntry>& lines, const std::vector<Operation>& ops,
                                       std::vector<long>& positions) {
    std::vector<LineEntry> out;
    out.reserve(lines.size() + ops.size());
    out.push_back(lines.empty() ? LineEntry{} : lines[0]);
    positions.clear();
    size_t next = 0;
    auto takeNew = [&] {
        positions.push_back(static_cast<long>(out.size()));
        out.push_back(LineEntry{FormeYzo(ops[next++]), 0});
    };
    for (size_t i = 1; i < lines.size(); ++i) {
        try {
            Operation stored = convertit_ChaineYzo(lines[i].text);
            while (next < ops.size() && comesAfter(stored, ops[next])) takeNew();
        } catch (const YzoError&) {
            // a malformed line keeps its place and decides nothing
        }
        out.push_back(lines[i]);
    }
    while (next < ops.size()) takeNew();
    return out;
}
