// The rules of the entry fields, as plain functions of their text.
#pragma once
#include <string>
#include <vector>

#include "account/account.h"

// A date typed day first: day, month and year separated by blanks, "/" or
// "-" ("5 3 2026", "05/03/2026", "5-3-26"). A two-digit year is 1930-2029;
// a missing year is the year of today. False for anything else and for a day
// that does not exist (31 February).
bool parseEntryDate(const std::wstring& text, Date today, Date& out);
// "dd mm yyyy", the form the date box offers.
std::wstring dayMonthYear(Date date);

// The answer to an amount box, checked and read.
struct AmountAnswer {
    bool ok = false;
    std::wstring refusal;  // the message box text when refused
    double value = 0;      // in the account's unit, sign as typed
    std::wstring status;   // "euros", "francs", the unit name, or empty
};
// unitCode: kUnitFrancs, kUnitEuros or kUnitOther; allowMinus on bank lines and searches.
AmountAnswer readAmountAnswer(const std::wstring& answer, int unitCode, const std::wstring& unitName, bool allowMinus);

// Whether a rubrique is the cheque rubrique, whatever its case and accents.
bool isChequeRubrique(const std::wstring& rubrique);
// The number that follows the last number: "0099" -> "0100", "41" -> "42";
// empty when there is no last number or when it is too large for 32 bits.
std::wstring nextNumber(const std::wstring& lastNumber);
// Where an operation goes among stored lines (1-based, element 0 unused): before
// the first later date, or same date and greater numéro; count + 1 at the end.
// The lines before from are known not to be later and are not looked at.
long insertionPosition(const std::vector<LineEntry>& lines, const Operation& op, long from = 1);
