// Whole numbers written in French words, for the amount line of a cheque.
// The wording is the program's own: no hyphens, "et" with two blanks before
// the number word from 70 to 79, an s on a final vingt or cent that another
// word precedes.
#pragma once
#include <string>

// Words for 0 to 99 ("zéro" for 0).
std::wstring c_reste(int n);
// Words for 0 to 999 ("" for 0).
std::wstring range(int n);
// Words for any number from 0 ("" for 0), with the plural s.
std::wstring mise_l(long n);
// Splits a worded amount over the two amount lines of a cheque: the first
// line, at most firstLength characters, is left in words; the second line is
// returned. A text of firstLength characters or more is cut at the last blank
// at or before that position; with no such blank it stays whole.
std::wstring decoupe_chiffre(std::wstring& words, int firstLength);
