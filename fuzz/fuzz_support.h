// What the fuzz targets share: a platform with no one at the keyboard, a
// private folder, and a check that stops the run with a report.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "../tests/unit/test_platform.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"

// A broken promise is a crash for the fuzzer, with the place it was broken.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

inline void removeFuzzFolder();

// A folder of its own for the whole run (in memory when the machine has
// /dev/shm), emptied before each input; the process works inside it, so that
// a relative name can never reach another folder. Its name holds the process
// number ("yzo-fuzz-PID-XXXXXX"), so that run_fuzz.sh can remove what a run
// that crashed left; a run that ends normally removes it itself.
inline const std::filesystem::path& fuzzFolder() {
    static const std::filesystem::path folder = [] {
        std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string tmpl = base + "/yzo-fuzz-" + std::to_string(getpid()) + "-XXXXXX";
        std::vector<char> name(tmpl.begin(), tmpl.end());
        name.push_back(0);
        std::filesystem::path made = mkdtemp(name.data());
        std::filesystem::current_path(made);
        return made;
    }();
    // Registered once the folder is made, so that it runs before the path is destroyed.
    static const bool removedAtExit = std::atexit(removeFuzzFolder) == 0;
    (void)removedAtExit;
    return folder;
}

// libFuzzer ends a run with exit(): the folder goes with it.
inline void removeFuzzFolder() {
    std::error_code ec;
    std::filesystem::current_path("/", ec);
    std::filesystem::remove_all(fuzzFolder(), ec);
}

inline void emptyFuzzFolder() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(fuzzFolder(), ec))
        std::filesystem::remove_all(entry.path(), ec);
}

inline std::wstring fuzzFile(const char* name) { return fromUtf8((fuzzFolder() / name).string()); }

// A platform with no one at the keyboard, in the fuzz folder: input boxes and
// file dialogs are cancelled, questions get `answer`.
inline TestPlatform unattendedPlatform(MsgResult answer = MsgResult::No) {
    TestPlatform platform;
    platform.folder = fromUtf8(fuzzFolder().string());
    platform.unattended = answer;
    return platform;
}
