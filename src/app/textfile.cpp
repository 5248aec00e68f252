#include "app/textfile.h"

#include <algorithm>
#include <cstring>
#include <cerrno>
#include <cstdio>
#include <limits>

#include "app/errors.h"
#include "platform/files.h"

namespace {
// Windows-1252 bytes 0x80-0x9F. The five it leaves undefined stand for the
// code points of the same value, as Windows itself reads them.
const wchar_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                           0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                           0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool allowedControl(unsigned char b) { return b == '\t' || b == '\f' || b == 0x1E || b == '\r' || b == '\n'; }

int encodeOne(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

int errnoToError(int e) {
    if (platform::diskFull(e)) return kErrDiskFull;
    switch (e) {
    case ENOENT: return kErrFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return kErrPermission;
    default: return kErrPathAccess;
    }
}
}  // namespace

std::wstring decodeCp1252(std::string_view bytes) {
    std::wstring out(bytes.size(), L'\0');
    wchar_t* to = out.data();
    for (unsigned char b : bytes) {
        if (b < 0x20 && !allowedControl(b)) throw YzoError(kErrNotText);
        if (b == 0x7F) throw YzoError(kErrNotText);
        *to++ = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<wchar_t>(b);
    }
    return out;
}

bool encodableCp1252(wchar_t c) { return encodeOne(c) >= 0; }

std::string encodeCp1252(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    appendCp1252(out, text);
    return out;
}

void appendCp1252(std::string& out, std::wstring_view text) {
    // Sized once and written in place: reports run to megabytes.
    const size_t start = out.size();
    out.resize(start + text.size());
    char* to = out.data() + start;
    for (wchar_t c : text) {
        int b = encodeOne(c);
        if (b < 0) {
            out.resize(start);
            throw YzoError(kErrNotEncodable, std::wstring(1, c));
        }
        *to++ = static_cast<char>(b);
    }
}

void appendCp1252Line(std::string& out, std::wstring_view line) {
    appendCp1252(out, line);
    out += "\r\n";
}

std::string toUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        auto c = static_cast<unsigned long>(wc);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::wstring fromUtf8(const std::string& text) {
    std::wstring out;
    size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i++]);
        unsigned long c;
        int extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else {
            out.push_back(0xFFFD);
            continue;
        }
        for (int k = 0; k < extra; ++k, ++i) {
            if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
                c = 0xFFFD;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        out.push_back(static_cast<wchar_t>(c));
    }
    return out;
}

std::filesystem::path fsPath(const std::wstring& path) { return platform::systemPath(path); }

namespace {
struct ArmedFault {
    WriteFault fault = WriteFault::None;
    std::wstring pathEnding;
};
ArmedFault armed;

bool faultFor(const std::wstring& target, WriteFault fault) {
    if (armed.fault != fault) return false;
    const std::wstring& end = armed.pathEnding;
    return target.size() >= end.size() && target.compare(target.size() - end.size(), end.size(), end) == 0;
}

// FNV-1a taken eight bytes at a time, with a shift to mix the high bits back
// in: enough to tell two versions of a file apart, at the speed of reading
// (accounts and reports run to tens of megabytes). Held in memory only.
std::uint64_t hashBytes(const std::string& bytes) {
    const std::uint64_t prime = 1099511628211ull;
    std::uint64_t h = 14695981039346656037ull;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        h ^= word;
        h *= prime;
        h ^= h >> 29;
    }
    for (; i < bytes.size(); ++i) {
        h ^= static_cast<unsigned char>(bytes[i]);
        h *= prime;
    }
    return h;
}

FileSignature signatureFrom(const std::string& bytes, std::int64_t modified) {
    FileSignature s;
    s.known = true;
    s.size = bytes.size();
    s.time = modified;
    s.hash = hashBytes(bytes);
    return s;
}

// Opens a regular file for reading. Anything else is refused before it is
// opened: a named pipe would wait for ever for a writer, a device would never end.
int openRegularForReading(const std::wstring& path) {
    int fd = platform::openForReading(fsPath(path));
    if (fd == -2) throw YzoError(kErrNotRegularFile, path);
    if (fd < 0) throw YzoError(errnoToError(errno), path);
    return fd;
}

// The whole file through one descriptor, with its modification time.
void readAll(const std::wstring& path, std::string& bytes, std::int64_t& modified) {
    int fd = openRegularForReading(path);
    bytes.clear();
    char buf[65536];
    for (;;) {
        long long n = platform::readSome(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            int e = errno;
            platform::closeFile(fd);
            throw YzoError(errnoToError(e), path);
        }
        bytes.append(buf, static_cast<size_t>(n));
    }
    int e = platform::modifiedTime(fd, modified);
    platform::closeFile(fd);
    if (e != 0) throw YzoError(errnoToError(e), path);
}

// A line of bytes, Windows-1252 or, after kUtf8LineMark, UTF-8 (a byte that
// is not UTF-8 reads as U+FFFD); nullopt when it holds a control character.
std::optional<std::wstring> decodeLineEither(std::string_view bytes) {
    try {
        if (bytes.substr(0, kUtf8LineMark.size()) != kUtf8LineMark) return decodeCp1252(bytes);
        std::wstring text = fromUtf8(std::string(bytes.substr(kUtf8LineMark.size())));
        for (wchar_t c : text)
            if ((c < 0x20 && !allowedControl(static_cast<unsigned char>(c))) || c == 0x7F) return std::nullopt;
        return text;
    } catch (const YzoError&) {
        return std::nullopt;
    }
}

// Appends a line as decodeLineEither reads it back: Windows-1252 when it can
// be and does not begin with the mark's own letters, UTF-8 after the mark otherwise.
void appendLineEither(std::string& out, std::wstring_view line) {
    const std::wstring markLetters = L"\u00EF\u00BB\u00BF";
    bool cp1252 = std::all_of(line.begin(), line.end(), [](wchar_t c) { return encodableCp1252(c); }) &&
                  line.substr(0, markLetters.size()) != markLetters;
    if (cp1252) {
        appendCp1252Line(out, line);
        return;
    }
    out += kUtf8LineMark;
    out += toUtf8(std::wstring(line));
    out += "\r\n";
}

// Byte ranges of the lines: CR LF, a lone LF or a lone CR end a line.
template <typename F>
void eachLine(const std::string& bytes, F&& take) {
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            take(start, i - start);
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size()) take(start, bytes.size() - start);
}

// The temporary files of a target are named "." + its name + "." + the
// writing process's number + "-" + a counter. The number of the process that
// made the temporary file, or 0 when name is not one of target's.
long long temporaryOwner(const std::wstring& name, const std::wstring& targetName) {
    const size_t maxDigits = std::numeric_limits<long long>::digits10;  // read into a long long
    const std::wstring prefix = L"." + targetName + L".";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::wstring rest = name.substr(prefix.size());
    size_t dash = rest.find(L'-');
    auto digits = [&](const std::wstring& t) {
        return !t.empty() && t.size() <= maxDigits &&
               std::all_of(t.begin(), t.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    };
    if (dash == std::wstring::npos || !digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1))) return 0;
    long long pid = std::stoll(rest.substr(0, dash));
    // Process numbers are int on every system the program runs on.
    return pid > 0 && pid <= std::numeric_limits<int>::max() ? pid : 0;
}

// True when the process that made a temporary file can no longer finish it.
// This process writes one file at a time and removes its temporary file when
// a write fails, so one of its own number was left by an earlier process that
// had the same number.
bool ownerGone(long long owner) {
    if (owner == platform::processId()) return true;
    return platform::processGone(owner);
}

// Removes the temporary files of target that a write killed halfway left
// behind; those of a process still writing are kept. Nothing is said when one
// cannot be removed: it is tried again at the next save or opening.
void removeTemporariesBeside(const std::filesystem::path& target) {
    const std::wstring targetName = platform::pathText(target.filename());
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        long long owner = temporaryOwner(platform::pathText(it->path().filename()), targetName);
        if (owner != 0 && ownerGone(owner)) platform::removeFile(it->path());
    }
}

// Writes the bytes; 0, or the error number. An armed full disk or kill
// strikes once half of the bytes are written.
int writeAll(int fd, const std::string& bytes, const std::wstring& target) {
    bool killed = faultFor(target, WriteFault::Killed);
    bool diskFull = faultFor(target, WriteFault::DiskFull);
    size_t limit = killed || diskFull ? bytes.size() / 2 : bytes.size();
    size_t done = 0;
    while (done < limit) {
        long long w = platform::writeSome(fd, bytes.data() + done, limit - done);
        if (w < 0) return errno;
        done += static_cast<size_t>(w);
    }
    if (killed) platform::killThisProcess();
    return diskFull ? ENOSPC : 0;
}

// A temporary file of a name of its own beside the target, created private when
// it will replace a file (it takes that file's mode once made) and with the
// given mode, less the umask, when it will be a new file.
int createTemporary(const std::filesystem::path& target, bool replacing, unsigned newFileMode,
                    std::filesystem::path& temp) {
    static unsigned counter = 0;
    std::filesystem::path base = ".";
    base += target.filename();
    base += "." + std::to_string(platform::processId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path name = base;
        name += std::to_string(++counter);
        temp = target.parent_path() / name;
        int fd = platform::createNew(temp, replacing ? kPrivateFileMode : newFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// How a symbolic link standing at the name is treated: the file the user
// chose is written through its link; a name the program makes itself (a
// backup, an installed copy) gets a file of its own in place of the link.
enum class AtLink { Follow, Replace };

FileSignature writeReplacing(const std::wstring& path, const std::string& bytes, const platform::FileState* modeFrom,
                             unsigned newFileMode, AtLink atLink) {
    std::filesystem::path target = atLink == AtLink::Follow ? platform::followLinks(fsPath(path)) : fsPath(path);
    std::wstring native = platform::pathText(target);
    platform::FileState old = platform::fileState(target);
    if (old.folder) throw YzoError(kErrPathAccess, path);
    if (old.readOnly) throw YzoError(kErrReadOnly, path);
    if (!modeFrom && old.exists && !old.link) modeFrom = &old;

    if (faultFor(native, WriteFault::ReadOnlyFolder)) throw YzoError(errnoToError(EROFS), path);
    std::filesystem::path temp;
    int fd = createTemporary(target, modeFrom != nullptr, newFileMode, temp);
    if (fd < 0) throw YzoError(errnoToError(errno), path);
    std::int64_t written = 0;
    int e = modeFrom ? platform::takeModeAndOwner(fd, *modeFrom) : 0;
    if (e == 0) e = writeAll(fd, bytes, native);
    if (e == 0) e = platform::flushToDisk(fd);
    if (e == 0) e = platform::modifiedTime(fd, written);
    int closed = platform::closeFile(fd);
    if (e == 0) e = closed;
    if (e != 0) {
        platform::removeFile(temp);
        throw YzoError(errnoToError(e), path);
    }
    if (faultFor(native, WriteFault::RenameFails)) e = EIO;
    else e = platform::replaceFile(temp, target);
    if (e != 0) {
        platform::removeFile(temp);
        throw YzoError(errnoToError(e), path);
    }
    platform::syncFolder(target.parent_path());
    removeTemporariesBeside(target);
    return signatureFrom(bytes, written);
}
}  // namespace

void removeLeftTemporaries(const std::wstring& path) { removeTemporariesBeside(platform::followLinks(fsPath(path))); }

void requireRegularFile(const std::wstring& path) {
    if (platform::standsNonRegular(fsPath(path))) throw YzoError(kErrNotRegularFile, path);
}

void armWriteFault(WriteFault fault, const std::wstring& pathEnding) {
    armed.fault = fault;
    armed.pathEnding = platform::pathText(fsPath(pathEnding));
}

FileSignature signatureOf(const std::wstring& path) {
    std::string bytes;
    std::int64_t modified = 0;
    try {
        readAll(path, bytes, modified);
    } catch (const YzoError&) {
        return {};
    }
    return signatureFrom(bytes, modified);
}

TextFile readTextFile(const std::wstring& path) {
    std::string bytes;
    std::int64_t modified = 0;
    readAll(path, bytes, modified);
    TextFile file;
    file.signature = signatureFrom(bytes, modified);
    // At most one line a line end, and one after the last.
    file.lines.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    long number = 0;
    eachLine(bytes, [&](size_t start, size_t length) {
        ++number;
        try {
            file.lines.push_back(decodeCp1252(std::string_view(bytes).substr(start, length)));
        } catch (const YzoError& e) {
            throw e.at(path, number);
        }
    });
    return file;
}

std::vector<std::wstring> readTextLines(const std::wstring& path) { return readTextFile(path).lines; }

std::string readFileBytes(const std::wstring& path) {
    std::string bytes;
    std::int64_t modified = 0;
    readAll(path, bytes, modified);
    return bytes;
}

std::vector<std::optional<std::wstring>> readTextLinesEach(const std::wstring& path) {
    std::string bytes;
    std::int64_t modified = 0;
    readAll(path, bytes, modified);
    std::vector<std::optional<std::wstring>> lines;
    eachLine(bytes, [&](size_t start, size_t length) {
        lines.emplace_back(decodeLineEither(std::string_view(bytes).substr(start, length)));
    });
    return lines;
}

FileSignature writeTextLinesOrUtf8(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const auto& line : lines) appendLineEither(bytes, line);
    return writeFileAtomically(path, bytes);
}

FileSignature writeFileAtomically(const std::wstring& path, const std::string& bytes, unsigned newFileMode) {
    return writeReplacing(path, bytes, nullptr, newFileMode, AtLink::Follow);
}

FileSignature writeTextLines(const std::wstring& path, const std::vector<std::wstring>& lines, unsigned newFileMode) {
    std::string bytes;
    for (const auto& line : lines) appendCp1252Line(bytes, line);
    return writeFileAtomically(path, bytes, newFileMode);
}

void copyFileAtomically(const std::wstring& from, const std::wstring& to) {
    std::string bytes;
    std::int64_t modified = 0;
    readAll(from, bytes, modified);
    platform::FileState state = platform::fileState(platform::followLinks(fsPath(from)));
    writeReplacing(to, bytes, &state, kPrivateFileMode, AtLink::Replace);
}
