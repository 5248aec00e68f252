// Francs and euros: 6.55957 francs for one euro.
#pragma once
#include <string>

constexpr double kFrancsPerEuro = 6.55957;

// Francs to euros, rounded to cents.
double r_franc_euro(double francs);
// Euros to francs, rounded to cents.
double r_euro_franc(double euros);

// The numeric value of an amount text ("," or "." as decimal sign, 0 when it
// is not a number), converted and written as an amount.
std::wstring c_franc_euro(const std::wstring& francs);
std::wstring c_euro_franc(const std::wstring& euros);
