// Where the program keeps its own files (yzo.INI, the lists, the help files)
// and where the accounts go when yzo.INI names no folder.
#pragma once
#include <string>
#include <vector>

// What the choice of folders depends on, read from the process once so that
// the rules themselves can be tried with any values.
struct FolderEnvironment {
    std::wstring yzoDossier;     // YZO_DOSSIER
    std::wstring executable;     // the running program's own path
    std::wstring xdgConfigHome;  // XDG_CONFIG_HOME (%APPDATA% on Windows)
    std::wstring xdgDocuments;   // XDG_DOCUMENTS_DIR (the Documents known folder on Windows)
    std::wstring home;           // HOME, else the user's entry in the password file (USERPROFILE)
};
FolderEnvironment folderEnvironment();

struct ProgramFolders {
    std::wstring program;        // the program's folder
    std::wstring installedData;  // the installed share/yzo to seed it from; empty in the build tree
};

// YZO_DOSSIER when set; else the executable's folder when it runs from where it
// was built; else, for an installed program (a share/yzo beside its bin
// folder), $XDG_CONFIG_HOME/yzo, by default ~/.config/yzo.
ProgramFolders programFolders(const FolderEnvironment& env);

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else ~/.config.
std::wstring configHome(const FolderEnvironment& env);

// The documents folder as xdg-user-dir DOCUMENTS gives it: XDG_DOCUMENTS_DIR
// from user-dirs.dirs in the configuration folder, else from the environment,
// else the home folder.
std::wstring documentsFolder(const FolderEnvironment& env);

// Copies into `to` every file of `from` (subfolders included) that `to` does
// not hold yet; a file already there is never replaced. Creates `to` when it is
// missing. Returns the files copied, relative to `to`. Throws YzoError.
std::vector<std::wstring> seedFolder(const std::wstring& from, const std::wstring& to);
