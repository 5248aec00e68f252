#include "app/textfile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "app/errors.h"

namespace {
// Windows-1252 bytes 0x80-0x9F; 0 marks the five bytes it leaves undefined.
const wchar_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool allowedControl(unsigned char b) {
    return b == '\t' || b == '\f' || b == 0x1E || b == '\r' || b == '\n';
}

int encodeOne(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] != 0 && kHigh[i] == c) return 0x80 + i;
    return -1;
}

int errnoToError(int e) {
    switch (e) {
    case ENOENT: return kErrFileNotFound;
    case EACCES: case EPERM: case EROFS: return kErrPermission;
    case ENOSPC: return kErrDiskFull;
    default: return kErrPathAccess;
    }
}
}  // namespace

std::wstring decodeCp1252(const std::string& bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        if (b < 0x20 && !allowedControl(b)) throw YzoError(kErrNotText);
        if (b == 0x7F) throw YzoError(kErrNotText);
        if (b >= 0x80 && b < 0xA0) {
            wchar_t c = kHigh[b - 0x80];
            if (c == 0) throw YzoError(kErrNotText);
            out.push_back(c);
        } else {
            out.push_back(static_cast<wchar_t>(b));
        }
    }
    return out;
}

bool encodableCp1252(wchar_t c) { return encodeOne(c) >= 0; }

std::string encodeCp1252(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        int b = encodeOne(c);
        if (b < 0) throw YzoError(kErrNotEncodable, std::wstring(1, c));
        out.push_back(static_cast<char>(b));
    }
    return out;
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

std::string readFileBytes(const std::wstring& path) {
    std::string native = fsPath(path).string();
    FILE* f = std::fopen(native.c_str(), "rb");
    if (!f) throw YzoError(errnoToError(errno), path);
    std::string bytes;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) throw YzoError(kErrPathAccess, path);
    if (std::filesystem::is_directory(fsPath(path))) throw YzoError(kErrPathAccess, path);
    return bytes;
}

std::vector<std::wstring> readTextLines(const std::wstring& path) {
    std::wstring text = decodeCp1252(readFileBytes(path));
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            lines.emplace_back(text, start, i - start);
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text, start, text.size() - start);
    return lines;
}

void writeFileAtomically(const std::wstring& path, const std::string& bytes) {
    std::filesystem::path target = fsPath(path);
    std::filesystem::path temp = target;
    temp += ".tmp~";
    std::string native = temp.string();
    int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw YzoError(errnoToError(errno), path);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            ::unlink(native.c_str());
            throw YzoError(errnoToError(e), path);
        }
        done += static_cast<size_t>(w);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int e = errno;
        ::unlink(native.c_str());
        throw YzoError(errnoToError(e), path);
    }
    if (std::rename(native.c_str(), target.string().c_str()) != 0) {
        int e = errno;
        ::unlink(native.c_str());
        throw YzoError(errnoToError(e), path);
    }
}

void writeTextLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += encodeCp1252(line);
        bytes += "\r\n";
    }
    writeFileAtomically(path, bytes);
}

void copyFileAtomically(const std::wstring& from, const std::wstring& to) {
    writeFileAtomically(to, readFileBytes(from));
}
