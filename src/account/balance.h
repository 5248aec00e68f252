// The balance rule: which operations of an account count in its balance, and
// where. The ledger's display and the accounting report both sum by it.
#pragma once
#include <string_view>

#include "account/account.h"

// What the rule needs to know of the account, and of how it is summed.
struct BalanceRule {
    Date startDate = 0;
    int accountType = kAccountBankCode;  // as AccountHeader::accountType
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

// The codes the rule looks at.
namespace balancerule {
constexpr wchar_t kBankCode = L'B';
constexpr wchar_t kRegisteredFlag = L'/';

// The letter, upper case or lower case (ASCII).
inline bool isLetter(wchar_t c, wchar_t upper) { return c == upper || c == upper - L'A' + L'a'; }
}  // namespace balancerule

// A numéro that says the operation was paid in cash: "ES", whatever its case
// and the blanks around it.
inline bool isCashNumero(std::wstring_view numero) {
    using balancerule::isLetter;
    size_t a = 0, b = numero.size();
    while (a < b && numero[a] == L' ') ++a;
    while (b > a && numero[b - 1] == L' ') --b;
    numero = numero.substr(a, b - a);
    return numero.size() == 2 && isLetter(numero[0], L'E') && isLetter(numero[1], L'S');
}

// Adds the operation to the sums by the rule: nothing before the account's
// start date; on a bank-code account the bank line gives the bank amount and
// registered operations are left out (they are in it); a bank line is never
// counted. True when the operation's amount was counted.
// Inline: the display sums every line by it.
inline bool addToBalance(const OperationView& op, const BalanceRule& rule, BalanceSums& sums) {
    using namespace balancerule;
    if (!rule.everyLine && op.date < rule.startDate) return false;
    if (rule.accountType == kAccountBankCode) {
        // The bank line holds the bank balance: when there are several, the last one gives it.
        if (op.code == kBankCode) sums.bankAmount = op.montant;
        if (!rule.everyLine && op.flag == kRegisteredFlag) return false;
    }
    if (op.code == kBankCode) return false;
    sums.balance += op.montant;
    if (rule.hasTva) sums.tvaSum += op.tva;
    if (isCashNumero(op.numero)) sums.cashBalance += op.montant;
    else sums.nonCashBalance += op.montant;
    return true;
}
