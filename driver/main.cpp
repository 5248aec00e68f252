// yzo-script: runs the ledger with no window, from a script of user events.
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>

#include "account/paths.h"
#include "app/folders.h"
#include "app/textfile.h"
#include "platform/console.h"
#include "script_runner.h"

namespace {
const char* const kUsage =
    "Utilisation : yzo-script [--dossier DOSSIER] [--aujourdhui AAAA-MM-JJ] [--heure HH:MM:SS]\n"
    "                         [--impression DOSSIER] [--echo] SCRIPT\n";

int usage() {
    std::cerr << kUsage << "Essayez « yzo-script --help ».\n";
    return 2;
}

int help() {
    std::cout << kUsage
              << "Fait tourner yzo sans fenêtre d'après un script d'événements (SCRIPT, ou - pour\n"
                 "l'entrée standard) et écrit tout ce qu'un utilisateur percevrait.\n"
                 "\n"
                 "  --dossier DOSSIER       dossier du programme (yzo.INI, listes, aides) ; par\n"
                 "                          défaut YZO_DOSSIER, sinon celui de yzo (~/.config/yzo\n"
                 "                          pour un programme installé)\n"
                 "  --aujourdhui AAAA-MM-JJ date du jour pour toute la séance\n"
                 "  --heure HH:MM:SS        heure pour toute la séance\n"
                 "  --impression DOSSIER    où chaque impression est écrite (impression-N.txt)\n"
                 "  --echo                  écrit chaque commande du script, après « $ », avant ce\n"
                 "                          qu'elle produit\n"
                 "  -h, --help              affiche cette aide et termine\n"
                 "      --version           affiche la version et termine\n"
                 "\n"
                 "Code de sortie : 0 tout s'est vérifié, 1 une vérification a échoué,\n"
                 "2 erreur de script ou mauvaise utilisation.\n";
    return 0;
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
// Reads the options and the script, then runs it.
int runScript(int argc, char** argv) {
    platform::binaryStandardStreams();
    const std::vector<std::wstring> args = platform::commandLineArguments(argc, argv);
    const std::tm local = platform::localTime(std::time(nullptr));
    Date today = dateFromYMD(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    long seconds = local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec;
    ProgramFolders folders = programFolders(folderEnvironment());
    std::wstring printFolder = L".";
    std::string scriptPath;
    bool echo = false;

    for (size_t i = 1; i < args.size(); ++i) {
        std::string a = toUtf8(args[i]);
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw ScriptError("missing value after " + a);
            return toUtf8(args[++i]);
        };
        try {
            if (a == "--help" || a == "-h") return help();
            if (a == "--version") {
                std::cout << "yzo-script " YZO_VERSION "\n";
                return 0;
            }
            if (a == "--dossier") folders = {fromUtf8(value()), L""};
            else if (a == "--aujourdhui") {
                if (!parseDay(value(), today)) return usage();
            } else if (a == "--heure") {
                if (!parseTime(value(), seconds)) return usage();
            } else if (a == "--impression") printFolder = fromUtf8(value());
            else if (a == "--echo") echo = true;
            else if (scriptPath.empty() && !(a.size() > 1 && a[0] == '-')) scriptPath = a;
            else return usage();  // an unknown option, or a second script
        } catch (const ScriptError&) {
            return usage();
        }
    }
    if (scriptPath.empty()) return usage();

    std::vector<std::string> lines;
    std::ifstream file;
    std::istream* in = &std::cin;
    if (scriptPath != "-") {
        file.open(fsPath(fromUtf8(scriptPath)), std::ios::binary);
        if (!file) {
            std::cerr << "yzo-script: cannot read " << scriptPath << "\n";
            return 2;
        }
        in = &file;
    }
    for (std::string l; std::getline(*in, l);) lines.push_back(l);

    ScriptPlatform platform(std::cout, today, seconds, folders.program, printFolder);
    platform.installedData = folders.installedData;
    MainForm form(platform);
    ScriptRunner runner(form, platform, std::cout);
    runner.echoCommands(echo);
    try {
        runner.run(lines);
    } catch (const ScriptError& e) {
        std::cout << std::flush;
        std::cerr << "yzo-script: script error: " << e.what() << "\n";
        return 2;
    }
    return runner.anyFailed() ? 1 : 0;
}
}  // namespace

// An error the script did not cause (no memory, a failed stream) ends the run
// with its reason and the exit status of a script error, never with an abort.
int main(int argc, char** argv) {
    try {
        return runScript(argc, argv);
    } catch (const std::exception& e) {
        std::cout << std::flush;
        std::cerr << "yzo-script: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "yzo-script: unexpected error\n";
    }
    return 2;
}
