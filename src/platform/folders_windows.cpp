// The user's folders on Windows: the environment, the module's own file name
// and the known folders, all read as wide text.
#include "platform/folders.h"

#include <cstdlib>
#include <string>
#include <windows.h>
#include <shlobj.h>

namespace platform {

std::wstring environmentVariable(const char* name) {
    std::wstring wide(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = ::_wgetenv(wide.c_str());
    return value ? std::wstring(value) : std::wstring();
}

std::wstring executablePath() {
    // Long paths run past MAX_PATH: grow the buffer until the name fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return buffer.substr(0, length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring homeFolder() {
    std::wstring home = environmentVariable("USERPROFILE");
    return home.empty() ? std::wstring(L"C:\\") : home;
}

std::wstring settingsFolder() { return environmentVariable("APPDATA"); }

std::wstring documentsFolder() {
    PWSTR found = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &found)) && found) folder = found;
    ::CoTaskMemFree(found);
    return folder;
}

}  // namespace platform
