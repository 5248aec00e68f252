// Dates as whole days, and the French names of days and months.
#pragma once
#include <string>

// A date is a count of days since 30 December 1899 (so that dates compare and
// subtract as plain numbers).
using Date = long;

bool validYMD(int year, int month, int day);
// Throws YzoError 5 when the day does not exist (31 February, month 13...).
Date dateFromYMD(int year, int month, int day);
void ymdFromDate(Date date, int& year, int& month, int& day);
// 1 = Sunday ... 7 = Saturday.
int weekday(Date date);

// French names, lower case: "janvier".."décembre", "dimanche".."samedi".
const std::wstring& frenchMonthName(int month);
const std::wstring& frenchDayName(int weekday1Sunday);
