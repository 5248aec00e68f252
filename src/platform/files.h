// Reaching files the way each system wants it: names, descriptors, the
// replacing rename, the modes and links only POSIX has. The one writer of
// app/textfile.* is built on these; nothing else calls them but for names.
// Descriptors are the C library's small integers on both systems, and a
// failure is told by an errno value, as the C library does.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

// A path of the program as the system's path. On POSIX "\" and "/" both
// separate folders and the text goes through UTF-8; on Windows the wide
// text is the system's own, so accents survive.
std::filesystem::path systemPath(const std::wstring& path);
// The program's text of a system path (a name found in a folder listing).
std::wstring pathText(const std::filesystem::path& path);
// True when the text names a path from a root ("/x"; "C:\x" on Windows).
bool isAbsolutePath(const std::wstring& path);

// What the system says of a name, a link itself rather than what it points to.
struct FileState {
    bool exists = false;
    bool link = false;  // a symbolic link (never on Windows)
    bool folder = false;
    bool regular = false;
    bool readOnly = false;  // no one may write it, or not this process
    unsigned mode = 0;      // permission bits, owner and group: POSIX only
    unsigned owner = 0;
    unsigned group = 0;
};
FileState fileState(const std::filesystem::path& path);
// True when something other than a regular file stands at the name (a pipe,
// a device, a folder), links followed; false for a missing name.
bool standsNonRegular(const std::filesystem::path& path);
// True where the file system finds a file under any case of its name
// (Windows), so that only a folder listing tells how the name is spelled.
bool caseBlindNames();
// The file a name leads to once its symbolic links are followed (the name
// itself where there are none, and always on Windows).
std::filesystem::path followLinks(std::filesystem::path path);

// Opens a regular file to read its bytes as they are (never as text): the
// descriptor, or -1 with errno set, or -2 when something other than a
// regular file stands there (nothing waits on a pipe).
int openForReading(const std::filesystem::path& path);
// Creates a file that must not exist yet, to write bytes as they are, with the
// POSIX mode given (less the umask): the descriptor, or -1 with errno set.
int createNew(const std::filesystem::path& path, unsigned mode);
// Reads or writes at most size bytes: how many, or -1 with errno set (EINTR retried).
long long readSome(int fd, char* to, std::size_t size);
long long writeSome(int fd, const char* from, std::size_t size);
// Gives a new file the mode and owner of the file it replaces, where the
// system has them and allows it: 0, or an errno value.
int takeModeAndOwner(int fd, const FileState& from);
// Pushes the bytes to the disk: 0, or an errno value.
int flushToDisk(int fd);
// The modification time of an open file in nanoseconds: 0, or an errno value.
int modifiedTime(int fd, std::int64_t& nanoseconds);
int closeFile(int fd);
// Puts a file in place of another, which may exist (the writer's last step):
// 0, or an errno value.
int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
void removeFile(const std::filesystem::path& path);
// Makes a rename in the folder durable, where the system needs it.
void syncFolder(const std::filesystem::path& folder);

// True for the errno values that tell a full disk (or a used-up quota).
bool diskFull(int errnoValue);

// Ends this process at once, as a kill would: nothing is flushed or closed.
[[noreturn]] void killThisProcess();

// This process's number, and whether a process of that number has ended.
long long processId();
bool processGone(long long id);

}  // namespace platform
