// Files on Windows: wide names throughout, every file opened in binary mode
// (text mode would turn CR LF into LF and stop at the byte 0x1A), and the
// rename that may replace an existing file.
#include "platform/files.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

namespace platform {

namespace {
// The errno value closest to a Windows error code.
int errnoFor(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: return EIO;
    }
}

// Seconds between 1601-01-01, where Windows file times count from, and 1970-01-01,
// and the length of one tick of those times.
constexpr std::int64_t kEpochOffsetSeconds = 11644473600LL;
constexpr std::int64_t kNanosecondsPerTick = 100;
// FILETIME ticks in a second.
constexpr std::int64_t kTicksPerSecond = 10000000LL;
}  // namespace

std::filesystem::path systemPath(const std::wstring& path) { return std::filesystem::path(path); }

std::wstring pathText(const std::filesystem::path& path) { return path.wstring(); }

bool isAbsolutePath(const std::wstring& path) { return std::filesystem::path(path).is_absolute(); }

FileState fileState(const std::filesystem::path& path) {
    FileState state;
    struct _stat64 st {};
    if (::_wstat64(path.c_str(), &st) != 0) return state;
    state.exists = true;
    state.folder = (st.st_mode & _S_IFDIR) != 0;
    state.regular = (st.st_mode & _S_IFREG) != 0;
    state.readOnly = state.regular && (st.st_mode & _S_IWRITE) == 0;
    return state;
}

bool standsNonRegular(const std::filesystem::path& path) {
    struct _stat64 st {};
    return ::_wstat64(path.c_str(), &st) == 0 && (st.st_mode & _S_IFREG) == 0;
}

bool caseBlindNames() { return true; }

std::filesystem::path followLinks(std::filesystem::path path) { return path; }

int openForReading(const std::filesystem::path& path) {
    if (standsNonRegular(path)) return -2;
    int fd = -1;
    if (::_wsopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) return -1;
    return fd;
}

int createNew(const std::filesystem::path& path, unsigned) {
    int fd = -1;
    const int flags = _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT;
    if (::_wsopen_s(&fd, path.c_str(), flags, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0) return -1;
    return fd;
}

long long readSome(int fd, char* to, std::size_t size) {
    const unsigned most = 1u << 30;  // _read takes an unsigned count
    return ::_read(fd, to, static_cast<unsigned>(size < most ? size : most));
}

long long writeSome(int fd, const char* from, std::size_t size) {
    const unsigned most = 1u << 30;
    return ::_write(fd, from, static_cast<unsigned>(size < most ? size : most));
}

int takeModeAndOwner(int, const FileState&) { return 0; }

int flushToDisk(int fd) { return ::_commit(fd) != 0 ? errno : 0; }

int modifiedTime(int fd, std::int64_t& nanoseconds) {
    FILETIME written{};
    auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE || !::GetFileTime(handle, nullptr, nullptr, &written))
        return errnoFor(::GetLastError());
    std::int64_t ticks = (static_cast<std::int64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    // Moved to the Unix epoch before the scaling: 1601 in nanoseconds overflows.
    nanoseconds = (ticks - kEpochOffsetSeconds * kTicksPerSecond) * kNanosecondsPerTick;
    return 0;
}

int closeFile(int fd) { return ::_close(fd) != 0 ? errno : 0; }

// The C library's rename fails when the target exists: every save would.
int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    return errnoFor(::GetLastError());
}

void removeFile(const std::filesystem::path& path) { ::_wunlink(path.c_str()); }

void syncFolder(const std::filesystem::path&) {}

bool diskFull(int errnoValue) { return errnoValue == ENOSPC; }

void killThisProcess() {
    const UINT killedStatus = 137;  // as a shell reports a process ended by SIGKILL
    ::TerminateProcess(::GetCurrentProcess(), killedStatus);
    ::_exit(killedStatus);
}

long long processId() { return static_cast<long long>(::GetCurrentProcessId()); }

// A process that cannot be opened for lack of rights is alive.
bool processGone(long long id) {
    if (id <= 0 || id > static_cast<long long>(MAXDWORD)) return false;
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (!process) return ::GetLastError() == ERROR_INVALID_PARAMETER;
    bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

}  // namespace platform
