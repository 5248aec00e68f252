// What the screen reader sees of the widgets: through ATK (the accessibility
// toolkit of GTK, which AT-SPI exposes to Orca) in access_gtk.cpp, through
// MSAA and UI Automation in access_msw.cpp.
#pragma once
#include <string>
#include <utility>
#include <vector>

class wxWindow;

// The accessible object of a control is that of its inner GTK widget: the
// text view or tree view inside a scrolled window, else the widget itself.
void setAccessibleName(wxWindow* window, const std::wstring& name);
void setAccessibleDescription(wxWindow* window, const std::wstring& description);
// Makes the label the box's label (ATK's "labelled by" and "label for"), or
// undoes it: a screen reader says a labelled box by its label's text.
void setLabelledBy(wxWindow* box, wxWindow* label, bool labelled);
// Gives the window the ATK role "notification": a screen reader speaks such
// an object each time it is shown.
void makeNotification(wxWindow* window);
// Emits ATK's "announcement" signal on the window's accessible object.
void announce(wxWindow* window, const std::wstring& text);
// Hands a dialog's question to the screen reader before the dialog opens
// (where the dialog alone would not say it at once).
void announceQuestion(wxWindow* owner, const std::wstring& question);
// Gives a top-level window the ATK role "dialog" (GTK reports a wxDialog as a frame).
void makeDialog(wxWindow* window);
// Moves the keyboard cursor of a list (its focused row, which the screen
// reader reads) to the row; nothing for -1.
void setListCursor(wxWindow* list, int row);
// Opens the first menu of a menu bar as its mnemonic (Alt+F) does: the menu
// takes the keyboard until Escape or a choice.
void openFirstMenu(wxWindow* menuBar);
// Gives a list the ATK role "list box" (GTK reports a list as a table, which
// a screen reader announces with its numbers of rows and columns).
void makeListBox(wxWindow* list);
// Draws these ranges (start, end) of a multi-line text box's text as a band,
// and the rest of it not: the blanks that stand for a rule, which a screen
// reader would spell out as dashes, are seen as a line.
void markRules(wxWindow* textBox, const std::vector<std::pair<long, long>>& ranges);
