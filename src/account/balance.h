// The balance rule: which operations of an account count in its balance, and
// where. The ledger's display and the accounting report both sum by it.
#pragma once
#include <string_view>

#include "account/account.h"

// What the rule needs to know of the account, and of how it is summed.
struct BalanceRule {
    Date startDate = 0;
    int accountType = 1;       // as AccountHeader::accountType
    bool hasTva = false;
    // A search sums the lines it found: whatever their date, and registered
    // ones too on a bank-code account.
    bool everyLine = false;

    static BalanceRule of(const AccountHeader& header, bool everyLine = false) {
        return {header.startDate, header.accountType, header.hasTva, everyLine};
    }
};

// The sums of an account by the rule.
struct BalanceSums {
    double balance = 0;         // the operations counted
    double tvaSum = 0;          // their TVA, on an account that keeps it
    double bankAmount = 0;      // a bank-code account's last bank line: what the bank has registered
    double cashBalance = 0;     // the operations counted paid in cash (numéro "ES")
    double nonCashBalance = 0;  // the others counted
};

// A numéro that says the operation was paid in cash: "ES", whatever its case
// and the blanks around it.
bool isCashNumero(std::wstring_view numero);

// Adds the operation to the sums by the rule: nothing before the account's
// start date; on a bank-code account the bank line gives the bank amount and
// registered operations are left out (they are in it); a bank line is never
// counted. True when the operation's amount was counted.
bool addToBalance(const OperationView& op, const BalanceRule& rule, BalanceSums& sums);
