// State of the ledger view: display modes, display table, screen lines, totals, window.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "account/account.h"
#include "account/balance.h"
#include "ledger/format.h"

constexpr int kWindowLines = 20;
// What Down says when the caret or the selection is already on the last line.
inline constexpr const wchar_t* kLastLineWord = L"dernière ligne";

// The totals of the last display: the sums of the balance rule, and what the
// display adds to them.
struct Totals : BalanceSums {
    double otherUnitBalance = 0;
    double cursorBalance = 0, average = 0, minimum = 0, maximum = 0;
    long blankFlagCount = 0;
    std::wstring balanceText, otherUnitText, tvaText;
};

struct LedgerState;

// A text view (the information screen, help texts, reports) shows no
// operation and is never rebuilt from the account.
inline bool isTextView(DisplayMode mode) { return mode == DisplayMode::Text || mode == DisplayMode::Report; }

// One shown line of the ledger: where the stored line it shows stands in the
// account's array (never a copy of it, nor a reference that an insertion
// would leave pointing at freed text). Its text is built when it is shown.
struct LedgerLine {
    long sourceIndex = 0;
    int16_t mark = 0;
};

// The lines of the ledger text box (1-based). In a text view every line is
// held as text; in the ledger the header and the balance lines are, and the
// shown operations between them are built from their stored lines when they
// are read (the text box holds 20 of them).
class ScreenLines {
public:
    explicit ScreenLines(const LedgerState& ledger) : ledger_(&ledger) {}
    // Line k (1..size()-1).
    std::wstring operator[](long k) const;
    // Appends line k to out.
    void appendTo(std::wstring& out, long k) const;
    long size() const { return static_cast<long>(plain_.size()) + rows_; }
    std::wstring back() const { return (*this)[size() - 1]; }
    // The lines of a text view.
    void setText(const std::vector<std::wstring>& lines);
    // The first line, with the shown operations and the lines after them dropped.
    void setHeader(const std::wstring& header);
    // The shown operations, as many as the display table holds, after the first line.
    void showRows(long count) { rows_ = count; }
    // A line after the shown operations.
    void push_back(const std::wstring& line) { plain_.push_back(line); }

    class Iterator {
    public:
        Iterator(const ScreenLines& lines, long k) : lines_(&lines), k_(k) {}
        std::wstring operator*() const { return (*lines_)[k_]; }
        Iterator& operator++() {
            ++k_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return k_ != other.k_; }

    private:
        const ScreenLines* lines_;
        long k_;
    };
    // Lines 0 (always empty) to size()-1, as a 1-based array of lines is walked.
    Iterator begin() const { return Iterator(*this, 0); }
    Iterator end() const { return Iterator(*this, size()); }

private:
    const LedgerState* ledger_;
    std::vector<std::wstring> plain_{1};  // 1-based: line 1, then the lines after the rows
    long rows_ = 0;                       // shown operations after line 1
};

struct LedgerState {
    std::array<DisplayMode, kMaxSlots + 1> displayMode{};
    std::array<long, kMaxSlots + 1> cursorIndex{};
    std::array<int, kMaxSlots + 1> currentColumn{};
    int pendingColumn = kNoColumn;
    std::vector<LedgerLine> displayTable{1};  // 1-based
    LineLayout layout;                        // the column widths of the shown lines
    FormatSettings shownSettings;             // how they are formatted
    ScreenLines screenLines{*this};
    // The amount each shown line added to the balance (0 when it did not count),
    // so that the balance up to any line is a sum over this table.
    std::vector<double> countedAmount{0.0};           // 1-based, parallel to displayTable
    DisplayMode shownMode = DisplayMode::Operations;  // the mode of the last display
    Totals totals;
    long windowStart = 1;
    bool topEdge = false;
    bool bottomEdge = false;
    bool criteriaSearchRunning = false;

    LedgerState() = default;
    LedgerState(const LedgerState&) = delete;
    LedgerState& operator=(const LedgerState&) = delete;

    long displayCount() const { return static_cast<long>(displayTable.size()) - 1; }
    // The account's array the shown lines were taken from (pensions or
    // operations), set by each display: a member of the same form, read by index.
    void showFrom(const std::vector<LineEntry>& lines) { shownLines_ = &lines; }
    // The stored line shown line k (1..displayCount()) stands for; empty when
    // a change of the array since the display left no line at its place.
    const std::wstring& storedLine(long k) const;
    long screenCount() const { return screenLines.size() - 1; }
    // What shown line k (1..displayCount()) shows of its stored line: a line too long to be
    // an operation is shown by its first characters alone, which never read as one.
    std::wstring_view shownText(long k) const;
    // The text of shown line k, replacing s, and where its fields start.
    void formeLigneAffichee(std::wstring& s, std::array<int16_t, 8>& colStart, long k) const;
    // Where the fields of shown line k start in its text.
    std::array<int16_t, 8> columnStarts(long k) const;

private:
    const std::vector<LineEntry>* shownLines_ = nullptr;
};

// Reads the line of a CR LF text that starts at the 1-based position and moves
// the position past its line break. Returns false (and an empty line) when the
// position is beyond the text; lastLine is set when the line read is the last.
bool LireLigne(std::wstring& line, const std::wstring& text, long& position, bool& lastLine);
// The lines of a CR LF text, read one after the other with LireLigne.
std::vector<std::wstring> textLines(const std::wstring& text);
