// Printing through GTK: its own printer dialog, and its "Print to File"
// printer drawn here with cairo.
#include "printing.h"

#include <wx/dc.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include <gtk/gtk.h>
#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo-svg.h>
#include <glib/gi18n.h>
#include <gtk/gtkunixprint.h>
#include <wx/gtk/print.h>

#include <cmath>
#include <optional>
#include <string>

#include "app/textfile.h"
#include "wxplatform.h"

namespace {
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
bool drawToFile(wxPrintout& printout, const PrintFile& file) {
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
        int first = 1, last = 0, from = 1, to = 0;
        printout.GetPageInfo(&first, &last, &from, &to);
        for (int page = first; page <= last; ++page) {
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

bool choosePrinter(wxWindow* parent, wxPrintData& data) {
    // GTK's own printer dialog: its printers, and "Print to File" (PDF).
    data.ConvertToNative();
    if (auto* native = dynamic_cast<wxGtkPrintNativeData*>(data.GetNativeData())) {
        GtkWindow* owner = parent ? GTK_WINDOW(gtk_widget_get_toplevel(parent->GetHandle())) : nullptr;
        GtkWidget* dialog = gtk_print_unix_dialog_new("Choix de l'imprimante", owner);
        GtkPrintUnixDialog* chooser = GTK_PRINT_UNIX_DIALOG(dialog);
        gtk_print_unix_dialog_set_settings(chooser, native->GetPrintConfig());
        bool chosen = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK;
        if (chosen) {
            GtkPrintSettings* settings = gtk_print_unix_dialog_get_settings(chooser);
            if (GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(chooser))
                gtk_print_settings_set_printer(settings, gtk_printer_get_name(printer));
            native->SetPrintConfig(settings);
            g_object_unref(settings);
            data.ConvertFromNative();
        }
        gtk_widget_destroy(dialog);
        return chosen;
    }
    wxPrintDialogData dialogData(data);
    wxPrintDialog dialog(parent, &dialogData);
    if (dialog.ShowModal() != wxID_OK) return false;
    data = dialog.GetPrintDialogData().GetPrintData();
    return true;
}

bool printOut(wxWindow* parent, wxPrintout& printout, wxPrintData& data, bool landscape) {
    if (std::optional<PrintFile> file = printToFile(data, landscape)) return drawToFile(printout, *file);
    wxPrintDialogData dialogData(data);
    wxPrinter printer(&dialogData);
    return printer.Print(parent, &printout, false);
}

// GTK's file chooser compares patterns with case: each letter matches both.
std::wstring systemFileFilter(const std::wstring& filter) { return caseInsensitiveFilter(filter); }
