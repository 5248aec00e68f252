// Every file of the program is Windows-1252 text with CR LF line ends.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

// Conversions between the program's wide text and Windows-1252 bytes.
// decodeCp1252 throws YzoError kErrNotText on a NUL, a control character other
// than tab, form feed and the field separator 30, or a byte Windows-1252 leaves
// undefined. encodeCp1252 throws kErrNotEncodable on a character it cannot hold.
std::wstring decodeCp1252(const std::string& bytes);
std::string encodeCp1252(const std::wstring& text);
bool encodableCp1252(wchar_t c);

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

// A program path to a file-system path. "\" and "/" both separate folders.
std::filesystem::path fsPath(const std::wstring& path);

// The bytes of a file, unchanged. Throws YzoError as readTextLines does.
std::string readFileBytes(const std::wstring& path);

// The lines of a text file. CR LF, a lone LF or a lone CR end a line; a last
// line without an end is read too. Throws YzoError on a missing file
// (kErrFileNotFound), an unreadable one (kErrPermission) or one that is not text.
std::vector<std::wstring> readTextLines(const std::wstring& path);

// Writes the lines, each followed by CR LF, through a temporary file beside the
// target that is flushed and then renamed over it: a failed write leaves the
// previous file whole. Throws YzoError.
void writeTextLines(const std::wstring& path, const std::vector<std::wstring>& lines);

// Writes bytes the same safe way.
void writeFileAtomically(const std::wstring& path, const std::string& bytes);

// Copies a file byte for byte the same safe way (temporary file, then rename).
void copyFileAtomically(const std::wstring& from, const std::wstring& to);
