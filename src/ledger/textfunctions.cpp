#include <charconv>
#include <cmath>
#include <cwctype>

#include "ledger/format.h"

std::wstring FormatDate(Date date) {
    int y, m, d;
    ymdFromDate(date, y, m, d);
    std::wstring s(8, L' ');
    s[0] = d >= 10 ? static_cast<wchar_t>(L'0' + d / 10) : L' ';
    s[1] = static_cast<wchar_t>(L'0' + d % 10);
    s[2] = m >= 10 ? static_cast<wchar_t>(L'0' + m / 10) : L' ';
    s[3] = static_cast<wchar_t>(L'0' + m % 10);
    for (int i = 7; i >= 4; --i, y /= 10) s[i] = static_cast<wchar_t>(L'0' + y % 10);
    return s;
}

namespace {
// The shortest decimal text that reads back as the amount ("1.045", "-3e-05").
std::string shortestDecimal(double amount) {
    // The longest fixed form of a double (the smallest subnormal) is about
    // 330 characters.
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, amount, std::chars_format::fixed);
    if (res.ec != std::errc()) return "0";
    return std::string(buf, res.ptr);
}

// Rounds a fixed decimal text to two decimals, half away from zero.
// Returns sign, integer digits and two decimal digits.
void roundDecimal(const std::string& text, bool& negative, std::string& units, std::string& cents) {
    size_t i = 0;
    negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    size_t dot = text.find('.', i);
    units = text.substr(i, dot == std::string::npos ? std::string::npos : dot - i);
    std::string frac = dot == std::string::npos ? "" : text.substr(dot + 1);
    if (units.empty()) units = "0";
    while (frac.size() < 3) frac.push_back('0');
    cents = frac.substr(0, 2);
    if (frac[2] >= '5') {
        // Carry into cents, then into the units.
        std::string digits = units + cents;
        int k = static_cast<int>(digits.size()) - 1;
        while (k >= 0 && digits[k] == '9') digits[k--] = '0';
        if (k >= 0) ++digits[k];
        else digits.insert(digits.begin(), '1');
        units = digits.substr(0, digits.size() - 2);
        cents = digits.substr(digits.size() - 2);
    }
    size_t nz = units.find_first_not_of('0');
    units = nz == std::string::npos ? "0" : units.substr(nz);
    if (units == "0" && cents == "00") negative = false;
}
}  // namespace

std::wstring Forme_montant(double amount) {
    if (!std::isfinite(amount)) return L"0";
    bool negative;
    std::string units, cents;
    roundDecimal(shortestDecimal(amount), negative, units, cents);
    std::wstring out;
    if (negative) out.push_back(L'-');
    out.append(units.begin(), units.end());
    if (cents != "00") {
        out.push_back(L',');
        out.append(cents.begin(), cents.end());
    }
    return out;
}

std::wstring decimalText(double amount) {
    std::wstring s = Forme_montant(amount);
    for (auto& c : s)
        if (c == L',') c = L'.';
    return s;
}

namespace {
constexpr long long kCentsPerUnitOfText = 100;
}  // namespace

long long centsOf(double amount) {
    std::wstring text = decimalText(amount);  // "-12.5", "3"
    const bool negative = !text.empty() && text[0] == L'-';
    if (negative) text.erase(0, 1);
    const size_t dot = text.find(L'.');
    std::wstring fraction = dot == std::wstring::npos ? L"" : text.substr(dot + 1);
    fraction.resize(2, L'0');
    const long long cents = std::stoll(text.substr(0, dot)) * kCentsPerUnitOfText + std::stoll(fraction);
    return negative ? -cents : cents;
}

void arrondi(double& amount) {
    if (!std::isfinite(amount)) return;
    std::wstring s = decimalText(amount);
    amount = std::stod(std::string(s.begin(), s.end()));
}

std::wstring complete(const std::wstring& text, int width) {
    if (static_cast<int>(text.size()) >= width) return text;
    return text + std::wstring(width - text.size(), L' ');
}

std::wstring completegaucheCar(const std::wstring& text, wchar_t pad, int width) {
    if (static_cast<int>(text.size()) >= width) return text;
    return std::wstring(width - text.size(), pad) + text;
}

std::wstring trim(const std::wstring& text) {
    size_t a = text.find_first_not_of(L' ');
    if (a == std::wstring::npos) return L"";
    size_t b = text.find_last_not_of(L' ');
    return text.substr(a, b - a + 1);
}

std::wstring trimRight(const std::wstring& text) {
    size_t b = text.find_last_not_of(L' ');
    return b == std::wstring::npos ? L"" : text.substr(0, b + 1);
}

std::wstring upperCase(const std::wstring& text) {
    std::wstring out = text;
    for (auto& c : out) c = static_cast<wchar_t>(std::towupper(c));
    // towupper depends on the C locale for accented letters: fold the French ones here.
    for (auto& c : out) {
        if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) c = static_cast<wchar_t>(c - 0x20);
        else if (c == 0x153) c = 0x152;
        else if (c == 0xFF) c = 0x178;
    }
    return out;
}

std::wstring foldedUpperCase(const std::wstring& text) {
    // Each accented capital of Windows-1252 and the letter it carries; Æ and Œ
    // stay, so that the text keeps its length.
    static const std::wstring accented = L"ÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝŸŠŽ";
    static const std::wstring plain = L"AAAAAACEEEEIIIIDNOOOOOOUUUUYYSZ";
    std::wstring out = upperCase(text);
    for (auto& c : out) {
        size_t k = accented.find(c);
        if (k != std::wstring::npos) c = plain[k];
    }
    return out;
}

std::wstring centre(const std::wstring& text, int width) {
    std::wstring t = trim(text);
    int len = static_cast<int>(t.size());
    if (len >= width) return t;
    int diff = width - len;
    // Half of the difference, halves going to the even number.
    int before = static_cast<int>(std::nearbyint(diff / 2.0));
    return complete(std::wstring(before, L' ') + t, width);
}
