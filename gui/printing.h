// Choosing a printer and printing, as each system's toolkit does it, and the
// file patterns its file dialog understands.
#pragma once
#include <string>

class wxPrintData;
class wxPrintout;
class wxWindow;

// Shows the system's printer dialog over the parent; the printer and settings
// chosen go into data. True when the user chose.
bool choosePrinter(wxWindow* parent, wxPrintData& data);
// Prints every page of the printout with the printer and settings of data.
// True when the job went out (a job the printer system cancelled did not).
bool printOut(wxWindow* parent, wxPrintout& printout, wxPrintData& data, bool landscape);
// A file filter "Description|*.yzo|..." as the system's file dialog reads it.
std::wstring systemFileFilter(const std::wstring& filter);
