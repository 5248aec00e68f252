// What the window program needs from its system before the toolkit starts.
#pragma once

// Connects standard output and error to the console the program was started
// from, so that --help and the report of "/C" show there (Windows starts a
// window program without one); nothing where they already lead somewhere.
void useStartingConsole();
// True when there is a screen to open the window on; otherwise says so on
// standard error.
bool screenAvailable();
