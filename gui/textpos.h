// The program's texts end their lines with CR LF and count the CR in caret
// positions; a GTK text control ends them with LF alone. These convert texts
// and positions between the two.
#pragma once
#include <string>

// CR LF becomes LF; a lone CR becomes LF too, as the control shows it.
std::wstring toControlText(const std::wstring& modelText);
// LF becomes CR LF.
std::wstring toModelText(const std::wstring& controlText);
// A position in the program's text to the same place in the control's text.
long toControlPosition(const std::wstring& modelText, long modelPosition);
// A position in the control's text to the same place in the program's text.
long toModelPosition(const std::wstring& modelText, long controlPosition);
