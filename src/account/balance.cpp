#include "account/balance.h"

namespace {
constexpr int kBankCodeAccount = 1;  // the account type whose lines have a bank code
constexpr wchar_t kBankCode = L'B';
constexpr wchar_t kRegisteredFlag = L'/';

bool isLetter(wchar_t c, wchar_t upper) { return c == upper || c == upper - L'A' + L'a'; }
}  // namespace

bool isCashNumero(std::wstring_view numero) {
    size_t a = 0, b = numero.size();
    while (a < b && numero[a] == L' ') ++a;
    while (b > a && numero[b - 1] == L' ') --b;
    numero = numero.substr(a, b - a);
    return numero.size() == 2 && isLetter(numero[0], L'E') && isLetter(numero[1], L'S');
}

bool addToBalance(const OperationView& op, const BalanceRule& rule, BalanceSums& sums) {
    if (!rule.everyLine && op.date < rule.startDate) return false;
    if (rule.accountType == kBankCodeAccount) {
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
