// Printing the display as a table, and the cheques printed from the
// operation under the cursor.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "account/account.h"

// --- The table of the display (table.cpp) --------------------------------

struct TableSettings {
    int accountType = kAccountBankCode;
    bool hasTva = false;
    bool report = false;  // the accounting report: never narrowed to 80 columns
};

// The header row and one row per stored line, each ending with CR LF.
std::wstring tableOfLines(const std::vector<std::wstring>& lines, const TableSettings& settings);
// The same table appended to text.
void appendTableOfLines(std::wstring& text, const std::vector<std::wstring>& lines, const TableSettings& settings);

// A font size from the configuration; the fallback when it is not a size.
int fontSizeOf(const std::wstring& text, int fallback);

// --- Cheques (cheque.cpp) ---------------------------------------------------

constexpr int kChequeLines = 26;
constexpr int kChequeItems = 6;
// The largest value of a parameter, in millimetres.
constexpr long kChequeMaxValue = 1000;

// The 26 labels of the parameter file's lines (element 0 unused).
std::array<std::wstring, kChequeLines + 1> chequeLabels();
// The lines of a new parameter file.
std::vector<std::wstring> newChequeParameterLines();
// Lines 1, 2 and 7 are fixed texts, not values.
bool isChequeFixedLine(int line);
// Why a typed value cannot be the value of a line; empty when it can.
std::wstring chequeValueError(int line, const std::wstring& value);

// The first line (1..26) whose value cannot be used; 0 when every value can.
int firstBadChequeLine(const std::array<std::wstring, kChequeLines + 1>& values);
// Why the lines of a file do not make a usable parameter file, in a few words
// ("12 lignes sur 26", "ligne 3 incorrecte"); empty when they do. The same
// checks as the cheque preview's.
std::wstring chequeFileProblem(const std::vector<std::wstring>& lines);

// Rows, columns and field lengths of the six items (element 0 unused):
// 1 amount in figures, 2 and 3 the two lines in words, 4 ordre, 5 fait à, 6 date.
struct ChequeGeometry {
    std::array<long, kChequeItems + 1> row{}, column{}, length{};
    long heightOf65Lines = 1;
    // Line feeds for a height in millimetres.
    long lineFeeds(long millimetres) const { return millimetres * 65 / heightOf65Lines; }
};
// The geometry of valid values (lines 1..26, element 0 unused).
ChequeGeometry chequeGeometry(const std::array<std::wstring, kChequeLines + 1>& values);
// The amount in words: whole part and cents with the unit ("EUROS" gives euro).
std::wstring chequeWords(long whole, long cents, const std::wstring& unitName);
// The text of a cheque: each item's text placed at its column and row; with
// lineNames, what each of its lines holds ("ordre", "fait à, date"; empty for
// a blank line).
std::wstring composeChequeText(const ChequeGeometry& geometry, const std::array<std::wstring, kChequeItems + 1>& texts,
                               std::vector<std::wstring>* lineNames = nullptr);

struct PrintState {
    std::array<std::wstring, kChequeLines + 1> chequeLabels{};  // InitTableLibelleCheque
    std::array<std::wstring, kChequeLines + 1> chequeValues{};  // the parameter file's lines
    bool chequeValuesChanged = false;  // a value was changed in the editing list since it was read or written
    // The cheque composed last.
    long whole = 0, cents = 0;
    std::wstring wordsLine1, wordsLine2, ordre, place, chequeText;
    std::vector<std::wstring> chequeLineNames;  // what each line of chequeText holds
};
