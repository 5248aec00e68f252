// yzo-script: runs the ledger with no window, from a script of user events.
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <unistd.h>

#include "account/paths.h"
#include "app/textfile.h"
#include "script_runner.h"

namespace {
int usage() {
    std::cerr << "usage: yzo-script [--dossier DIR] [--aujourdhui AAAA-MM-JJ] [--heure HH:MM:SS] "
                 "[--impression DIR] SCRIPT\n";
    return 2;
}

std::wstring executableFolder() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return L".";
    buf[n] = 0;
    return folderOf(fromUtf8(buf));
}

bool parseDay(const std::string& s, Date& date) {
    int y, m, d;
    if (std::sscanf(s.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3 || !validYMD(y, m, d)) return false;
    date = dateFromYMD(y, m, d);
    return true;
}

bool parseTime(const std::string& s, long& seconds) {
    int h, m, sec;
    if (std::sscanf(s.c_str(), "%2d:%2d:%2d", &h, &m, &sec) != 3 || h > 23 || m > 59 || sec > 59) return false;
    seconds = h * 3600L + m * 60L + sec;
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    Date today = dateFromYMD(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    long seconds = local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec;
    const char* env = std::getenv("YZO_DOSSIER");
    std::wstring folder = env && *env ? fromUtf8(env) : executableFolder();
    std::wstring printFolder = L".";
    std::string scriptPath;

    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw ScriptError("missing value after " + a);
            return argv[++i];
        };
        try {
            if (a == "--dossier") folder = fromUtf8(value());
            else if (a == "--aujourdhui") { if (!parseDay(value(), today)) return usage(); }
            else if (a == "--heure") { if (!parseTime(value(), seconds)) return usage(); }
            else if (a == "--impression") printFolder = fromUtf8(value());
            else if (scriptPath.empty()) scriptPath = a;
            else return usage();
        } catch (const ScriptError&) {
            return usage();
        }
    }
    if (scriptPath.empty()) return usage();

    std::vector<std::string> lines;
    std::ifstream file;
    std::istream* in = &std::cin;
    if (scriptPath != "-") {
        file.open(scriptPath);
        if (!file) {
            std::cerr << "yzo-script: cannot read " << scriptPath << "\n";
            return 2;
        }
        in = &file;
    }
    for (std::string l; std::getline(*in, l);) lines.push_back(l);

    ScriptPlatform platform(std::cout, today, seconds, folder, printFolder);
    MainForm form(platform);
    ScriptRunner runner(form, platform, std::cout);
    try {
        runner.run(lines);
    } catch (const ScriptError& e) {
        std::cout << std::flush;
        std::cerr << "yzo-script: script error: " << e.what() << "\n";
        return 2;
    }
    return runner.anyFailed() ? 1 : 0;
}
