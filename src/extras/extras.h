// State and helpers of the notepad, the help texts and the screen-reader files.
#pragma once
#include <string>
#include <vector>

struct ExtrasState {
    std::wstring notepadFile;      // full path of the notepad in use
    bool notepadModified = false;  // a key was typed since the last write
    std::wstring scriptsFolder;    // the screen reader's settings folder found
    int folderCounter = 0;         // folders visited by one folder walk
};

// The notepad proposed for an account: its name up to and including the
// first "." of the file name, followed by "txt" (".txt" when it has none).
std::wstring notepadProposal(const std::wstring& accountPath);
// The notepad's backup: its whole name followed by ".bak", so that the
// backup of "compte.txt" never replaces "compte.bak", the account's own.
std::wstring notepadBackupName(const std::wstring& notepadPath);
// The text of the notepad box as file lines (CR LF, lone LF or lone CR end a line).
std::vector<std::wstring> notepadLines(const std::wstring& text);
// The lines of a notepad file as the text of the box.
std::wstring notepadText(const std::vector<std::wstring>& lines);

// The lines of the "A propos" screen.
std::vector<std::wstring> aboutLines();

// Where a screen reader keeps its settings. Windows has these roots; on other
// systems they are empty and no folder is found.
struct ScreenReaderRoots {
    std::wstring documentsAndSettings;  // "C:\Documents and Settings"
    std::wstring users;                 // "c:\users"
    std::wstring drive;                 // "C:\"
};
// The subfolders of a folder, sorted by name (the order Windows gives);
// a folder that cannot be read has none.
std::vector<std::wstring> subfolderNames(const std::wstring& folder);
