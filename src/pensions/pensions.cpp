// Traites and pensions: copying an item into the ledger, by hand from the
// traites and pensions view, and for every due date passed when an account
// is opened.
#include "pensions/pensions.h"

#include <cmath>
#include <cwchar>
#include <unordered_set>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"

bool readMensualite(const std::wstring& numero, int& months) {
    std::wstring text = trim(numero);
    for (wchar_t& c : text)
        if (c == L',') c = L'.';
    wchar_t* end = nullptr;
    double value = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(value)) return false;
    double rounded = std::round(value);
    if (rounded < 1 || rounded > 32767) return false;
    months = static_cast<int>(rounded);
    return true;
}

bool nextDueDate(Date date, int months, Date& out) {
    int year = 0, month = 0, day = 0;
    ymdFromDate(date, year, month, day);
    long monthIndex = static_cast<long>(month - 1) + months;
    long newYear = year + monthIndex / 12;
    if (newYear > 9999) return false;
    int newMonth = static_cast<int>(monthIndex % 12) + 1;
    // The first of the month, then the day counted from it, so that a day
    // beyond the month's end overflows into the next one.
    out = dateFromYMD(static_cast<int>(newYear), newMonth, 1) + (day - 1);
    return true;
}

// Copies the item at index into the ledger as an ordinary operation and
// moves it to its next due date. 0, with nothing changed, when its
// mensualité is not a number of months above 0.
long MainForm::rangePension(long index, long searchFrom) {
    try {
        acc.work = convertit_ChaineYzo(acc.pensionLines.at(index).text);
        const Operation item = acc.work;
        int months = 0;
        Date next = 0;
        if (!readMensualite(item.numero, months) || !nextDueDate(item.date, months, next)) {
            message(L"mensualité invalide");
            return 0;
        }
        acc.work.code = item.code == L'P' ? L'R' : L'D';
        acc.work.flag = L' ';
        acc.work.numero.clear();
        long position = AjoutOperation(searchFrom);
        acc.work = item;
        acc.work.date = next;
        supprimePension(index);
        AjoutPension();
        markModified();
        return position;
    } catch (const std::exception& e) {
        reportError(e, L"RangePension");
        return 0;
    }
}

void MainForm::InsertPension() {
    if (describeKey(L"Insérer la traite ou la pension dans la comptabilité")) return;
    if (displayMode() != DisplayMode::Pensions) return;
    long index = IndexAbsolu();
    if (!TestNumeroAffiche(index)) return;
    cursorIndex() = index;
    if (rangePension(led.displayTable[index].sourceIndex) == 0) return;
    cursorIndex() = index;
    AfficheYzo();
}

void MainForm::TestPension() {
    if (acc.pensionCount() == 0) return;
    int traites = 0, pensions = 0;
    const Date now = today();
    // Each step copies the earliest item still due. Items that cannot move
    // forward (no valid mensualité, an unreadable line, a code that is not a
    // traite or a pension) are stepped over and stay where they are. The
    // earliest is looked for in the whole list: a file written elsewhere may
    // hold its items in any order.
    std::unordered_set<std::wstring> steppedOver;
    // The operations inserted carry no numéro: one dated on or after the last
    // one inserted goes after it, so the search for its place starts there.
    // An account with years of monthly items is caught up in one pass.
    long searchFrom = 1;
    Date lastInserted = 0;
    for (;;) {
        long earliest = 0;
        Operation item;
        for (long i = 1; i <= acc.pensionCount(); ++i) {
            const std::wstring& text = acc.pensionLines[i].text;
            if (steppedOver.count(text)) continue;
            Operation candidate;
            try {
                candidate = convertit_ChaineYzo(text);
            } catch (const std::exception& e) {
                reportError(e, L"testPension");
                steppedOver.insert(text);
                continue;
            }
            if (candidate.code != L'T' && candidate.code != L'P') {
                steppedOver.insert(text);
                continue;
            }
            if (earliest == 0 || candidate.date < item.date) {
                earliest = i;
                item = candidate;
            }
        }
        if (earliest == 0 || item.date > now) break;
        if (item.date < lastInserted) searchFrom = 1;
        const std::wstring text = acc.pensionLines[earliest].text;
        long position = rangePension(earliest, searchFrom);
        if (position == 0) {
            steppedOver.insert(text);
            continue;
        }
        searchFrom = position + 1;
        lastInserted = item.date;
        if (item.code == L'T') ++traites;
        else ++pensions;
    }
    if (traites + pensions == 0) return;
    msgBox(std::to_wstring(pensions) + L" pension insérée et " + std::to_wstring(traites) + L" traite insérée sur " +
           NomFichSeul(currentPath()));
}

bool MainForm::pensionsMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuInsertPension", &MainForm::InsertPension},
    };
    return runMenuTable(actions, name);
}
