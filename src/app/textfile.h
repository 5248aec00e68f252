// Every file of the program is Windows-1252 text with CR LF line ends, and
// every file it writes goes through the one writer below.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Conversions between the program's wide text and Windows-1252 bytes.
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// stand for the code points of the same value, so that they come back unchanged.
// decodeCp1252 throws YzoError kErrNotText on a NUL, a control character other
// than tab, form feed and the field separator 30, or DEL. encodeCp1252 throws
// kErrNotEncodable on a character it cannot hold.
std::wstring decodeCp1252(std::string_view bytes);
std::string encodeCp1252(const std::wstring& text);
// The same, appended to out; the Line form appends CR LF after the text.
void appendCp1252(std::string& out, std::wstring_view text);
void appendCp1252Line(std::string& out, std::wstring_view line);
bool encodableCp1252(wchar_t c);

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

// A program path to a file-system path. "\" and "/" both separate folders.
std::filesystem::path fsPath(const std::wstring& path);

// Throws YzoError kErrNotRegularFile, naming the path, when something other
// than a regular file stands there (a named pipe, a device, a folder). Every
// reader below checks it before it opens the file, so that nothing waits for
// ever on a pipe; a missing path passes.
void requireRegularFile(const std::wstring& path);

// What a file held when it was read or written: its size, its modification
// time and a hash of its bytes. A file whose signature differs from the one
// noted was changed by someone else in between.
struct FileSignature {
    bool known = false;
    std::uintmax_t size = 0;
    std::int64_t time = 0;  // nanoseconds
    std::uint64_t hash = 0;
    bool operator==(const FileSignature& o) const {
        return known == o.known && size == o.size && time == o.time && hash == o.hash;
    }
    bool operator!=(const FileSignature& o) const { return !(*this == o); }
};

// The signature of a file as it is now; not known when it cannot be read.
FileSignature signatureOf(const std::wstring& path);

// A text file read whole.
struct TextFile {
    std::vector<std::wstring> lines;
    FileSignature signature;
};

// The lines of a text file. CR LF, a lone LF or a lone CR end a line; a last
// line without an end is read too. Throws YzoError on a missing file
// (kErrFileNotFound), an unreadable one (kErrPermission) or one that is not
// text (kErrNotText, naming the file and the line), or something other than a
// regular file (kErrNotRegularFile).
TextFile readTextFile(const std::wstring& path);
std::vector<std::wstring> readTextLines(const std::wstring& path);
// The bytes of a file read whole, whatever they are (a bank statement in any
// encoding). Throws YzoError as readTextFile does.
std::string readFileBytes(const std::wstring& path);

// The lines of a text file each decoded alone: a line that is not text is
// empty (nullopt), the others are read. A line that begins with kUtf8LineMark
// is read as UTF-8 (see writeTextLinesOrUtf8). Throws YzoError when the file
// cannot be read.
std::vector<std::optional<std::wstring>> readTextLinesEach(const std::wstring& path);

// The mark (the UTF-8 byte-order mark) that begins a line written as UTF-8
// in a file of Windows-1252 lines.
inline constexpr std::string_view kUtf8LineMark = "\xEF\xBB\xBF";

// Writes as writeTextLines does, except that a line Windows-1252 cannot hold
// (a path the system gave, such as a home folder "/home/łukasz") is written
// as kUtf8LineMark followed by its UTF-8 bytes, so that it is kept exactly;
// every other line stays Windows-1252. readTextLinesEach reads both back.
FileSignature writeTextLinesOrUtf8(const std::wstring& path, const std::vector<std::wstring>& lines);

// The mode of a file the writer creates (before the umask). Accounts are
// private to their owner; the other files are ordinary.
constexpr unsigned kPrivateFileMode = 0600;
constexpr unsigned kOrdinaryFileMode = 0666;

// Writes the lines, each followed by CR LF, through a temporary file beside the
// target that is flushed and then renamed over it: a failed write leaves the
// previous file whole. A file that exists keeps its mode and, where the system
// allows it, its owner; a symbolic link keeps pointing to the file, which gets
// the new text. A file without write permission is not replaced (kErrReadOnly).
// Once the new file is in place, the temporary files of the same target left
// by writes that were killed (their process has ended) are removed; those of
// a process still running are kept. Throws YzoError naming the file. Returns
// what was written.
FileSignature writeTextLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                             unsigned newFileMode = kOrdinaryFileMode);

// Removes the temporary files that writes of path left when they were killed
// (their process has ended); those of a process still running are kept. The
// writer does it after each write of a file, the program when it opens an
// account or yzo.INI. Nothing is said when one cannot be removed.
void removeLeftTemporaries(const std::wstring& path);

// Writes bytes the same safe way.
FileSignature writeFileAtomically(const std::wstring& path, const std::string& bytes,
                                  unsigned newFileMode = kOrdinaryFileMode);

// Copies a file to another name the same safe way; the copy takes the mode
// (and, where allowed, the owner) of the file copied. The copy's name is one
// the program makes itself (a backup, an installed file): a symbolic link
// standing there is replaced by the copy, never written through. Throws YzoError.
void copyFileAtomically(const std::wstring& from, const std::wstring& to);

// Faults the tests can arm in the writer, for every write to a file whose
// path ends with the given text: a full disk partway through the bytes, a
// folder where nothing can be created, a rename that fails, or the process
// killed halfway through the bytes. Stays armed until set back to None.
enum class WriteFault { None, DiskFull, ReadOnlyFolder, RenameFails, Killed };
void armWriteFault(WriteFault fault, const std::wstring& pathEnding = L"");
