// The platform of the window: real dialogs, real printing, the real clock,
// and the status message handed to the screen reader.
#pragma once
#include <wx/cmndata.h>

#include <memory>

#include "app/platform.h"
#include "speech.h"

class MainFrame;

class WxPlatform : public Platform {
public:
    void attach(MainFrame* frame) { frame_ = frame; }

    std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                          const std::wstring& defaultText) override;
    MsgResult MsgBox(const std::wstring& text, MsgButtons buttons, int defaultButton,
                     const std::wstring& title) override;
    std::optional<std::wstring> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::wstring> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<FontChoice> FontDialog(FontKind kind, const FontChoice& current) override;
    bool PrinterDialog() override;
    bool Print(const PrintJob& job) override;
    void Beep() override;
    Date Today() override;
    long SecondsSinceMidnight() override;
    std::wstring ProgramFolder() override;
    std::wstring InstalledDataFolder() override;
    std::wstring DefaultStorageFolder() override;
    void EndProgram() override;
    void StatusChanged(const std::wstring& text) override;
    void TitleChanged(const std::wstring& title) override;
    // The messages of one event, to speech-dispatcher when YZO_SPEECHD=1.
    void sayDirectly(const std::vector<std::wstring>& texts) { speech_.say(texts); }

private:
    // Messages said before a dialog opens are heard before it.
    void flushMessages();
    std::optional<std::wstring> fileDialog(const FileDialogRequest& request, bool save);
    MainFrame* frame_ = nullptr;
    // The printer and its settings, made at the first print: print data made
    // before the toolkit has started would not be the toolkit's own.
    wxPrintData& printData();
    std::unique_ptr<wxPrintData> printData_;
    DirectSpeech speech_;
};

// A file filter "Description|*.yzo|..." whose patterns also match upper-case
// names, as file names are compared without case where accounts come from.
std::wstring caseInsensitiveFilter(const std::wstring& filter);
