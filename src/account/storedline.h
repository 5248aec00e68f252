// The one reading of a stored operation line into its fields, which the
// strict reading of an operation, the ledger's lines and the printed table
// all start from, so that they cut a damaged line the same way.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

// The fixed shape of a stored line.
namespace storedline {
constexpr wchar_t kSeparator = 0x1E;
constexpr size_t kDateLength = 8;
constexpr size_t kFlagPosition = 8;    // 0-based
constexpr size_t kCodePosition = 9;    // 0-based
constexpr size_t kRubriqueStart = 10;  // 0-based
constexpr size_t kSeparators = 4;      // between the five texts of a line
}  // namespace storedline

// A stored line: 1-8 date (DDMMYYYY, a leading zero written as a blank),
// 9 state flag, 10 code, then rubrique RS objet RS montant RS tva RS numéro.
// The fields as views into the line (no copy), exactly as stored (not
// trimmed); the line must outlive them.
struct StoredFields {
    static constexpr size_t kNone = std::wstring_view::npos;
    wchar_t flag = L' ';  // position 9, a blank when the line is shorter
    wchar_t code = L' ';  // position 10, a blank when the line is shorter
    std::wstring_view date, rubrique, objet, montant, tva, numero;
    size_t separators = 0;          // separators found before the numéro, at most four
    size_t firstSeparator = kNone;  // 0-based position of the first one, kNone when none
};

// Cuts a line leniently, as read from a file that may be damaged: a missing
// position or field reads as blank or empty. The rubrique runs from position
// 11 to the first separator, or to the end of a line that has none; each
// further field runs to the next separator or to the end of the line; the
// numéro is the whole rest after the fourth separator, separators included.
// Inline: every line of a display is cut by it, and more than once.
inline StoredFields splitStoredLine(std::wstring_view line) {
    using namespace storedline;
    StoredFields f;
    f.date = line.substr(0, kDateLength);
    if (line.size() > kFlagPosition) f.flag = line[kFlagPosition];
    if (line.size() > kCodePosition) f.code = line[kCodePosition];
    // One pass for the four separators: a plain loop over fields of a few
    // characters is faster than a library search for each.
    std::array<size_t, kSeparators> at{};
    size_t found = 0;
    for (size_t i = 0; i < line.size() && found < kSeparators; ++i)
        if (line[i] == kSeparator) at[found++] = i;
    f.separators = found;
    const size_t rubriqueEnd = found == 0 ? line.size() : at[0];
    if (rubriqueEnd > kRubriqueStart) f.rubrique = line.substr(kRubriqueStart, rubriqueEnd - kRubriqueStart);
    if (found == 0) return f;
    f.firstSeparator = at[0];
    // Each further field runs from one past its separator to the next one, or
    // to the end of the line when there is no next one.
    std::wstring_view* fields[] = {&f.objet, &f.montant, &f.tva, &f.numero};
    for (size_t k = 0; k < found; ++k) {
        const size_t start = at[k] + 1;
        *fields[k] = k + 1 < found ? line.substr(start, at[k + 1] - start) : line.substr(start);
    }
    return f;
}
