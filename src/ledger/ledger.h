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
    Totals totals;
    long windowStart = 1;
    bool topEdge = false;
    bool bottomEdge = false;
    bool criteriaSearchRunning = false;

    long displayCount() const { return static_cast<long>(displayTable.size()) - 1; }
    long screenCount() const { return static_cast<long>(screenLines.size()) - 1; }
};
