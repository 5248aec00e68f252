#include "console.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <unistd.h>

#include "account/paths.h"
#include "app/mainform.h"
#include "app/textfile.h"

std::wstring joinArguments(int argc, char** argv) {
    std::wstring line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += L' ';
        line += fromUtf8(argv[i]);
    }
    return line;
}

bool isBatchCommandLine(const std::wstring& commandLine) {
    for (size_t p = 0; p + 1 < commandLine.size(); ++p) {
        if (commandLine[p] != L'/' || (commandLine[p + 1] != L'C' && commandLine[p + 1] != L'c')) continue;
        bool startsWord = p == 0 || commandLine[p - 1] == L' ' || commandLine[p - 1] == L'"';
        bool endsWord = p + 2 == commandLine.size() || commandLine[p + 2] == L' ' || commandLine[p + 2] == L'/' ||
                        commandLine[p + 2] == L'"';
        if (startsWord && endsWord) return true;
    }
    return false;
}

std::wstring programFolderFromEnvironment() {
    const char* env = std::getenv("YZO_DOSSIER");
    if (env && *env) return fromUtf8(env);
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return L".";
    buf[n] = 0;
    return folderOf(fromUtf8(buf));
}

namespace {
std::tm localNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
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
    MsgResult MsgBox(const std::wstring& text, MsgButtons buttons, int defaultButton, const std::wstring&) override {
        say(L"yzo: " + text);
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
    void EndProgram() override {}
    void StatusChanged(const std::wstring& text) override { std::cout << toUtf8(text) << '\n' << std::flush; }
    void TitleChanged(const std::wstring&) override {}

private:
    static void say(const std::wstring& text) { std::cerr << toUtf8(text) << '\n' << std::flush; }
};
}  // namespace

int runBatch(const std::wstring& commandLine) {
    ConsolePlatform platform;
    MainForm form(platform);
    form.Form_Load(commandLine);
    return 0;
}
