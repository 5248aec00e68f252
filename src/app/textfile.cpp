#include "app/textfile.h"

#include <algorithm>
#include <cstring>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/errors.h"

namespace {
// Windows-1252 bytes 0x80-0x9F. The five it leaves undefined stand for the
// code points of the same value, as Windows itself reads them.
const wchar_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool allowedControl(unsigned char b) {
    return b == '\t' || b == '\f' || b == 0x1E || b == '\r' || b == '\n';
}

int encodeOne(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

int errnoToError(int e) {
    switch (e) {
    case ENOENT: return kErrFileNotFound;
    case EACCES: case EPERM: case EROFS: return kErrPermission;
    case ENOSPC: case EDQUOT: return kErrDiskFull;
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
        if (b < 0x80) { c = b; extra = 0; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
        else { out.push_back(0xFFFD); continue; }
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

std::filesystem::path fsPath(const std::wstring& path) {
    std::wstring p = path;
    for (auto& c : p)
        if (c == L'\\') c = L'/';
    return std::filesystem::path(toUtf8(p));
}

namespace {
struct ArmedFault {
    WriteFault fault = WriteFault::None;
    std::string pathEnding;
};
ArmedFault armed;

bool faultFor(const std::string& target, WriteFault fault) {
    if (armed.fault != fault) return false;
    const std::string& end = armed.pathEnding;
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

FileSignature signatureFrom(const std::string& bytes, const struct stat& st) {
    FileSignature s;
    s.known = true;
    s.size = bytes.size();
    s.time = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.hash = hashBytes(bytes);
    return s;
}

// Opens a regular file for reading. Anything else is refused before it is
// opened: a named pipe would wait for ever for a writer, a device would never
// end. The descriptor is opened without waiting and checked again, in case the
// name was replaced in between, then set back to ordinary reads.
int openRegularForReading(const std::wstring& path, const std::string& native) {
    requireRegularFile(path);
    int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw YzoError(errnoToError(errno), path);
    struct stat st {};
    int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        throw YzoError(kErrNotRegularFile, path);
    }
    return fd;
}

// The whole file through one descriptor, with what the system says of it.
void readAll(const std::wstring& path, std::string& bytes, struct stat& st) {
    std::string native = fsPath(path).string();
    int fd = openRegularForReading(path, native);
    bytes.clear();
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            throw YzoError(errnoToError(e), path);
        }
        bytes.append(buf, static_cast<size_t>(n));
    }
    int e = ::fstat(fd, &st) != 0 ? errno : 0;
    ::close(fd);
    if (e != 0) throw YzoError(errnoToError(e), path);
}

// A line of bytes, Windows-1252 or, after kUtf8LineMark, UTF-8 (a byte that
// is not UTF-8 reads as U+FFFD); nullopt when it holds a control character.
std::optional<std::wstring> decodeLineEither(std::string_view bytes) {
    try {
        if (bytes.substr(0, kUtf8LineMark.size()) != kUtf8LineMark) return decodeCp1252(bytes);
        std::wstring text = fromUtf8(std::string(bytes.substr(kUtf8LineMark.size())));
        for (wchar_t c : text)
            if ((c < 0x20 && !allowedControl(static_cast<unsigned char>(c))) || c == 0x7F)
                return std::nullopt;
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

// The file a path names once its symbolic links are followed, so that a save
// writes the file and leaves the links as they are.
std::filesystem::path followLinks(std::filesystem::path p) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(p, ec))) return p;
        std::filesystem::path to = std::filesystem::read_symlink(p, ec);
        if (ec) return p;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

// The temporary files of a target are named "." + its name + "." + the
// writing process's number + "-" + a counter. The number of the process that
// made the temporary file, or 0 when name is not one of target's.
pid_t temporaryOwner(const std::string& name, const std::string& targetName) {
    const size_t maxDigits = std::numeric_limits<long long>::digits10;  // read into a long long
    const std::string prefix = "." + targetName + ".";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::string rest = name.substr(prefix.size());
    size_t dash = rest.find('-');
    auto digits = [&](const std::string& t) {
        return !t.empty() && t.size() <= maxDigits && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string::npos || !digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1))) return 0;
    long long pid = std::stoll(rest.substr(0, dash));
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

// True when the process that made a temporary file can no longer finish it.
// This process writes one file at a time and removes its temporary file when
// a write fails, so one of its own number was left by an earlier process that
// had the same number. A process of another user is alive (EPERM).
bool ownerGone(pid_t owner) {
    if (owner == ::getpid()) return true;
    return ::kill(owner, 0) != 0 && errno == ESRCH;
}

// Removes the temporary files of target that a write killed halfway left
// behind; those of a process still writing are kept. Nothing is said when one
// cannot be removed: it is tried again at the next save or opening.
void removeTemporariesBeside(const std::filesystem::path& target) {
    const std::string targetName = target.filename().string();
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        pid_t owner = temporaryOwner(it->path().filename().string(), targetName);
        if (owner != 0 && ownerGone(owner)) ::unlink(it->path().c_str());
    }
}

// Writes the bytes; 0, or the error number. An armed full disk or kill
// strikes once half of the bytes are written.
int writeAll(int fd, const std::string& bytes, const std::string& target) {
    bool killed = faultFor(target, WriteFault::Killed);
    bool diskFull = faultFor(target, WriteFault::DiskFull);
    size_t limit = killed || diskFull ? bytes.size() / 2 : bytes.size();
    size_t done = 0;
    while (done < limit) {
        ssize_t w = ::write(fd, bytes.data() + done, limit - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(w);
    }
    if (killed) ::raise(SIGKILL);
    return diskFull ? ENOSPC : 0;
}

// A temporary file of a name of its own beside the target, created private when
// it will replace a file (it takes that file's mode once made) and with the
// given mode, less the umask, when it will be a new file.
int createTemporary(const std::filesystem::path& target, bool replacing, unsigned newFileMode, std::string& temp) {
    static unsigned counter = 0;
    std::string base = "." + target.filename().string() + "." + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = (target.parent_path() / (base + std::to_string(++counter))).string();
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        replacing ? kPrivateFileMode : newFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives the new file the mode and owner of the file it replaces; 0, or the error number.
int takeModeAndOwner(int fd, const struct stat* old) {
    if (!old) return 0;
    if (::fchmod(fd, old->st_mode & 07777) != 0) return errno;
    // Only a privileged process may give a file away; the group may still be
    // kept. When neither is allowed the file stays the writer's, with the old mode.
    if (::fchown(fd, old->st_uid, old->st_gid) == 0) return 0;
    if (::fchown(fd, static_cast<uid_t>(-1), old->st_gid) == 0) return 0;
    return 0;
}

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// True when the file may not be written: no write permission for anyone (a
// privileged process could write it all the same), or none for this process.
bool readOnly(const std::string& native, const struct stat& st) {
    return S_ISREG(st.st_mode) && ((st.st_mode & 0222) == 0 || ::access(native.c_str(), W_OK) != 0);
}

// How a symbolic link standing at the name is treated: the file the user
// chose is written through its link; a name the program makes itself (a
// backup, an installed copy) gets a file of its own in place of the link.
enum class AtLink { Follow, Replace };

FileSignature writeReplacing(const std::wstring& path, const std::string& bytes, const struct stat* modeFrom,
                             unsigned newFileMode, AtLink atLink) {
    std::filesystem::path target = atLink == AtLink::Follow ? followLinks(fsPath(path)) : fsPath(path);
    std::string native = target.string();
    struct stat old {};
    bool exists = ::lstat(native.c_str(), &old) == 0;
    bool link = exists && S_ISLNK(old.st_mode);
    if (exists && S_ISDIR(old.st_mode)) throw YzoError(kErrPathAccess, path);
    if (exists && readOnly(native, old)) throw YzoError(kErrReadOnly, path);
    if (!modeFrom && exists && !link) modeFrom = &old;

    if (faultFor(native, WriteFault::ReadOnlyFolder)) throw YzoError(errnoToError(EROFS), path);
    std::string temp;
    int fd = createTemporary(target, modeFrom != nullptr, newFileMode, temp);
    if (fd < 0) throw YzoError(errnoToError(errno), path);
    struct stat written {};
    int e = takeModeAndOwner(fd, modeFrom);
    if (e == 0) e = writeAll(fd, bytes, native);
    if (e == 0 && (::fsync(fd) != 0 || ::fstat(fd, &written) != 0)) e = errno;
    if (::close(fd) != 0 && e == 0) e = errno;
    if (e != 0) {
        ::unlink(temp.c_str());
        throw YzoError(errnoToError(e), path);
    }
    if (faultFor(native, WriteFault::RenameFails)) e = EIO;
    else if (std::rename(temp.c_str(), native.c_str()) != 0) e = errno;
    if (e != 0) {
        ::unlink(temp.c_str());
        throw YzoError(errnoToError(e), path);
    }
    syncFolder(target.parent_path());
    removeTemporariesBeside(target);
    return signatureFrom(bytes, written);
}
}  // namespace

void removeLeftTemporaries(const std::wstring& path) { removeTemporariesBeside(followLinks(fsPath(path))); }

void requireRegularFile(const std::wstring& path) {
    struct stat st {};
    if (::stat(fsPath(path).c_str(), &st) == 0 && !S_ISREG(st.st_mode)) throw YzoError(kErrNotRegularFile, path);
}

void armWriteFault(WriteFault fault, const std::wstring& pathEnding) {
    armed.fault = fault;
    armed.pathEnding = fsPath(pathEnding).string();
}

FileSignature signatureOf(const std::wstring& path) {
    std::string bytes;
    struct stat st {};
    try {
        readAll(path, bytes, st);
    } catch (const YzoError&) {
        return {};
    }
    return signatureFrom(bytes, st);
}

TextFile readTextFile(const std::wstring& path) {
    std::string bytes;
    struct stat st {};
    readAll(path, bytes, st);
    TextFile file;
    file.signature = signatureFrom(bytes, st);
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

std::vector<std::optional<std::wstring>> readTextLinesEach(const std::wstring& path) {
    std::string bytes;
    struct stat st {};
    readAll(path, bytes, st);
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
    struct stat st {};
    readAll(from, bytes, st);
    writeReplacing(to, bytes, &st, kPrivateFileMode, AtLink::Replace);
}
