// QIF statements: records of lines, each led by a letter (D date, T or U
// amount, N number, P payee, M memo, L category, S/E/$ a split), each record
// ended by "^", in sections headed "!Type:Bank", "!Type:CCard" or "!Type:Cash".
#include <algorithm>
#include <array>
#include <stdexcept>

#include "statements/reading.h"

using namespace statements;

namespace {
constexpr int kFourDigits = 4, kTwoDigits = 2;
constexpr int kQuickenCentury = 2000;  // a year written after "'" is of the 2000s

// The file's lines with their 1-based numbers.
struct QifLine {
    std::wstring text;
    int number = 0;
};

std::vector<QifLine> qifLines(std::string_view bytes) {
    std::wstring text = decodeUtf8OrWindows1252(bytes);
    std::vector<QifLine> out;
    size_t start = 0;
    int number = 1;
    while (start <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        std::wstring_view line = std::wstring_view(text).substr(start, end == std::wstring::npos ? end : end - start);
        if (!trimmed(line).empty()) out.push_back({std::wstring(trimmed(line)), number});
        if (end == std::wstring::npos) break;
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
        ++number;
    }
    return out;
}

// A date as written, in its three numbers: first, second and year; the year
// first when it leads with four digits ("2004-12-31").
struct DateParts {
    int first = 0, second = 0, year = 0;
    bool yearFirst = false;
};

std::optional<DateParts> dateParts(std::wstring_view text) {
    std::vector<std::wstring> numbers(1);
    bool quickenYear = false;
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            numbers.back() += c;
        } else if (c == L'/' || c == L'-' || c == L'.' || c == L'\'') {
            if (c == L'\'') quickenYear = numbers.size() == 2;
            numbers.emplace_back();
        } else if (!isBlank(c)) {
            return std::nullopt;
        }
    }
    if (numbers.size() != 3 || std::any_of(numbers.begin(), numbers.end(),
                                           [](const std::wstring& n) { return n.empty() || n.size() > kFourDigits; }))
        return std::nullopt;
    DateParts d;
    d.yearFirst = numbers[0].size() == kFourDigits;
    const std::wstring& year = d.yearFirst ? numbers[0] : numbers[2];
    d.first = std::stoi(d.yearFirst ? numbers[1] : numbers[0]);
    d.second = std::stoi(d.yearFirst ? numbers[2] : numbers[1]);
    d.year = std::stoi(year);
    if (year.size() == kTwoDigits) d.year = quickenYear ? kQuickenCentury + d.year : fullYear(d.year);
    else if (year.size() != kFourDigits) return std::nullopt;
    return d;
}

// The date read in the given order (year first always reads month, day).
std::optional<Date> dateIn(const DateParts& d, QifDateOrder order) {
    if (d.yearFirst || order == QifDateOrder::MonthFirst) return dateOf(d.year, d.first, d.second);
    return dateOf(d.year, d.second, d.first);
}

// The section header's type, or throws when the file holds another kind of section.
enum class Section { None, Account, Transactions, Ignored };

Section sectionOf(const QifLine& line) {
    std::wstring word = foldedWord(line.text);
    if (word.starts_with(L"!type:")) {
        std::wstring type(trimmed(std::wstring_view(word).substr(6)));
        if (type == L"bank" || type == L"ccard" || type == L"cash") return Section::Transactions;
        throw StatementError(L"type de relevé QIF non pris en charge : " + line.text.substr(6), line.number);
    }
    if (word.starts_with(L"!account")) return Section::Account;
    return Section::Ignored;  // "!Option:AutoSwitch", "!Clear:AutoSwitch"
}

// Calls visit(line) for each dated line (D) of a transaction section.
template <typename F>
void forEachDateLine(const std::vector<QifLine>& lines, F visit) {
    Section section = Section::None;
    for (const QifLine& l : lines) {
        if (l.text[0] == L'!') section = sectionOf(l);
        else if (section == Section::Transactions && l.text[0] == L'D') visit(l);
    }
}

// A record of a transaction section as it is read.
struct Record {
    int start = 0;
    std::optional<Date> date;
    std::optional<long long> cents;
    std::wstring payee, memo, category, firstSplitCategory, number, transferTo;
    bool any = false;
};

// The category of an "L" or "S" line and, for a transfer "[Account]", the account.
struct Category {
    std::wstring name, transferTo;
};

Category categoryOf(const std::wstring& text, int line) {
    std::wstring value = fieldText(text, line);
    if (!value.empty() && value[0] == L'[') {
        std::wstring account = value.substr(1, value.find(L']') - 1);
        return {L"", fieldText(account, line)};
    }
    return {value, L""};
}

// The file read section by section.
class QifReader {
public:
    QifReader(std::vector<QifLine> lines, QifDateOrder order) : lines_(std::move(lines)), order_(order) {}

    Statement read() {
        Statement s;
        s.format = StatementFormat::Qif;
        Section section = Section::None;
        std::wstring accountName;
        Record record;
        for (const QifLine& l : lines_) {
            const wchar_t code = l.text[0];
            const std::wstring value = l.text.substr(1);
            if (code == L'!') {
                finish(record, s);
                section = sectionOf(l);
                if (section == Section::Transactions) {
                    s.accounts.emplace_back();
                    s.accounts.back().id = accountName;
                }
                continue;
            }
            if (section == Section::Account) {
                if (code == L'N') accountName = fieldText(value, l.number);
                if (code == L'^') section = Section::None;
                continue;
            }
            if (section != Section::Transactions) continue;
            if (code == L'^') {
                finish(record, s);
                continue;
            }
            if (!record.any) record.start = l.number;
            record.any = true;
            field(record, code, value, l.number);
        }
        finish(record, s);
        return s;
    }

private:
    std::vector<QifLine> lines_;
    QifDateOrder order_;

    void field(Record& r, wchar_t code, const std::wstring& value, int line) const {
        switch (code) {
        case L'D': {
            std::optional<DateParts> parts = dateParts(value);
            r.date = parts ? dateIn(*parts, order_) : std::nullopt;
            if (!r.date) throw StatementError(kBadDate, line);
            break;
        }
        case L'T':
        case L'U':
            r.cents = parseStatementAmount(value);
            if (!r.cents) throw StatementError(kBadAmount, line);
            break;
        case L'N': r.number = fieldText(value, line); break;
        case L'P': r.payee = fieldText(value, line); break;
        case L'M': r.memo = fieldText(value, line); break;
        case L'L': {
            Category c = categoryOf(value, line);
            r.category = c.name;
            r.transferTo = c.transferTo;
            break;
        }
        case L'S':
            if (r.firstSplitCategory.empty()) r.firstSplitCategory = categoryOf(value, line).name;
            break;
        default: break;  // C cleared, A address, E and $ of a split: not kept
        }
    }

    // The record made an operation of the last account (one is made when a
    // record comes before any section header).
    void finish(Record& r, Statement& s) const {
        if (!r.any) return;
        if (!r.date) throw StatementError(kBadDate, r.start);
        if (!r.cents) throw StatementError(kBadAmount, r.start);
        if (s.accounts.empty()) s.accounts.emplace_back();
        StatementLine line;
        line.sourceLine = r.start;
        line.date = *r.date;
        line.cents = *r.cents;
        line.numero = r.number;
        line.category = r.category.empty() ? r.firstSplitCategory : r.category;
        // A transfer is named by its account; the payee then stands as the memo when there is none.
        if (!r.transferTo.empty() && r.memo.empty()) r.memo = r.payee;
        line.objet = !r.transferTo.empty() ? r.transferTo : !r.payee.empty() ? r.payee : r.memo;
        if (line.objet != r.memo) line.memo = r.memo;
        s.accounts.back().lines.push_back(std::move(line));
        r = Record{};
    }
};
}  // namespace

QifDates qifDateOrder(std::string_view bytes) {
    std::vector<QifLine> lines = qifLines(bytes);
    QifDates out;
    int onlyDayFirst = 0, onlyMonthFirst = 0;  // the first line read only that way
    forEachDateLine(lines, [&](const QifLine& l) {
        std::optional<DateParts> parts = dateParts(std::wstring_view(l.text).substr(1));
        if (!parts) throw StatementError(kBadDate, l.number);
        std::optional<Date> dayFirst = dateIn(*parts, QifDateOrder::DayFirst);
        std::optional<Date> monthFirst = dateIn(*parts, QifDateOrder::MonthFirst);
        if (!dayFirst && !monthFirst) throw StatementError(kBadDate, l.number);
        if (out.sampleDate.empty() && dayFirst && monthFirst && !parts->yearFirst) {
            out.sampleDate = std::wstring(trimmed(std::wstring_view(l.text).substr(1)));
            out.sampleDayFirst = *dayFirst;
            out.sampleMonthFirst = *monthFirst;
        }
        if (!monthFirst && onlyDayFirst == 0) onlyDayFirst = l.number;
        if (!dayFirst && onlyMonthFirst == 0) onlyMonthFirst = l.number;
    });
    if (onlyDayFirst != 0 && onlyMonthFirst != 0)
        throw StatementError(kBadDate, std::max(onlyDayFirst, onlyMonthFirst));
    // With no date that reads both ways, either order reads the file alike.
    out.order = onlyDayFirst != 0        ? QifDateOrder::DayFirst
                : onlyMonthFirst != 0    ? QifDateOrder::MonthFirst
                : out.sampleDate.empty() ? QifDateOrder::DayFirst
                                         : QifDateOrder::Undecided;
    return out;
}

Statement readQif(std::string_view bytes, QifDateOrder order) {
    if (order == QifDateOrder::Undecided) throw std::invalid_argument("readQif needs a date order");
    return QifReader(qifLines(bytes), order).read();
}
