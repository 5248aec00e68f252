#include "app/calendar.h"
#include "app/errors.h"

namespace {
// Days from 1970-01-01 for a proleptic Gregorian date.
long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}
// 1899-12-30 is 25569 days before 1970-01-01.
constexpr long kEpochShift = 25569;

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2) {
        bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return days[month - 1];
}
}  // namespace

bool validYMD(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    return day <= daysInMonth(year, month);
}

Date dateFromYMD(int year, int month, int day) {
    if (!validYMD(year, month, day)) throw YzoError(kErrBadArgument);
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochShift;
}

void ymdFromDate(Date date, int& year, int& month, int& day) {
    long z = date - kEpochShift + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long>(yoe) + era * 400 + (month <= 2));
}

int weekday(Date date) {
    // 30 December 1899 was a Saturday (7).
    long w = (date + 6) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

const std::wstring& frenchMonthName(int month) {
    static const std::wstring names[] = {L"janvier", L"février", L"mars",      L"avril",   L"mai",      L"juin",
                                         L"juillet", L"août",    L"septembre", L"octobre", L"novembre", L"décembre"};
    static const std::wstring none;
    return month >= 1 && month <= 12 ? names[month - 1] : none;
}

const std::wstring& frenchDayName(int weekday1Sunday) {
    static const std::wstring names[] = {L"dimanche", L"lundi",    L"mardi", L"mercredi",
                                         L"jeudi",    L"vendredi", L"samedi"};
    static const std::wstring none;
    return weekday1Sunday >= 1 && weekday1Sunday <= 7 ? names[weekday1Sunday - 1] : none;
}
