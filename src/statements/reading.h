// What the statement readers share: decoding the file's bytes, following its
// lines, cleaning the texts it gives and reading its dates.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "statements/statement.h"

namespace statements {

// Windows-1252 bytes as text; control characters are kept as they are (the
// field checks below judge them).
std::wstring decodeWindows1252(std::string_view bytes);
// True when the bytes are well-formed UTF-8.
bool isUtf8(std::string_view bytes);
// The bytes without a leading UTF-8 byte order mark.
std::string_view withoutBom(std::string_view bytes);
// UTF-8 when the bytes are well-formed UTF-8 (a BOM dropped), else Windows-1252.
std::wstring decodeUtf8OrWindows1252(std::string_view bytes);

// Counts the lines of a text as it is walked forward: CR LF, a lone LF or a
// lone CR each end one line.
class LineCounter {
public:
    explicit LineCounter(std::wstring_view text) : text_(text) {}
    // The 1-based line of the character at pos (pos never goes back).
    int lineAt(size_t pos);

private:
    std::wstring_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

// A text of the statement made fit for a stored line: blanks (and tabs and
// other control characters but the field separator and line breaks) trimmed
// and each run made one blank. Throws StatementError at line when the text
// holds the field separator or a line break, or a letter Windows-1252 cannot hold.
std::wstring fieldText(std::wstring_view raw, int line);

// The blanks a statement may put around or inside a text or a number.
bool isBlank(wchar_t c);
// The text without blanks or line ends at either end.
std::wstring_view trimmed(std::wstring_view text);
// Lower case without accents, for comparing words.
std::wstring foldedWord(std::wstring_view text);

// The date of that day, or nullopt when it does not exist.
std::optional<Date> dateOf(int year, int month, int day);
// A two-digit year as a four-digit one (00-69: 2000s, 70-99: 1900s).
int fullYear(int twoDigits);

// What is thrown for an amount or a date that cannot be read.
inline const std::wstring kBadAmount = L"montant invalide";
inline const std::wstring kBadDate = L"date invalide";

}  // namespace statements
