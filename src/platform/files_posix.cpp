// Files on Linux and other POSIX systems.
#include "platform/files.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/textfile.h"

namespace platform {

std::filesystem::path systemPath(const std::wstring& path) {
    std::wstring p = path;
    for (auto& c : p)
        if (c == L'\\') c = L'/';
    return std::filesystem::path(toUtf8(p));
}

std::wstring pathText(const std::filesystem::path& path) { return fromUtf8(path.string()); }

bool isAbsolutePath(const std::wstring& path) { return !path.empty() && path[0] == L'/'; }

FileState fileState(const std::filesystem::path& path) {
    FileState state;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return state;
    state.exists = true;
    state.link = S_ISLNK(st.st_mode);
    state.folder = S_ISDIR(st.st_mode);
    state.regular = S_ISREG(st.st_mode);
    // A privileged process could write a file without write permission all the same.
    state.readOnly = state.regular && ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0);
    state.mode = st.st_mode & 07777;
    state.owner = st.st_uid;
    state.group = st.st_gid;
    return state;
}

bool standsNonRegular(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

bool caseBlindNames() { return false; }

std::filesystem::path followLinks(std::filesystem::path p) {
    const int maxHops = 40;  // as the kernel's own limit on a chain of links
    for (int hop = 0; hop < maxHops; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(p, ec))) return p;
        std::filesystem::path to = std::filesystem::read_symlink(p, ec);
        if (ec) return p;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

// The descriptor is opened without waiting and checked again, in case the
// name was replaced in between, then set back to ordinary reads.
int openForReading(const std::filesystem::path& path) {
    if (standsNonRegular(path)) return -2;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -2;
    }
    return fd;
}

int createNew(const std::filesystem::path& path, unsigned mode) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

long long readSome(int fd, char* to, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(fd, to, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

long long writeSome(int fd, const char* from, std::size_t size) {
    for (;;) {
        ssize_t n = ::write(fd, from, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

int takeModeAndOwner(int fd, const FileState& from) {
    if (::fchmod(fd, from.mode) != 0) return errno;
    // Only a privileged process may give a file away; the group may still be
    // kept. When neither is allowed the file stays the writer's, with the old mode.
    if (::fchown(fd, from.owner, from.group) == 0) return 0;
    if (::fchown(fd, static_cast<uid_t>(-1), from.group) == 0) return 0;
    return 0;
}

int flushToDisk(int fd) { return ::fsync(fd) != 0 ? errno : 0; }

int modifiedTime(int fd, std::int64_t& nanoseconds) {
    const std::int64_t perSecond = 1000000000;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return errno;
    nanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_sec) * perSecond + st.st_mtim.tv_nsec;
    return 0;
}

int closeFile(int fd) { return ::close(fd) != 0 ? errno : 0; }

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) != 0 ? errno : 0;
}

void removeFile(const std::filesystem::path& path) { ::unlink(path.c_str()); }

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool diskFull(int errnoValue) { return errnoValue == ENOSPC || errnoValue == EDQUOT; }

void killThisProcess() {
    ::raise(SIGKILL);
    ::_exit(EXIT_FAILURE);
}

long long processId() { return ::getpid(); }

// A process of another user is alive (EPERM).
bool processGone(long long id) {
    if (id <= 0 || id != static_cast<pid_t>(id)) return false;
    return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

}  // namespace platform
