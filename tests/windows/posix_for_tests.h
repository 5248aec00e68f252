// The two POSIX calls the unit tests make that Windows' C library lacks,
// included before every unit test of the Windows build.
#pragma once
#include <cstdlib>
#include <cstring>
#include <direct.h>
#include <io.h>

// Makes a new folder from a template ending in XXXXXX, as POSIX does.
inline char* mkdtemp(char* pattern) {
    if (::_mktemp_s(pattern, std::strlen(pattern) + 1) != 0) return nullptr;
    return ::_mkdir(pattern) == 0 ? pattern : nullptr;
}

// Permission bits do not bar writing into a folder on Windows: the tests take
// the branch they take for a user whom permissions do not stop (the super-user).
inline unsigned geteuid() { return 0; }
