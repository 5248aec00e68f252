// Start-up on Windows: a window program has no console of its own; it writes
// into its parent's (the command prompt it was typed in), if any.
#include "startup.h"

#include <cstdio>

#include <windows.h>

#include "platform/console.h"

namespace {
// True when the standard handle already leads to a file, a pipe or a console.
bool connected(DWORD which) {
    HANDLE handle = ::GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}
}  // namespace

void useStartingConsole() {
    if (!connected(STD_OUTPUT_HANDLE) && !connected(STD_ERROR_HANDLE) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    platform::binaryStandardStreams();
}

bool screenAvailable() { return true; }
