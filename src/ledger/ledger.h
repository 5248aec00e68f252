// State of the ledger view: display modes, display table, screen lines, totals, window.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "account/account.h"
#include "ledger/format.h"

constexpr int kWindowLines = 20;

struct Totals {
    double balance = 0, otherUnitBalance = 0, tvaSum = 0, cashBalance = 0, nonCashBalance = 0;
    double cursorBalance = 0, average = 0, minimum = 0, maximum = 0, bankAmount = 0;
    long blankFlagCount = 0;
    std::wstring balanceText, otherUnitText, tvaText;
};

struct LedgerState {
    std::array<int, kMaxSlots + 1> displayMode{};
    std::array<long, kMaxSlots + 1> cursorIndex{};
    std::array<int, kMaxSlots + 1> currentColumn{};
    int pendingColumn = 0;
    std::vector<DisplayEntry> displayTable{1};   // 1-based
    std::vector<std::wstring> screenLines{1};    // 1-based
    // The amount each shown line added to the balance (0 when it did not count),
    // so that the balance up to any line is a sum over this table.
    std::vector<double> countedAmount{0.0};       // 1-based, parallel to displayTable
    int shownMode = 2;                            // the mode of the last display
    Totals totals;
    long windowStart = 1;
    bool topEdge = false;
    bool bottomEdge = false;
    bool criteriaSearchRunning = false;

    long displayCount() const { return static_cast<long>(displayTable.size()) - 1; }
    long screenCount() const { return static_cast<long>(screenLines.size()) - 1; }
};

// Reads the line of a CR LF text that starts at the 1-based position and moves
// the position past its line break. Returns false (and an empty line) when the
// position is beyond the text; lastLine is set when the line read is the last.
bool LireLigne(std::wstring& line, const std::wstring& text, long& position, bool& lastLine);
// The lines of a CR LF text, read one after the other with LireLigne.
std::vector<std::wstring> textLines(const std::wstring& text);
