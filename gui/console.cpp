#include "console.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <unistd.h>

#include "account/paths.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "compta/compta.h"
#include "platform/console.h"

std::wstring joinArguments(int argc, char** argv) {
    const std::vector<std::wstring> arguments = platform::commandLineArguments(argc, argv);
    std::wstring line;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (i > 1) line += L' ';
        line += arguments[i];
    }
    return line;
}

const ProgramFolders& programFoldersFromEnvironment() {
    static const ProgramFolders folders = programFolders(folderEnvironment());
    return folders;
}

std::wstring programFolderFromEnvironment() { return programFoldersFromEnvironment().program; }

std::wstring storageFolderFromEnvironment() { return ajoutbackslash(documentsFolder(folderEnvironment())) + L"yzo"; }

namespace {
std::tm localNow() { return platform::localTime(std::time(nullptr)); }
}  // namespace

Date todayFromClock() {
    if (const char* env = std::getenv("YZO_AUJOURDHUI")) {
        int y, m, d;
        if (std::sscanf(env, "%4d-%2d-%2d", &y, &m, &d) == 3 && validYMD(y, m, d)) return dateFromYMD(y, m, d);
    }
    std::tm t = localNow();
    return dateFromYMD(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

long secondsFromClock() {
    if (const char* env = std::getenv("YZO_HEURE")) {
        int h, m, s;
        if (std::sscanf(env, "%2d:%2d:%2d", &h, &m, &s) == 3 && h < 24 && m < 60 && s < 60)
            return h * 3600L + m * 60L + s;
    }
    std::tm t = localNow();
    return t.tm_hour * 3600L + t.tm_min * 60L + t.tm_sec;
}

namespace {
// The platform of a run without a window.
class ConsolePlatform : public Platform {
public:
    std::wstring InputBox(const std::wstring& prompt, const std::wstring&, const std::wstring&) override {
        say(L"yzo: " + prompt + L" -> (sans réponse)");
        return L"";
    }
    int reports = 0;  // message boxes with only OK: errors and refusals

    MsgResult MsgBox(const std::wstring& text, MsgButtons buttons, int defaultButton, const std::wstring&) override {
        say(L"yzo: " + text);
        if (buttons == MsgButtons::Ok) ++reports;
        // A question takes its default button, as Enter would.
        switch (buttons) {
        case MsgButtons::Ok: return MsgResult::Ok;
        case MsgButtons::YesNo: return defaultButton == 2 ? MsgResult::No : MsgResult::Yes;
        case MsgButtons::YesNoCancel:
            return defaultButton == 3 ? MsgResult::Cancel : defaultButton == 2 ? MsgResult::No : MsgResult::Yes;
        }
        return MsgResult::Cancel;
    }
    std::optional<std::wstring> OpenFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::wstring> SaveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FontChoice> FontDialog(FontKind, const FontChoice&) override { return std::nullopt; }
    bool PrinterDialog() override { return false; }
    bool Print(const PrintJob&) override {
        say(L"yzo: pas d'impression sans fenêtre");
        return false;
    }
    void Beep() override {}
    Date Today() override { return todayFromClock(); }
    long SecondsSinceMidnight() override { return secondsFromClock(); }
    std::wstring ProgramFolder() override { return programFolderFromEnvironment(); }
    std::wstring InstalledDataFolder() override { return programFoldersFromEnvironment().installedData; }
    std::wstring DefaultStorageFolder() override { return storageFolderFromEnvironment(); }
    void EndProgram() override {}
    // What the window would speak is for nobody here: standard output stays
    // for what the user asked, and what went wrong comes as a message box.
    void StatusChanged(const std::wstring&) override {}
    void TitleChanged(const std::wstring&) override {}

private:
    static void say(const std::wstring& text) { std::cerr << toUtf8(text) << '\n' << std::flush; }
};
}  // namespace

int runBatch(const std::wstring& commandLine) {
    if (comptaArguments(commandLine).commandFile.empty()) {
        std::cerr << "yzo : aucun fichier de commande avant /C\n"
                     "Utilisation : yzo FICHIER_DE_COMMANDE /C [/S]\n";
        return 2;
    }
    ConsolePlatform platform;
    MainForm form(platform);
    form.Form_Load(commandLine);
    return platform.reports > 0 ? 1 : 0;
}

Request requestOf(int argc, char** argv, std::string& badOption) {
    Request request = Request::Run;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") return Request::Help;
        if (a == "--version") request = Request::Version;
        else if (a.size() > 1 && a[0] == '-' && badOption.empty()) badOption = a;
    }
    if (request == Request::Run && !badOption.empty()) return Request::BadUsage;
    return request;
}

std::string helpText() {
    return "Utilisation : yzo [COMPTE.yzo]\n"
           "         ou : yzo FICHIER_DE_COMMANDE /C [/S]\n"
           "Livre de comptes bancaires tenu entièrement au clavier, pour les personnes\n"
           "aveugles et malvoyantes : chaque réponse est écrite dans l'étiquette d'état\n"
           "que le lecteur d'écran prononce.\n"
           "\n"
           "  COMPTE.yzo              ouvre ce compte ; sans lui, les comptes de yzo.INI\n"
           "  FICHIER /C              écrit le rapport de comptabilité détaillé dans\n"
           "                          FICHIER.prn, sans fenêtre\n"
           "  FICHIER /C /S           le même rapport sans le détail des opérations\n"
           "  -h, --help              affiche cette aide et termine\n"
           "      --version           affiche la version et termine\n"
           "\n"
           "Le dossier du programme (yzo.INI, listes, aides) est YZO_DOSSIER s'il est\n"
           "défini, sinon ~/.config/yzo (XDG_CONFIG_HOME) pour un programme installé.\n"
           "Les comptes vont par défaut dans le dossier des documents suivi de yzo.\n"
           "YZO_SPEECHD=1 fait dire chaque message par speech-dispatcher, pour qui\n"
           "travaille sans lecteur d'écran.\n"
           "\n"
           "Code de sortie : 0 terminé, 1 échec, 2 mauvaise utilisation.\n";
}

std::string versionText() { return "yzo " YZO_VERSION "\n"; }

std::string badUsageText(const std::string& option) {
    return "yzo : option inconnue « " + option + " »\nEssayez « yzo --help ».\n";
}
