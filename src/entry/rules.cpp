#include "entry/rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/errors.h"
#include "currency/currency.h"
#include "ledger/format.h"

namespace {
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool isDateSeparator(wchar_t c) { return c == L' ' || c == L'/' || c == L'-'; }

// The digit groups of a date, or false on any other character.
bool dateParts(const std::wstring& text, std::vector<std::wstring>& parts) {
    std::wstring current;
    for (wchar_t c : text) {
        if (isDigit(c)) {
            current += c;
        } else if (isDateSeparator(c)) {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            return false;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return true;
}
}  // namespace

bool parseEntryDate(const std::wstring& text, Date today, Date& out) {
    std::vector<std::wstring> parts;
    if (!dateParts(trim(text), parts) || parts.size() < 2 || parts.size() > 3) return false;
    if (parts[0].size() > 2 || parts[1].size() > 2) return false;
    int day = std::stoi(parts[0]);
    int month = std::stoi(parts[1]);
    int year, m, d;
    ymdFromDate(today, year, m, d);
    if (parts.size() == 3) {
        const std::wstring& y = parts[2];
        if (y.size() == 4) year = std::stoi(y);
        else if (y.size() == 2) year = std::stoi(y) + (std::stoi(y) < 30 ? 2000 : 1900);
        else return false;
    }
    if (year < 100 || !validYMD(year, month, day)) return false;
    out = dateFromYMD(year, month, day);
    return true;
}

std::wstring dayMonthYear(Date date) {
    int y, m, d;
    ymdFromDate(date, y, m, d);
    wchar_t buffer[16];
    swprintf(buffer, 16, L"%02d %02d %04d", d, m, y);
    return buffer;
}

AmountAnswer readAmountAnswer(const std::wstring& answer, int unitCode, const std::wstring& unitName, bool allowMinus) {
    AmountAnswer r;
    std::wstring t = upperCase(trim(answer));
    std::wstring allowed = L"0123456789.,";
    if (unitCode != kUnitOther) allowed += L"FE";
    if (allowMinus) allowed += L"-";
    bool seenPoint = false;
    for (size_t i = 0; i < t.size(); ++i) {
        wchar_t c = t[i];
        bool bad = allowed.find(c) == std::wstring::npos;
        // A second decimal sign, or a minus sign that does not lead, is no number.
        if (c == L'-' && i != 0) bad = true;
        if (c == L'.' || c == L',') {
            if (seenPoint) bad = true;
            seenPoint = true;
        }
        if (bad) {
            r.refusal = std::wstring(L"caractère ") + c + L"invalide";
            return r;
        }
    }
    for (wchar_t& c : t)
        if (c == L',') c = L'.';
    size_t point = t.find(L'.');
    if (point != std::wstring::npos) {
        size_t after = t.size() - point - 1;
        if (!t.empty() && (t.back() == L'E' || t.back() == L'F') && after > 0) --after;
        if (after > 2) {
            r.refusal = L"2 chiffres au maximum derrière la virgule";
            return r;
        }
    }
    size_t unit = t.find(L'E');
    if (unit == std::wstring::npos) unit = t.find(L'F');
    wchar_t letter = 0;
    if (unit != std::wstring::npos) {
        letter = t[unit];
        t.erase(unit, 1);
        if (unit != t.size() || t.find_first_of(L"EF") != std::wstring::npos) {
            r.refusal = L"erreur unité dans les chiffres";
            return r;
        }
    }
    std::string number(t.begin(), t.end());
    double value = std::strtod(number.c_str(), nullptr);
    if (letter == L'E' && unitCode == kUnitFrancs) {
        value = r_euro_franc(value);
        r.status = L"euros";
    } else if (letter == L'F' && unitCode == kUnitEuros) {
        value = r_franc_euro(value);
        r.status = L"francs";
    } else if (letter != 0) {
        r.status = unitName;
    }
    r.value = value;
    r.ok = true;
    return r;
}

bool isChequeRubrique(const std::wstring& rubrique) {
    std::wstring folded = upperCase(rubrique);
    for (wchar_t& c : folded)
        if (c == 0xC8 || c == 0xC9 || c == 0xCA || c == 0xCB) c = L'E';
    return folded.find(L"CHEQUE") != std::wstring::npos;
}

std::wstring nextNumber(const std::wstring& lastNumber) {
    std::wstring last = trim(lastNumber);
    if (last.empty()) return L"";
    int64_t value = 0;
    for (wchar_t c : last) {
        if (!isDigit(c)) return L"";
        value = value * 10 + (c - L'0');
        if (value > INT32_MAX) return L"";
    }
    if (value + 1 > INT32_MAX) return L"";
    std::wstring next = std::to_wstring(value + 1);
    if (last.size() > 1 && last[0] == L'0' && next.size() < last.size())
        next = std::wstring(last.size() - next.size(), L'0') + next;
    return next;
}

long insertionPosition(const std::vector<LineEntry>& lines, const Operation& op, long from) {
    for (size_t i = static_cast<size_t>(std::max(from, 1L)); i < lines.size(); ++i) {
        Operation other;
        try {
            other = convertit_ChaineYzo(lines[i].text);
        } catch (const YzoError&) {
            continue;  // a malformed line keeps its place and decides nothing
        }
        if (other.date > op.date || (other.date == op.date && other.numero > op.numero)) return static_cast<long>(i);
    }
    return static_cast<long>(lines.size());
}
