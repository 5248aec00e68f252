#include "wxplatform.h"

#include <wx/button.h>
#include <wx/dc.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/fontdlg.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/textdlg.h>
#include <wx/utils.h>

#include "access.h"
#include "buttonclick.h"
#include "printing.h"

#include "app/textfile.h"

#include "console.h"
#include "frame.h"

namespace {
wxString wx(const std::wstring& s) { return wxString(s.c_str()); }
std::wstring ws(const wxString& s) { return s.ToStdWstring(); }
wxString titleOr(const std::wstring& title) { return title.empty() ? wxString("yzo") : wx(title); }

// Prints a text line by line from the paper's corner, in one font; a form
// feed starts a new page. Each run of characters between blanks starts at its
// column times the width of a column, and each line at its number times the
// height of a line: those the job gives in millimetres (a cheque's, measured
// by its parameters), else the width of a digit and the line height of the
// font. So the columns and lines of a cheque hold in any font (in a
// fixed-pitch font of that pitch this is exactly the text as written).
class TextPrintout : public wxPrintout {
public:
    explicit TextPrintout(const PrintJob& job) : wxPrintout("yzo"), job_(job) {
        std::vector<std::wstring> page;
        std::wstring line;
        auto endLine = [&] {
            page.push_back(line);
            line.clear();
        };
        for (size_t i = 0; i < job.text.size(); ++i) {
            wchar_t c = job.text[i];
            if (c == L'\r' && i + 1 < job.text.size() && job.text[i + 1] == L'\n') continue;
            if (c == L'\n') {
                endLine();
            } else if (c == L'\f') {
                if (!line.empty()) endLine();
                pages_.push_back(page);
                page.clear();
            } else {
                line += c;
            }
        }
        if (!line.empty()) endLine();
        if (!page.empty()) pages_.push_back(page);  // a text ending with a form feed has no blank last page
        if (pages_.empty()) pages_.emplace_back();
    }

    int PageCount() const { return static_cast<int>(pages_.size()); }
    bool HasPage(int page) override { return page >= 1 && page <= PageCount(); }
    void GetPageInfo(int* minPage, int* maxPage, int* from, int* to) override {
        *minPage = *from = 1;
        *maxPage = *to = PageCount();
    }
    bool OnPrintPage(int page) override {
        wxDC* dc = GetDC();
        if (!dc || !HasPage(page)) return false;
        // One logical unit is one screen pixel, and (0, 0) is the paper's
        // corner, not the printable area's.
        int screenX, screenY, printerX, printerY;
        GetPPIScreen(&screenX, &screenY);
        GetPPIPrinter(&printerX, &printerY);
        int pageW, pageH, dcW, dcH;
        GetPageSizePixels(&pageW, &pageH);
        dc->GetSize(&dcW, &dcH);
        // A preview is smaller; a context that knows no size (a file's) is the page itself.
        double device = pageW > 0 && dcW > 0 ? static_cast<double>(dcW) / pageW : 1.0;
        double scale = static_cast<double>(printerX) / screenX * device;
        dc->SetUserScale(scale, scale);
        wxRect paper = GetPaperRectPixels();
        dc->SetDeviceOrigin(static_cast<wxCoord>(paper.x * device), static_cast<wxCoord>(paper.y * device));
        wxFont font(wxFontInfo(job_.fontSize > 0 ? job_.fontSize : 12).FaceName(wx(job_.fontName)));
        dc->SetFont(font);
        dc->SetTextForeground(*wxBLACK);
        // One logical unit is 1/screenX inch on paper.
        double unitsPerMm = screenX / 25.4;
        double lineHeight = job_.lineHeightMm > 0 ? job_.lineHeightMm * unitsPerMm : dc->GetCharHeight();
        double cellWidth = job_.columnWidthMm > 0 ? job_.columnWidthMm * unitsPerMm : dc->GetTextExtent("0").x;
        // Each position is computed from its own column and line, so that no
        // rounding adds up along a line or down the page.
        const std::vector<std::wstring>& lines = pages_[page - 1];
        for (size_t n = 0; n < lines.size(); ++n) {
            const std::wstring& l = lines[n];
            wxCoord y = static_cast<wxCoord>(std::lround(n * lineHeight));
            for (size_t start = l.find_first_not_of(L' '); start != std::wstring::npos;) {
                size_t end = l.find(L' ', start);
                std::wstring run = l.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
                dc->DrawText(wx(run), static_cast<wxCoord>(std::lround(start * cellWidth)), y);
                start = end == std::wstring::npos ? end : l.find_first_not_of(L' ', end);
            }
        }
        return true;
    }

private:
    PrintJob job_;
    std::vector<std::vector<std::wstring>> pages_;
};

}  // namespace

std::wstring caseInsensitiveFilter(const std::wstring& filter) {
    // Fields alternate: description, patterns, description, patterns...
    std::wstring out;
    int field = 0;
    for (size_t i = 0; i < filter.size(); ++i) {
        wchar_t c = filter[i];
        if (c == L'|') {
            ++field;
            out += c;
        } else if (field % 2 == 1 && std::iswalpha(c)) {
            out += L'[';
            out += static_cast<wchar_t>(std::towlower(c));
            out += static_cast<wchar_t>(std::towupper(c));
            out += L']';
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring WxPlatform::InputBox(const std::wstring& prompt, const std::wstring&, const std::wstring& defaultText) {
    flushMessages();
    announceQuestion(frame_, prompt);
    // The box is titled by its question, not by the program's name: the
    // screen reader announces a dialog by its title.
    wxTextEntryDialog dialog(frame_, wx(prompt), wx(prompt), wx(defaultText));
    if (auto* cancel = dynamic_cast<wxButton*>(dialog.FindWindow(wxID_CANCEL))) cancel->SetLabel("Annuler");
    makeDialog(&dialog);
    clickWhenActivated(dialog.FindWindow(wxID_OK));
    if (dialog.ShowModal() != wxID_OK) return L"";
    return ws(dialog.GetValue());
}

MsgResult WxPlatform::MsgBox(const std::wstring& text, MsgButtons buttons, int defaultButton,
                             const std::wstring& title) {
    long style = 0;
    switch (buttons) {
    case MsgButtons::Ok: style = wxOK | wxICON_INFORMATION; break;
    case MsgButtons::YesNo: style = wxYES_NO | wxICON_QUESTION; break;
    case MsgButtons::YesNoCancel: style = wxYES_NO | wxCANCEL | wxICON_QUESTION; break;
    }
    if (buttons != MsgButtons::Ok) {
        if (defaultButton == 2) style |= wxNO_DEFAULT;
        else if (defaultButton == 3 && buttons == MsgButtons::YesNoCancel) style |= wxCANCEL_DEFAULT;
        else style |= wxYES_DEFAULT;
    }
    flushMessages();
    announceQuestion(frame_, text);
    wxMessageDialog dialog(frame_, wx(text), titleOr(title), style);
    if (buttons == MsgButtons::YesNoCancel) dialog.SetYesNoCancelLabels("&Oui", "&Non", "Annuler");
    else if (buttons == MsgButtons::YesNo) dialog.SetYesNoLabels("&Oui", "&Non");
    int r = dialog.ShowModal();
    switch (buttons) {
    case MsgButtons::Ok: return MsgResult::Ok;
    case MsgButtons::YesNo: return r == wxID_YES ? MsgResult::Yes : MsgResult::No;
    case MsgButtons::YesNoCancel:
        return r == wxID_YES ? MsgResult::Yes : r == wxID_NO ? MsgResult::No : MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

std::optional<std::wstring> WxPlatform::fileDialog(const FileDialogRequest& request, bool save) {
    flushMessages();
    wxFileName initial(wx(request.initialName));
    long style = save ? wxFD_SAVE : wxFD_OPEN;
    if (request.mustExist) style |= wxFD_FILE_MUST_EXIST;
    if (request.confirmOverwrite) style |= wxFD_OVERWRITE_PROMPT;
    wxFileDialog dialog(frame_, save ? "Enregistrer sous" : "Ouvrir", initial.GetPath(), initial.GetFullName(),
                        wx(systemFileFilter(request.filter)), style);
    clickAcceptWhenActivated(&dialog);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    std::wstring path = ws(dialog.GetPath());
    // A name typed without an extension gets the default one.
    if (save && !request.defaultExt.empty() && !wxFileName(dialog.GetPath()).HasExt())
        path += L"." + request.defaultExt;
    return path;
}

std::optional<std::wstring> WxPlatform::OpenFileDialog(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<std::wstring> WxPlatform::SaveFileDialog(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

std::optional<FontChoice> WxPlatform::FontDialog(FontKind kind, const FontChoice& current) {
    flushMessages();
    wxFontData data;
    data.SetInitialFont(wxFont(wxFontInfo(current.size > 0 ? current.size : 10).FaceName(wx(current.name))));
    data.EnableEffects(false);
    wxFontDialog dialog(frame_, data);
    dialog.SetTitle(kind == FontKind::Screen ? "Police de l'écran" : "Police de l'imprimante");
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    wxFont font = dialog.GetFontData().GetChosenFont();
    return FontChoice{ws(font.GetFaceName()), font.GetPointSize()};
}

wxPrintData& WxPlatform::printData() {
    if (!printData_) printData_ = std::make_unique<wxPrintData>();
    return *printData_;
}

bool WxPlatform::PrinterDialog() {
    flushMessages();
    // The printer and settings chosen are those of every later print job.
    return choosePrinter(frame_, printData());
}

bool WxPlatform::Print(const PrintJob& job) {
    flushMessages();
    bool landscape = job.orientation == Orientation::Landscape;
    printData().SetOrientation(landscape ? wxLANDSCAPE : wxPORTRAIT);
    TextPrintout printout(job);
    return printOut(frame_, printout, printData(), landscape);
}

void WxPlatform::Beep() { wxBell(); }
Date WxPlatform::Today() { return todayFromClock(); }
long WxPlatform::SecondsSinceMidnight() { return secondsFromClock(); }
std::wstring WxPlatform::ProgramFolder() { return programFolderFromEnvironment(); }
std::wstring WxPlatform::InstalledDataFolder() { return programFoldersFromEnvironment().installedData; }
std::wstring WxPlatform::DefaultStorageFolder() { return storageFolderFromEnvironment(); }
void WxPlatform::EndProgram() {}  // the frame closes when the event is over

void WxPlatform::flushMessages() {
    if (frame_) frame_->flushStatus();
}

void WxPlatform::StatusChanged(const std::wstring& text) {
    if (frame_) frame_->showStatus(text);
    else speech_.say({text});
}

void WxPlatform::TitleChanged(const std::wstring& title) {
    if (frame_) frame_->SetTitle(title.empty() ? wxString("yzo") : wx(title));
}
