// What every statement format shares: recognising the format of a file, and
// reading an amount from its decimal text.
#include "statements/statement.h"

#include <algorithm>
#include <cctype>

#include "statements/reading.h"

using namespace statements;

namespace {
// How far into the file its format is looked for.
constexpr size_t kSniffBytes = 4096;
// More integer digits than an amount in cents can hold.
constexpr size_t kMaxIntegerDigits = 15;
constexpr int kDigitsPerGroup = 3;
constexpr int kCentDigits = 2;
constexpr int kRoundUpDigit = 5;
constexpr long long kCentsPerUnit = 100;

// The text in upper case, ASCII letters only.
std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The bytes after a BOM and leading blanks and line ends.
std::string_view contentStart(std::string_view bytes) {
    bytes = withoutBom(bytes);
    size_t first = bytes.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string_view() : bytes.substr(first);
}

// The first line of the text, without its line end.
std::string_view firstLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n")); }

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Digits separated in groups of three by sep, the first group 1 to 3 digits:
// the digits alone, or nullopt.
std::optional<std::wstring> ungrouped(std::wstring_view text, wchar_t sep) {
    std::wstring digits;
    size_t start = 0;
    bool first = true;
    while (true) {
        size_t end = text.find(sep, start);
        std::wstring_view group = text.substr(start, end == std::wstring_view::npos ? end : end - start);
        const bool sized = first ? !group.empty() && group.size() <= kDigitsPerGroup : group.size() == kDigitsPerGroup;
        if (!sized || !std::all_of(group.begin(), group.end(), isDigit)) return std::nullopt;
        digits += group;
        if (end == std::wstring_view::npos) return digits;
        start = end + 1;
        first = false;
    }
}
}  // namespace

StatementFormat detectStatementFormat(std::string_view bytes) {
    std::string_view start = contentStart(bytes);
    std::string head = upperAscii(start.substr(0, kSniffBytes));
    if (head.starts_with("OFXHEADER") || (head.starts_with("<") && head.find("<OFX") != std::string::npos))
        return StatementFormat::Ofx;
    if (head.starts_with("!TYPE:") || head.starts_with("!ACCOUNT") || head.starts_with("!OPTION"))
        return StatementFormat::Qif;
    if (firstLine(start).find_first_of(";,") != std::string_view::npos) return StatementFormat::Csv;
    return StatementFormat::Unknown;
}

std::optional<long long> parseStatementAmount(std::wstring_view text) {
    std::wstring s;
    for (wchar_t c : text)
        if (!isBlank(c)) s += c;
    bool negative = false;
    if (!s.empty() && (s.front() == L'-' || s.front() == L'+')) {
        negative = s.front() == L'-';
        s.erase(0, 1);
    }
    // The decimal mark: the last of "." and "," when both are there; a lone
    // "," followed by three digits, or a repeated one, groups thousands.
    size_t lastPoint = s.rfind(L'.'), lastComma = s.rfind(L',');
    size_t mark = std::wstring::npos;
    if (lastPoint != std::wstring::npos && lastComma != std::wstring::npos) {
        mark = std::max(lastPoint, lastComma);
    } else if (lastPoint != std::wstring::npos) {
        if (s.find(L'.') == lastPoint) mark = lastPoint;
    } else if (lastComma != std::wstring::npos) {
        if (s.find(L',') == lastComma && s.size() - lastComma - 1 != kDigitsPerGroup) mark = lastComma;
    }
    std::wstring_view whole = std::wstring_view(s).substr(0, mark);
    std::wstring_view fraction = mark == std::wstring::npos ? L"" : std::wstring_view(s).substr(mark + 1);
    if (!std::all_of(fraction.begin(), fraction.end(), isDigit)) return std::nullopt;
    std::optional<std::wstring> digits = std::wstring(whole);
    if (whole.find_first_of(L".,") != std::wstring_view::npos) {
        digits = ungrouped(whole, whole[whole.find_first_of(L".,")]);
    } else if (!std::all_of(whole.begin(), whole.end(), isDigit)) {
        return std::nullopt;
    }
    if (!digits || digits->size() > kMaxIntegerDigits || (digits->empty() && fraction.empty())) return std::nullopt;
    long long cents = 0;
    for (wchar_t c : *digits) cents = cents * 10 + (c - L'0');
    cents *= kCentsPerUnit;
    for (size_t i = 0; i < kCentDigits; ++i)
        cents += static_cast<long long>(i < fraction.size() ? fraction[i] - L'0' : 0) * (i == 0 ? 10 : 1);
    if (fraction.size() > kCentDigits && fraction[kCentDigits] - L'0' >= kRoundUpDigit) ++cents;
    return negative ? -cents : cents;
}
