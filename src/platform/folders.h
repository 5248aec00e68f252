// Where each system keeps the user's folders and the running program.
#pragma once
#include <string>

namespace platform {

// The value of an environment variable; empty when it is not set.
std::wstring environmentVariable(const char* name);
// The running program's own file; empty when the system does not tell.
std::wstring executablePath();
// The user's home folder: HOME, else the password file's entry (POSIX);
// USERPROFILE (Windows).
std::wstring homeFolder();
// The folder the user's settings go in, as the system names it:
// XDG_CONFIG_HOME, possibly empty (POSIX); %APPDATA% (Windows).
std::wstring settingsFolder();
// The documents folder as the system names it: XDG_DOCUMENTS_DIR, possibly
// empty (POSIX); the Documents known folder (Windows).
std::wstring documentsFolder();

}  // namespace platform
