// The program's script for the Orca screen reader, copied once after
// installation into the folder where Orca reads application scripts.
#pragma once
#include <string>

class MainForm;

// The marker in the program's folder whose presence at start asks for the copy.
inline constexpr const wchar_t* kOrcaMarker = L"verorca.ini";

// The folder Orca 43 reads application scripts from:
// $XDG_DATA_HOME/orca/orca-scripts, $XDG_DATA_HOME defaulting to ~/.local/share.
// dataHome and home are those variables' values (empty when unset).
std::wstring orcaScriptsFolder(const std::wstring& dataHome, const std::wstring& home);

// Asks for the scripts folder, proposing the one found, and copies
// "<baseName>.py" of the program's folder into it, with the empty
// "__init__.py" that makes the folder a package when it has none. An empty
// answer copies nothing; a folder that does not exist is "chemin inconnu".
void scriptsOrca(MainForm& form, const std::wstring& baseName);

// At start: when the marker is in the program's folder, the copy is offered,
// then the marker is deleted, whatever the answer, so that it is offered once.
void installScriptsAtStart(MainForm& form);
