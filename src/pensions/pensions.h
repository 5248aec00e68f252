// Traites and pensions: the mensualité of an item and its next due date.
#pragma once
#include <string>

#include "app/calendar.h"

// The mensualité of a traite or pension: the leading number of its numéro
// ("," or "." as decimal sign), rounded to whole months. False when it is
// not a number of months from 1 to 32767.
bool readMensualite(const std::wstring& numero, int& months);
// The same day, months later; a day past the end of its month runs into
// the next month (31 January + 1 month is 3 March, 2 March in a leap year).
// False when the date would fall after the year 9999.
bool nextDueDate(Date date, int months, Date& out);
