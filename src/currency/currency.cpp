#include "currency/currency.h"

#include "account/account.h"
#include "ledger/format.h"

double r_franc_euro(double francs) {
    double euros = francs / kFrancsPerEuro;
    arrondi(euros);
    return euros;
}

double r_euro_franc(double euros) {
    double francs = euros * kFrancsPerEuro;
    arrondi(francs);
    return francs;
}

namespace {
double amountValue(const std::wstring& text) {
    try {
        return readAmountField(trim(text));
    } catch (const std::exception&) {
        return 0;
    }
}
}  // namespace

std::wstring c_franc_euro(const std::wstring& francs) { return Forme_montant(r_franc_euro(amountValue(francs))); }

std::wstring c_euro_franc(const std::wstring& euros) { return Forme_montant(r_euro_franc(amountValue(euros))); }
