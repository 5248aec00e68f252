// Printing on Windows: the system's printer dialog and wxPrinter; a PDF file
// comes from the printer "Microsoft Print to PDF", which asks for its name.
#include "printing.h"

#include <wx/print.h>
#include <wx/printdlg.h>

bool choosePrinter(wxWindow* parent, wxPrintData& data) {
    wxPrintDialogData dialogData(data);
    wxPrintDialog dialog(parent, &dialogData);
    if (dialog.ShowModal() != wxID_OK) return false;
    data = dialog.GetPrintDialogData().GetPrintData();
    return true;
}

bool printOut(wxWindow* parent, wxPrintout& printout, wxPrintData& data, bool) {
    wxPrintDialogData dialogData(data);
    wxPrinter printer(&dialogData);
    return printer.Print(parent, &printout, false);
}

// Windows compares file names without case: the patterns stand as written.
std::wstring systemFileFilter(const std::wstring& filter) { return filter; }
