// Turning stored lines into ledger lines, and the small text functions that
// write dates and amounts everywhere in the program.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "account/account.h"
#include "app/calendar.h"

// --- Text functions (textfunctions.cpp) ---------------------------------

// The 8-character stored date: day, month, year, a leading zero of the day
// or of the month written as a blank (5 March 2008 -> " 5 32008").
std::wstring FormatDate(Date date);
// Two decimals, decimal comma, no thousands separator, a trailing ",00"
// dropped; rounded half away from zero on the amount as written in decimal;
// never "-0".
std::wstring Forme_montant(double amount);
// Pads on the right with blanks to width; never cuts.
std::wstring complete(const std::wstring& text, int width);
// Pads on the left with the given character to width; never cuts.
std::wstring completegaucheCar(const std::wstring& text, wchar_t pad, int width);
// Centres the trimmed text in width (halves to even); longer text is returned trimmed.
std::wstring centre(const std::wstring& text, int width);
// Rounds to two decimals in place, half away from zero on the decimal form.
void arrondi(double& amount);
// The amount rounded to cents, as a decimal text with '.' ("-12.5", "3").
std::wstring decimalText(double amount);
// The amount in cents, rounded as decimalText rounds it (on the decimal form).
long long centsOf(double amount);
// Trims blanks at both ends / at the right.
std::wstring trim(const std::wstring& text);
std::wstring trimRight(const std::wstring& text);
std::wstring upperCase(const std::wstring& text);
// Upper case without accents ("é" and "É" give "E"), one letter for one, for
// comparisons that take a letter whatever its case and accent.
std::wstring foldedUpperCase(const std::wstring& text);

// --- Line formatting (format.cpp) ----------------------------------------

// What the ledger of an account shows; each open account has its own.
enum class DisplayMode {
    Pensions = 1,      // the account's traites and pensions
    Operations = 2,    // every operation
    Unregistered = 3,  // the operations neither registered "/" nor marked "*"
    Criteria = 4,      // the operations that pass the criteria search
    Text = 9,          // a text: the information screen, a report, a preview, a help text
    Report = 10,       // the accounting report gathering an account's operations
};

// The columns of an operation: the column starts of a shown line, the
// readers' current column, the step a creation or a modification opens, the
// field a search compares. Plain ints: they index the column starts.
constexpr int kNoColumn = 0;        // none: no single-column view, no search yet
constexpr int kColumnDate = 1;      // the date
constexpr int kColumnFlag = 2;      // registered "/" or marked "*"
constexpr int kColumnRubrique = 3;  // the rubrique
constexpr int kColumnObjet = 4;     // the objet
constexpr int kColumnMontant = 5;   // the amount
constexpr int kColumnTva = 6;       // the TVA
constexpr int kColumnNumero = 7;    // the numéro (months between two due dates of a traite)

// One shown line of the ledger (1-based table; element 0 unused).
struct DisplayEntry {
    std::wstring line;                  // the stored line
    std::wstring text;                  // the formatted text
    long sourceIndex = 0;               // index of the line in its source array
    int16_t mark = 0;                   // selection mark
    std::array<int16_t, 8> colStart{};  // [k]: where the field after column k starts, 0 when not shown
};

// What the formatter reads from the main window.
struct FormatSettings {
    int accountType = kAccountBankCode;
    bool hasTva = false;
    std::wstring unitName;
    DisplayMode displayMode = DisplayMode::Operations;
    bool tableStyle = true;         // configuration line 33 is "en tableau"
    bool dayNames = false;          // mnuNomJour
    bool monthNames = false;        // mnuNomMois
    int pendingColumn = kNoColumn;  // the column of a single-column view
};

std::wstring ligne_dateReduit(const std::wstring& line, const FormatSettings& settings);
std::wstring ligne_dateComplet(const std::wstring& line, const FormatSettings& settings);
// Compact text of one entry; sets its column starts.
std::wstring formeoperation(DisplayEntry& entry, const FormatSettings& settings);
// The widths of the columns of a table, measured over all its lines without
// building their texts.
struct LineLayout {
    bool flagColumn = false;
    bool anyDecimal = false;
    int rubWidth = 0, objWidth = 0, tvaWidth = 0, numWidth = 0;
    int decimalWidth = 0;  // the widest amount with decimals (a blank after a single decimal counted)
    int plainWidth = 0;    // the widest amount without decimals
};
// Widens the layout to hold the line.
void measureLine(LineLayout& layout, std::wstring_view line, const FormatSettings& settings);
// The same for a line already read as an operation, whose fields are those measureLine would cut.
void measureOperation(LineLayout& layout, const OperationView& op, const FormatSettings& settings);
// The text of one line of a table whose lines were measured into layout (in
// the style and column the settings say), replacing s, and where its fields start.
void formeLigne(std::wstring& s, std::array<int16_t, 8>& colStart, std::wstring_view line, int16_t mark,
                const LineLayout& layout, const FormatSettings& settings);
// Formats entries 1..size-1 of the table.
void FormeTableau(std::vector<DisplayEntry>& table, const FormatSettings& settings);
// Caption of an account type, "/T V A" appended when it keeps TVA.
std::wstring formecompte(int accountType, bool hasTva);
// Names of a state flag and of a code letter.
std::wstring formevalider(wchar_t flag, int accountType);
std::wstring formecode(wchar_t code);
