// Francs and euros: 6.55957 francs for one euro.
#pragma once
#include <string>

constexpr double kFrancsPerEuro = 6.55957;

// Francs to euros, rounded to cents.
double r_franc_euro(double francs);
// Euros to francs, rounded to cents.
double r_euro_franc(double euros);
