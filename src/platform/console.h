// The process's arguments, standard streams and clock, as each system gives them.
#pragma once
#include <ctime>
#include <string>
#include <vector>

namespace platform {

// The program's arguments, its own name first, as wide text: decoded from
// UTF-8 on POSIX, read from the wide command line on Windows (argv there
// is in the ANSI code page, which loses accents).
std::vector<std::wstring> commandLineArguments(int argc, char** argv);
// Makes standard input and output carry bytes as they are: on Windows the C
// library would otherwise add a CR before each LF it writes, and a console
// would read the program's UTF-8 in its own code page.
void binaryStandardStreams();
// The calendar time of a moment in the local time zone.
std::tm localTime(std::time_t moment);

}  // namespace platform
