// The user's folders on Linux: the environment and the XDG variables.
#include "platform/folders.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

#include "app/textfile.h"

namespace platform {

std::wstring environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? fromUtf8(value) : std::wstring();
}

std::wstring executablePath() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::wstring() : fromUtf8(self.string());
}

std::wstring homeFolder() {
    std::wstring home = environmentVariable("HOME");
    if (!home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return fromUtf8(entry->pw_dir);
    return L"/";
}

std::wstring settingsFolder() { return environmentVariable("XDG_CONFIG_HOME"); }

std::wstring documentsFolder() { return environmentVariable("XDG_DOCUMENTS_DIR"); }

}  // namespace platform
