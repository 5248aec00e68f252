// The program's texts end their lines with CR LF and count the CR in caret
// positions; a GTK text control ends them with LF alone. These convert texts
// and positions between the two.
#pragma once
#include <string>
#include <utility>
#include <vector>

// CR LF becomes LF; a lone CR becomes LF too, as the control shows it.
std::wstring toControlText(const std::wstring& modelText);
// LF becomes CR LF.
std::wstring toModelText(const std::wstring& controlText);
// A position in the program's text to the same place in the control's text.
long toControlPosition(const std::wstring& modelText, long modelPosition);
// A position in the control's text to the same place in the program's text.
long toModelPosition(const std::wstring& modelText, long controlPosition);

// What the window shows of the ledger: the program's text with LF line ends,
// a rule (a line of dashes) as blanks, which a screen reader does not spell
// out ("80 dash characters") and the window draws as a band, and, when the
// program names the lines, each line after a margin that holds its name.
// The width of the margin of the names; 0 when no line is named.
long nameMargin(const std::vector<std::wstring>& lineNames);
std::wstring toShownText(const std::wstring& modelText, const std::vector<std::wstring>& lineNames);
// A position in the program's text to the same place in the shown text, and back.
long toShownPosition(const std::wstring& modelText, const std::vector<std::wstring>& lineNames, long modelPosition);
long fromShownPosition(const std::wstring& modelText, const std::vector<std::wstring>& lineNames, long shownPosition);
// The rules of a shown text: the start and end of each.
std::vector<std::pair<long, long>> shownRules(const std::wstring& modelText,
                                              const std::vector<std::wstring>& lineNames);
