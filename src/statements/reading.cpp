// What the statement readers share.
#include "statements/reading.h"

#include <array>

#include "account/account.h"
#include "app/textfile.h"

namespace statements {
namespace {
constexpr unsigned char kFirstHigh = 0x80;
constexpr wchar_t kNoBreakSpace = 0xA0, kNarrowNoBreakSpace = 0x202F;
constexpr int kCentury19 = 1900, kCentury20 = 2000, kPivotYear = 70;

// The 256 Windows-1252 letters, built once through the program's own decoder.
const std::array<wchar_t, 256>& windows1252Table() {
    static const std::array<wchar_t, 256> table = [] {
        std::array<wchar_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            t[b] = b < kFirstHigh ? static_cast<wchar_t>(b) : decodeCp1252(std::string_view(&c, 1))[0];
        }
        return t;
    }();
    return table;
}

// Control characters other than the field separator and line breaks.
bool isOtherControl(wchar_t c) { return (c < 0x20 || c == 0x7F) && c != RS && c != L'\r' && c != L'\n'; }

// Latin letters with accents and their plain forms, for foldedWord.
constexpr std::wstring_view kAccented = L"àâäáãåçéèêëíìîïñóòôöõúùûüýÿœæ";
constexpr std::wstring_view kPlain = L"aaaaaaceeeeiiiinooooouuuuyyoa";
}  // namespace

std::wstring decodeWindows1252(std::string_view bytes) {
    const auto& table = windows1252Table();
    std::wstring out(bytes.size(), L'\0');
    for (size_t i = 0; i < bytes.size(); ++i) out[i] = table[static_cast<unsigned char>(bytes[i])];
    return out;
}

bool isUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i++]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || b == 0xC0 || b == 0xC1) return false;
        for (; extra > 0; --extra, ++i)
            if (i >= bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) return false;
    }
    return true;
}

std::string_view withoutBom(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    return bytes.substr(0, kBom.size()) == kBom ? bytes.substr(kBom.size()) : bytes;
}

std::wstring decodeUtf8OrWindows1252(std::string_view bytes) {
    std::string_view body = withoutBom(bytes);
    return isUtf8(body) ? fromUtf8(std::string(body)) : decodeWindows1252(body);
}

int LineCounter::lineAt(size_t pos) {
    for (; pos_ < pos && pos_ < text_.size(); ++pos_) {
        const wchar_t c = text_[pos_];
        if (c == L'\n' || (c == L'\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != L'\n'))) ++line_;
    }
    return line_;
}

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\f' || c == kNoBreakSpace || c == kNarrowNoBreakSpace;
}

std::wstring_view trimmed(std::wstring_view text) {
    auto loose = [](wchar_t c) { return isBlank(c) || c == L'\r' || c == L'\n'; };
    while (!text.empty() && loose(text.front())) text.remove_prefix(1);
    while (!text.empty() && loose(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring fieldText(std::wstring_view raw, int line) {
    std::wstring out;
    out.reserve(raw.size());
    bool blankPending = false;
    for (wchar_t c : raw) {
        if (isBlank(c) || isOtherControl(c)) {
            blankPending = !out.empty();
            continue;
        }
        if (blankPending) out += L' ';
        blankPending = false;
        out += c;
    }
    // Line breaks at either end belong to the file's layout, not to the text.
    out = std::wstring(trimmed(out));
    if (!fitsInLine(out)) throw StatementError(kForbiddenInLine, line);
    std::wstring refusal = unwritableLetterRefusal(out);
    if (!refusal.empty()) throw StatementError(refusal, line);
    return out;
}

std::wstring foldedWord(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : trimmed(text)) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c >= 0xC0 && c <= 0xDE && c != 0xD7) c = static_cast<wchar_t>(c + 0x20);  // Latin-1 capitals
        if (c == 0x152) c = 0x153;                                                    // Œ
        size_t k = kAccented.find(c);
        out += k == std::wstring_view::npos ? c : kPlain[k];
    }
    return out;
}

std::optional<Date> dateOf(int year, int month, int day) {
    if (!validYMD(year, month, day)) return std::nullopt;
    return dateFromYMD(year, month, day);
}

int fullYear(int twoDigits) { return twoDigits < kPivotYear ? kCentury20 + twoDigits : kCentury19 + twoDigits; }

}  // namespace statements
