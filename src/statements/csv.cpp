// CSV statements as French banks give them: a header row, ";" or ","
// between cells, quoted cells with "" for a quote, UTF-8 (with or without a
// BOM) or Windows-1252, dates JJ/MM/AAAA, decimal comma or point, one signed
// amount column or a debit and a credit column.
#include <algorithm>
#include <array>

#include "statements/reading.h"

using namespace statements;

namespace {
// How many rows the header is looked for in, past a bank's preamble.
constexpr size_t kHeaderSearchRows = 20;
// Fewer cells make a preamble's line ("Date d'export;01/02/2024"), not a header.
constexpr size_t kHeaderCells = 3;
constexpr size_t kMaxDatePart = 4;
constexpr int kYearDigits = 4;

// A record of the file: its text (line ends inside quotes kept) and first line.
struct Record {
    std::wstring_view text;
    int line = 0;
};

std::vector<Record> records(const std::wstring& text) {
    std::vector<Record> out;
    LineCounter lines(text);
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const wchar_t c = i < text.size() ? text[i] : L'\n';
        if (c == L'"') quoted = !quoted;
        if ((c != L'\n' && c != L'\r') || (quoted && i < text.size())) continue;
        out.push_back({std::wstring_view(text).substr(start, i - start), lines.lineAt(start)});
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    return out;
}

// The separator of a row: ";" or ",", whichever stands more often outside quotes.
wchar_t separatorOf(std::wstring_view row) {
    size_t semicolons = 0, commas = 0;
    bool quoted = false;
    for (wchar_t c : row) {
        if (c == L'"') quoted = !quoted;
        if (!quoted) semicolons += c == L';', commas += c == L',';
    }
    return commas > semicolons ? L',' : L';';
}

// The cells of a row, unquoted and trimmed.
std::vector<std::wstring> cells(std::wstring_view row, wchar_t sep) {
    std::vector<std::wstring> out(1);
    bool quoted = false;
    for (size_t i = 0; i < row.size(); ++i) {
        const wchar_t c = row[i];
        if (c == L'"' && quoted && i + 1 < row.size() && row[i + 1] == L'"') {
            out.back() += L'"';
            ++i;
        } else if (c == L'"') {
            quoted = !quoted;
        } else if (c == sep && !quoted) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    for (std::wstring& cell : out) cell = std::wstring(trimmed(cell));
    return out;
}

bool blankRow(const std::vector<std::wstring>& row) {
    return std::all_of(row.begin(), row.end(), [](const std::wstring& c) { return c.empty(); });
}

bool digitsOnly(std::wstring_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// A cell's date: JJ/MM/AAAA, JJ/MM/AA or AAAA-MM-JJ ("-" and "." also
// separate), a time after a blank left aside.
std::optional<Date> csvDate(std::wstring_view text) {
    text = text.substr(0, text.find(L' '));
    std::array<std::wstring, 3> parts;
    size_t n = 0;
    for (wchar_t c : text) {
        if (c == L'/' || c == L'-' || c == L'.') {
            if (++n == parts.size()) return std::nullopt;
        } else {
            parts[n] += c;
        }
    }
    if (n != 2 || !std::all_of(parts.begin(), parts.end(),
                               [](const std::wstring& p) { return digitsOnly(p) && p.size() <= kMaxDatePart; }))
        return std::nullopt;
    if (parts[0].size() == kYearDigits) return dateOf(std::stoi(parts[0]), std::stoi(parts[1]), std::stoi(parts[2]));
    if (parts[0].size() > 2 || parts[1].size() > 2) return std::nullopt;
    int year = std::stoi(parts[2]);
    if (parts[2].size() == 2) year = fullYear(year);
    else if (parts[2].size() != kYearDigits) return std::nullopt;
    return dateOf(year, std::stoi(parts[1]), std::stoi(parts[0]));
}

// A cell's amount, a currency sign or code after it left aside.
std::optional<long long> csvAmount(std::wstring_view text) {
    for (std::wstring_view unit : {L"\u20AC", L"EUR"})
        if (text.ends_with(unit)) text.remove_suffix(unit.size());
    return parseStatementAmount(text);
}

// The first column whose folded header holds one of the words (and none of
// the excluded ones), or -1.
int columnNamed(const std::vector<std::wstring>& folded, std::initializer_list<std::wstring_view> words,
                std::initializer_list<std::wstring_view> excluded = {}) {
    for (std::wstring_view word : words)
        for (size_t i = 0; i < folded.size(); ++i) {
            const std::wstring& h = folded[i];
            const bool refused = std::any_of(excluded.begin(), excluded.end(),
                                             [&h](std::wstring_view x) { return h.find(x) != std::wstring::npos; });
            if (!refused && h.find(word) != std::wstring::npos) return static_cast<int>(i);
        }
    return -1;
}

// The first column not yet taken whose every filled cell passes the test, or -1.
template <typename Test>
int columnWhere(const CsvTable& t, const std::vector<int>& taken, Test test) {
    for (size_t i = 0; i < t.header.size(); ++i) {
        if (std::find(taken.begin(), taken.end(), static_cast<int>(i)) != taken.end()) continue;
        bool any = false, all = true;
        for (const auto& row : t.rows) {
            if (i >= row.size() || row[i].empty()) continue;
            any = true;
            all = all && test(row[i]);
        }
        if (any && all) return static_cast<int>(i);
    }
    return -1;
}

// The cell of a row, empty past its end or for a column of none.
std::wstring_view cellAt(const std::vector<std::wstring>& row, int column) {
    return column >= 0 && static_cast<size_t>(column) < row.size() ? std::wstring_view(row[column]) : L"";
}

// The row's amount: the signed column, or the credit less the debit (a debit
// is an expense whether written positive or negative).
std::optional<long long> rowAmount(const std::vector<std::wstring>& row, const CsvLayout& layout) {
    if (layout.amount >= 0) return csvAmount(cellAt(row, layout.amount));
    std::wstring_view debit = cellAt(row, layout.debit), credit = cellAt(row, layout.credit);
    if (debit.empty() && credit.empty()) return std::nullopt;
    long long cents = 0;
    if (!debit.empty()) {
        std::optional<long long> d = csvAmount(debit);
        if (!d) return std::nullopt;
        cents -= *d < 0 ? -*d : *d;
    }
    if (!credit.empty()) {
        std::optional<long long> c = csvAmount(credit);
        if (!c) return std::nullopt;
        cents += *c < 0 ? -*c : *c;
    }
    return cents;
}
}  // namespace

CsvTable readCsvTable(std::string_view bytes) {
    const std::wstring text = decodeUtf8OrWindows1252(bytes);
    std::vector<Record> all = records(text);
    // The header: past any preamble, the first row of at least three cells
    // naming a date; else the first row.
    size_t header = all.size();
    for (size_t i = 0, seen = 0; i < all.size() && seen < kHeaderSearchRows; ++i) {
        if (trimmed(all[i].text).empty()) continue;
        if (header == all.size()) header = i;
        if (foldedWord(all[i].text).find(L"date") != std::wstring::npos &&
            cells(all[i].text, separatorOf(all[i].text)).size() >= kHeaderCells) {
            header = i;
            break;
        }
        ++seen;
    }
    CsvTable t;
    if (header == all.size()) return t;
    t.separator = separatorOf(all[header].text);
    t.header = cells(all[header].text, t.separator);
    // A first row holding a date is already an operation: the file has no header.
    const bool headerless =
        std::any_of(t.header.begin(), t.header.end(), [](const std::wstring& c) { return csvDate(c).has_value(); });
    if (headerless) t.header.assign(t.header.size(), L"");
    else t.headerLine = std::wstring(all[header].text);
    for (size_t i = headerless ? header : header + 1; i < all.size(); ++i) {
        std::vector<std::wstring> row = cells(all[i].text, t.separator);
        if (blankRow(row)) continue;
        t.rows.push_back(std::move(row));
        t.rowLines.push_back(all[i].line);
    }
    return t;
}

CsvLayout guessCsvLayout(const CsvTable& table) {
    std::vector<std::wstring> folded;
    for (const std::wstring& h : table.header) folded.push_back(foldedWord(h));
    CsvLayout l;
    l.date = columnNamed(folded, {L"date op", L"date de l", L"date"}, {L"valeur"});
    if (l.date < 0) l.date = columnNamed(folded, {L"date"});
    l.amount = columnNamed(folded, {L"montant", L"somme", L"amount"});
    l.debit = columnNamed(folded, {L"debit"});
    l.credit = columnNamed(folded, {L"credit"});
    if (l.debit >= 0 && l.credit >= 0 && l.debit != l.credit) {
        l.amount = -1;
    } else {
        if (l.amount < 0) l.amount = std::max(l.debit, l.credit);  // one "Débit/Crédit" column
        l.debit = l.credit = -1;
    }
    l.objet = columnNamed(folded, {L"libelle", L"objet", L"intitule", L"description", L"beneficiaire", L"label"});
    l.numero = columnNamed(folded, {L"cheque", L"numero", L"n\u00B0", L"reference", L"ref"});
    // What the words did not name, the contents tell.
    if (l.date < 0) l.date = columnWhere(table, {}, [](const std::wstring& c) { return csvDate(c).has_value(); });
    // An amount column: one with a decimal mark in every cell, else one of whole numbers.
    if (l.amount < 0 && l.debit < 0)
        l.amount = columnWhere(table, {l.date, l.numero}, [](const std::wstring& c) {
            return csvAmount(c).has_value() && c.find_first_of(L",.") != std::wstring::npos;
        });
    if (l.amount < 0 && l.debit < 0)
        l.amount =
            columnWhere(table, {l.date, l.numero}, [](const std::wstring& c) { return csvAmount(c).has_value(); });
    if (l.objet < 0)
        l.objet = columnWhere(table, {l.date, l.amount, l.debit, l.credit, l.numero},
                              [](const std::wstring& c) { return !csvAmount(c) && !csvDate(c); });
    return l;
}

Statement readCsv(const CsvTable& table, const CsvLayout& layout) {
    Statement s;
    s.format = StatementFormat::Csv;
    StatementAccount& account = s.accounts.emplace_back();
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<std::wstring>& row = table.rows[r];
        StatementLine line;
        line.sourceLine = table.rowLines[r];
        std::optional<Date> date = csvDate(cellAt(row, layout.date));
        if (!date) throw StatementError(kBadDate, line.sourceLine);
        std::optional<long long> cents = rowAmount(row, layout);
        if (!cents) throw StatementError(kBadAmount, line.sourceLine);
        line.date = *date;
        line.cents = *cents;
        line.objet = fieldText(cellAt(row, layout.objet), line.sourceLine);
        line.numero = fieldText(cellAt(row, layout.numero), line.sourceLine);
        account.lines.push_back(std::move(line));
    }
    return s;
}
