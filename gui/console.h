// What the program needs before, or without, the toolkit: the command line,
// the program's folder, the clock, and the batch accounting report, which runs
// with no display at all. Nothing here includes wx.
#pragma once
#include <string>

#include "app/folders.h"
#include "app/platform.h"

// Everything after the program's name, joined by blanks.
std::wstring joinArguments(int argc, char** argv);
// The program's folder and, for an installed program, the share/yzo it is
// filled from (app/folders.h); the same for the whole run.
const ProgramFolders& programFoldersFromEnvironment();
std::wstring programFolderFromEnvironment();
// The user's documents folder followed by "yzo": the accounts' folder when
// yzo.INI names none.
std::wstring storageFolderFromEnvironment();
// Today and the time of day; YZO_AUJOURDHUI (AAAA-MM-JJ) and YZO_HEURE
// (HH:MM:SS) fix them, as yzo-script's --aujourdhui and --heure do.
Date todayFromClock();
long secondsFromClock();

// Runs the main window's launch with this command line and no window:
// message boxes go to standard error, questions take their default button,
// input boxes and dialogs are cancelled. Returns the exit status: 1 when a
// message box reported something (nobody is there to read it), else 0.
int runBatch(const std::wstring& commandLine);

// What the options of the command line ask for. Every argument that starts
// with "-" is an option; "/C" and "/S" belong to the program's own command line.
enum class Request { Run, Help, Version, BadUsage };
Request requestOf(int argc, char** argv, std::string& badOption);
// The texts of --help and --version, and the message of a bad option.
std::string helpText();
std::string versionText();
std::string badUsageText(const std::string& option);
