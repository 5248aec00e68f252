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
