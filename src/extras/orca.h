// The program's script for the Orca screen reader, copied on request into the
// folder where Orca reads a user's application scripts. An installed package
// also puts it among Orca's own application scripts, for every user. On
// Windows (orca_windows.cpp) the same entry and marker copy yzo's NVDA app
// module into NVDA's user configuration instead.
#pragma once
#include <string>

class MainForm;

// The marker in the program's folder whose presence at start asks for the copy.
inline constexpr const wchar_t* kOrcaMarker = L"verorca.ini";

// The folder Orca 43 reads a user's application scripts from:
// $XDG_DATA_HOME/orca/orca-scripts, $XDG_DATA_HOME defaulting to ~/.local/share.
// dataHome and home are those variables' values (empty when unset).
std::wstring orcaScriptsFolder(const std::wstring& dataHome, const std::wstring& home);

// The script to copy: "<baseName>.py" of the installed data folder (share/yzo)
// when there is one and it holds it, else of the program's folder (the build
// folder, where the build puts gui/orca's script); empty when neither has it.
std::wstring orcaScriptSource(const std::wstring& installedData, const std::wstring& programFolder,
                              const std::wstring& baseName);

// Copies the script into Orca's scripts folder, creating the folder and the
// empty "__init__.py" that makes it a package when they are missing, and
// says in the status what it did ("script Orca installé dans …, redémarrez
// Orca") or why it copied nothing. Asks nothing.
void scriptsOrca(MainForm& form, const std::wstring& baseName);

// At start: when the marker is in the program's folder, the script is copied,
// then the marker is deleted, whatever the outcome, so that it runs once.
void installScriptsAtStart(MainForm& form);
