// The one reading of a stored operation line into its fields, which the
// strict reading of an operation, the ledger's lines and the printed table
// all start from, so that they cut a damaged line the same way.
#pragma once
#include <cstddef>
#include <string_view>

// A stored line: 1-8 date (DDMMYYYY, a leading zero written as a blank),
// 9 state flag, 10 code, then rubrique RS objet RS montant RS tva RS numéro.
// The fields as views into the line (no copy), exactly as stored (not
// trimmed); the line must outlive them.
struct StoredFields {
    static constexpr size_t kNone = std::wstring_view::npos;
    wchar_t flag = L' ';  // position 9, a blank when the line is shorter
    wchar_t code = L' ';  // position 10, a blank when the line is shorter
    std::wstring_view date, rubrique, objet, montant, tva, numero;
    size_t separators = 0;         // separators found before the numéro, at most four
    size_t firstSeparator = kNone;  // 0-based position of the first one, kNone when none
};

// Cuts a line leniently, as read from a file that may be damaged: a missing
// position or field reads as blank or empty. The rubrique runs from position
// 11 to the first separator, or to the end of a line that has none; each
// further field runs to the next separator or to the end of the line; the
// numéro is the whole rest after the fourth separator, separators included.
StoredFields splitStoredLine(std::wstring_view line);
