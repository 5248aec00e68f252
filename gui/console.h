// What the program needs before, or without, the toolkit: the command line,
// the program's folder, the clock, and the batch accounting report, which runs
// with no display at all. Nothing here includes wx.
#pragma once
#include <string>

#include "app/platform.h"

// Everything after the program's name, joined by blanks.
std::wstring joinArguments(int argc, char** argv);
// True when the command line asks for the accounting report: "/C" in any case,
// standing as a word of its own (a path such as "/home/comptes" holds "/c" too).
bool isBatchCommandLine(const std::wstring& commandLine);
// YZO_DOSSIER when set, else the folder of the executable.
std::wstring programFolderFromEnvironment();
// Today and the time of day; YZO_AUJOURDHUI (AAAA-MM-JJ) and YZO_HEURE
// (HH:MM:SS) fix them, as yzo-script's --aujourdhui and --heure do.
Date todayFromClock();
long secondsFromClock();

// Runs the main window's launch with this command line and no window:
// message boxes go to standard error, questions take their default button,
// input boxes and dialogs are cancelled. Returns the exit status.
int runBatch(const std::wstring& commandLine);
