// Arguments, streams and clock on POSIX systems.
#include "platform/console.h"

#include "app/textfile.h"

namespace platform {

std::vector<std::wstring> commandLineArguments(int argc, char** argv) {
    std::vector<std::wstring> arguments;
    arguments.reserve(static_cast<size_t>(argc));
    for (int i = 0; i < argc; ++i) arguments.push_back(fromUtf8(argv[i]));
    return arguments;
}

void binaryStandardStreams() {}

std::tm localTime(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}

}  // namespace platform
