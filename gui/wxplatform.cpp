#include "wxplatform.h"

#include <wx/button.h>
#include <wx/dc.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>
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
#include <gtk/gtk.h>
#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo-svg.h>
#include <glib/gi18n.h>
#include <gtk/gtkunixprint.h>
#include <wx/gtk/print.h>

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
        auto endLine = [&] { page.push_back(line); line.clear(); };
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
    bool HasPage(int page) override { return page >= 1 && page <= static_cast<int>(pages_.size()); }
    void GetPageInfo(int* minPage, int* maxPage, int* from, int* to) override {
        *minPage = *from = 1;
        *maxPage = *to = static_cast<int>(pages_.size());
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

// GTK's "Print to File" printer is a virtual one that its print operation
// reaches only through its own dialog: a job sent to it without the dialog
// waits forever for a real printer of that name. When it is the chosen
// printer, the job is drawn here into the file it names, in its format.
struct PrintFile {
    std::wstring path;
    std::string format;  // "pdf", "ps" or "svg"
    double widthPt = 0, heightPt = 0;
};

std::optional<PrintFile> printToFile(wxPrintData& data, bool landscape) {
    data.ConvertToNative();
    auto* native = dynamic_cast<wxGtkPrintNativeData*>(data.GetNativeData());
    if (!native) return std::nullopt;
    GtkPrintSettings* settings = native->GetPrintConfig();
    const gchar* printer = gtk_print_settings_get_printer(settings);
    const gchar* uri = gtk_print_settings_get(settings, GTK_PRINT_SETTINGS_OUTPUT_URI);
    if (!printer || !uri || g_strcmp0(printer, g_dgettext("gtk30", "Print to File")) != 0) return std::nullopt;
    gchar* path = g_filename_from_uri(uri, nullptr, nullptr);
    if (!path) return std::nullopt;
    PrintFile file;
    file.path = wxString::FromUTF8(path).ToStdWstring();
    g_free(path);
    const gchar* format = gtk_print_settings_get(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT);
    file.format = format ? format : "pdf";
    GtkPaperSize* paper = gtk_print_settings_get_paper_size(settings);
    if (!paper) paper = gtk_paper_size_new(nullptr);  // the locale's paper
    file.widthPt = gtk_paper_size_get_width(paper, GTK_UNIT_POINTS);
    file.heightPt = gtk_paper_size_get_height(paper, GTK_UNIT_POINTS);
    gtk_paper_size_free(paper);
    if (landscape) std::swap(file.widthPt, file.heightPt);
    return file;
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// Draws every page of the printout on a cairo surface of the file's format,
// one unit a point from the paper's corner, and writes the file.
bool drawToFile(TextPrintout& printout, const PrintFile& file) {
    std::string bytes;
    cairo_surface_t* surface =
        file.format == "ps"    ? cairo_ps_surface_create_for_stream(appendBytes, &bytes, file.widthPt, file.heightPt)
        : file.format == "svg" ? cairo_svg_surface_create_for_stream(appendBytes, &bytes, file.widthPt, file.heightPt)
                               : cairo_pdf_surface_create_for_stream(appendBytes, &bytes, file.widthPt, file.heightPt);
    cairo_t* cr = cairo_create(surface);
    {
        wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr));
        int width = static_cast<int>(std::lround(file.widthPt)), height = static_cast<int>(std::lround(file.heightPt));
        printout.SetDC(&dc);
        printout.SetPPIScreen(wxGetDisplayPPI());
        printout.SetPPIPrinter(72, 72);
        printout.SetPageSizePixels(width, height);
        printout.SetPaperRectPixels(wxRect(0, 0, width, height));
        printout.SetPageSizeMM(static_cast<int>(std::lround(file.widthPt * 25.4 / 72)),
                               static_cast<int>(std::lround(file.heightPt * 25.4 / 72)));
        printout.OnPreparePrinting();
        printout.OnBeginPrinting();
        for (int page = 1; page <= printout.PageCount(); ++page) {
            dc.SetUserScale(1, 1);
            dc.SetDeviceOrigin(0, 0);
            printout.OnPrintPage(page);
            cairo_show_page(cr);
        }
        printout.OnEndPrinting();
        printout.SetDC(nullptr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    bool drawn = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!drawn) return false;
    try {
        writeFileAtomically(file.path, bytes);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
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

std::wstring WxPlatform::InputBox(const std::wstring& prompt, const std::wstring&,
                                  const std::wstring& defaultText) {
    flushMessages();
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
                        wx(caseInsensitiveFilter(request.filter)), style);
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
    // GTK's own printer dialog: its printers, and "Print to File" (PDF). The
    // printer and settings chosen are those of every later print job.
    printData().ConvertToNative();
    if (auto* native = dynamic_cast<wxGtkPrintNativeData*>(printData().GetNativeData())) {
        GtkWindow* parent = frame_ ? GTK_WINDOW(gtk_widget_get_toplevel(frame_->GetHandle())) : nullptr;
        GtkWidget* dialog = gtk_print_unix_dialog_new("Choix de l'imprimante", parent);
        GtkPrintUnixDialog* chooser = GTK_PRINT_UNIX_DIALOG(dialog);
        gtk_print_unix_dialog_set_settings(chooser, native->GetPrintConfig());
        bool chosen = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK;
        if (chosen) {
            GtkPrintSettings* settings = gtk_print_unix_dialog_get_settings(chooser);
            if (GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(chooser))
                gtk_print_settings_set_printer(settings, gtk_printer_get_name(printer));
            native->SetPrintConfig(settings);
            g_object_unref(settings);
            printData().ConvertFromNative();
        }
        gtk_widget_destroy(dialog);
        return chosen;
    }
    wxPrintDialogData data(printData());
    wxPrintDialog dialog(frame_, &data);
    if (dialog.ShowModal() != wxID_OK) return false;
    printData() = dialog.GetPrintDialogData().GetPrintData();
    return true;
}

bool WxPlatform::Print(const PrintJob& job) {
    flushMessages();
    printData().SetOrientation(job.orientation == Orientation::Landscape ? wxLANDSCAPE : wxPORTRAIT);
    TextPrintout printout(job);
    if (std::optional<PrintFile> file = printToFile(printData(), job.orientation == Orientation::Landscape))
        return drawToFile(printout, *file);
    wxPrintDialogData data(printData());
    wxPrinter printer(&data);
    // A job the printer system cancelled (no such printer) was not printed either.
    return printer.Print(frame_, &printout, false);
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
