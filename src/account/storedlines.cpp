// The lines of an open account kept while another account is shown, or while
// the shown one is saved: one buffer for all of them instead of one string a
// line. A character from 1 to 254 takes one byte; any other takes an escape
// byte and its four bytes, so that every line comes back as it was.
#include <cstring>

#include "account/account.h"

namespace {
constexpr unsigned char kEscape = 0xFF;

bool fitsInByte(wchar_t c) { return c >= 1 && c < kEscape; }
}  // namespace

void StoredLines::clear() {
    bytes.clear();
    ends.clear();
    marks.clear();
}

void StoredLines::reserve(long lines, size_t characters) {
    bytes.reserve(characters);
    ends.reserve(static_cast<size_t>(lines));
    marks.reserve(static_cast<size_t>(lines));
}

void StoredLines::append(std::wstring_view line, int16_t mark) {
    size_t escaped = 0;
    for (wchar_t c : line)
        if (!fitsInByte(c)) ++escaped;
    size_t at = bytes.size();
    bytes.resize(at + line.size() + 4 * escaped);
    char* to = bytes.data() + at;
    for (wchar_t c : line) {
        if (fitsInByte(c)) {
            *to++ = static_cast<char>(c);
        } else {
            auto value = static_cast<uint32_t>(c);
            *to++ = static_cast<char>(kEscape);
            std::memcpy(to, &value, sizeof value);
            to += sizeof value;
        }
    }
    ends.push_back(bytes.size());
    marks.push_back(mark);
}

std::wstring StoredLines::line(long k) const {
    std::wstring out;
    lineInto(k, out);
    return out;
}

void StoredLines::lineInto(long k, std::wstring& out) const {
    size_t from = k > 1 ? ends[static_cast<size_t>(k) - 2] : 0;
    size_t to = ends[static_cast<size_t>(k) - 1];
    out.resize(to - from);
    wchar_t* put = out.data();
    for (size_t i = from; i < to; ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b != kEscape) {
            *put++ = static_cast<wchar_t>(b);
        } else {
            uint32_t value = 0;
            std::memcpy(&value, bytes.data() + i + 1, sizeof value);
            *put++ = static_cast<wchar_t>(value);
            i += sizeof value;
        }
    }
    out.resize(static_cast<size_t>(put - out.data()));
}
