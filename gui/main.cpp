// yzo: the ledger in its window, or the accounting report with no window at
// all when the command line holds "/C".
#include <wx/app.h>

#include <iostream>

#include "app/textfile.h"
#include "buttonclick.h"
#include "compta/compta.h"
#include "console.h"
#include "frame.h"
#include "startup.h"
#include "wxplatform.h"

namespace {
std::wstring gCommandLine;

class YzoApp : public wxApp {
public:
    bool OnInit() override {
        SetAppName("yzo");
        SetAppDisplayName("yzo");
        clickMessageBoxButtonsWhenActivated();  // a key that activates one clicks it as it goes down
        auto* frame = new MainFrame(platform_);
        frame->Show();
        // The launch runs once the window is on the screen, so that its
        // questions and its first message come over the window.
        CallAfter([frame] { frame->start(gCommandLine); });
        return true;
    }
    // wx parses no option of ours: the command line belongs to the program.
    void OnInitCmdLine(wxCmdLineParser&) override {}
    bool OnCmdLineParsed(wxCmdLineParser&) override { return true; }

private:
    WxPlatform platform_;
};
}  // namespace

wxIMPLEMENT_APP_NO_MAIN(YzoApp);

int main(int argc, char** argv) {
    useStartingConsole();
    std::string badOption;
    switch (requestOf(argc, argv, badOption)) {
    case Request::Help: std::cout << helpText(); return 0;
    case Request::Version: std::cout << versionText(); return 0;
    case Request::BadUsage: std::cerr << badUsageText(badOption); return 2;
    case Request::Run: break;
    }
    gCommandLine = joinArguments(argc, argv);
    if (hasReportSwitch(gCommandLine)) return runBatch(gCommandLine);
    if (!screenAvailable()) return 1;
    return wxEntry(argc, argv) == 0 ? 0 : 1;
}
