// Turning stored lines into the text lines of the ledger view, in table or
// compact style, and recording where each field starts in the shown text.
//
// A stored line: 1-8 date (DDMMYYYY, a leading zero written as a blank),
// 9 state flag, 10 code, then rubrique RS objet RS montant RS tva RS numéro.
// Lines read from a file may be damaged: every field is cut out with bounds
// checks, and a missing part reads as empty.
#include <algorithm>
#include <limits>

#include "ledger/format.h"

namespace {

constexpr wchar_t RS = 30;

// The fields of a stored line, as text, exactly as stored (not trimmed).
struct LineFields {
    wchar_t flag = L' ';
    wchar_t code = L' ';
    std::wstring rubrique, objet, montant, tva, numero;
};

LineFields splitLine(const std::wstring& line) {
    LineFields f;
    if (line.size() >= 9) f.flag = line[8];
    if (line.size() >= 10) f.code = line[9];
    size_t p1 = line.find(RS);
    // The rubrique runs from position 11 to the first separator, or to the end
    // of a line that has none.
    size_t rubEnd = p1 == std::wstring::npos ? line.size() : p1;
    if (rubEnd > 10) f.rubrique = line.substr(10, rubEnd - 10);
    if (p1 == std::wstring::npos) return f;
    // Each further field runs from one past a separator to the next one (or
    // to the end of the line); the numéro is the whole rest after the fourth.
    std::wstring* fields[] = {&f.objet, &f.montant, &f.tva};
    size_t start = p1 + 1;
    for (std::wstring* field : fields) {
        size_t next = line.find(RS, start);
        if (next == std::wstring::npos) {
            *field = line.substr(start);
            return f;
        }
        *field = line.substr(start, next - start);
        start = next + 1;
    }
    f.numero = line.substr(start);
    return f;
}

// Characters [pos, pos+len) of the line (0-based), cut to what exists.
std::wstring slice(const std::wstring& line, size_t pos, size_t len) {
    if (pos >= line.size()) return L"";
    return line.substr(pos, len);
}

// Numeric value of a date part: blanks are skipped, reading stops at the
// first other non-digit; no digits give 0.
int partValue(const std::wstring& text) {
    int value = 0;
    for (wchar_t c : text) {
        if (c == L' ') continue;
        if (c < L'0' || c > L'9') break;
        value = value * 10 + (c - L'0');
    }
    return value;
}

// French name of the weekday of the stored date; empty when the date does not exist.
std::wstring dayNameOf(const std::wstring& line) {
    int day = partValue(slice(line, 0, 2));
    int month = partValue(slice(line, 2, 2));
    int year = partValue(slice(line, 4, 4));
    if (!validYMD(year, month, day)) return L"";
    return frenchDayName(weekday(dateFromYMD(year, month, day)));
}

// A stored amount written "-0", "-0,00"... is shown without its sign: an
// amount that is zero never carries a minus sign.
std::wstring unsignedZero(const std::wstring& amount) {
    if (amount.size() > 1 && amount[0] == L'-' &&
        amount.find_first_not_of(L"0,.", 1) == std::wstring::npos &&
        amount.find(L'0', 1) != std::wstring::npos)
        return amount.substr(1);
    return amount;
}

std::wstring amountText(const std::wstring& stored) {
    return stored.empty() ? std::wstring(L"0") : unsignedZero(stored);
}

// Position of the decimal sign of an amount text (the stored form uses a
// comma; a point typed by hand reads the same), or npos.
size_t decimalSign(const std::wstring& amount) { return amount.find_first_of(L",."); }

int16_t toStart(size_t position) {
    return static_cast<int16_t>(
        std::min<size_t>(position, static_cast<size_t>(std::numeric_limits<int16_t>::max())));
}

int len(const std::wstring& s) { return static_cast<int>(s.size()); }

bool flagColumnNeeded(const LineFields& f, const FormatSettings& settings) {
    if (settings.displayMode == 1) return false;
    if (settings.accountType == 1) return f.code != L'B' && f.flag != L' ';
    if (settings.accountType == 2) return f.flag != L' ';
    return false;
}

bool showsRubrique(int accountType) { return accountType >= 1 && accountType <= 3; }

// What the measuring pass keeps of one line for the building pass.
struct Measured {
    LineFields fields;
    std::wstring rubrique;  // trimmed
    std::wstring objet;     // trimmed
    std::wstring montant;   // "0" when empty; a blank added after a single decimal digit
    bool montantDecimal = false;
    std::wstring tva;       // "0" when empty
    std::wstring numero;    // trimmed
};

Measured measure(const std::wstring& line) {
    Measured m;
    m.fields = splitLine(line);
    m.rubrique = trim(m.fields.rubrique);
    m.objet = trim(m.fields.objet);
    m.montant = amountText(m.fields.montant);
    size_t sign = decimalSign(m.montant);
    if (sign != std::wstring::npos) {
        m.montantDecimal = true;
        // "12,5" is shown "12,5 " so that its comma stands under that of "12,50".
        if (m.montant.size() - sign - 1 == 1) m.montant += L' ';
    }
    m.tva = amountText(m.fields.tva);
    m.numero = trim(m.fields.numero);
    return m;
}

std::wstring singleColumn(const DisplayEntry& entry, const Measured& m, const FormatSettings& settings) {
    switch (settings.pendingColumn) {
    case 1: return ligne_dateComplet(entry.line, settings);
    case 2: return formevalider(m.fields.flag, settings.accountType);
    case 3: return m.rubrique.empty() ? std::wstring(L" ") : m.rubrique;
    case 4: return m.objet.empty() ? std::wstring(L" ") : m.objet;
    case 5: return m.montant;
    case 6: return m.tva;
    case 7: return m.numero;
    default: return L"";
    }
}

}  // namespace

std::wstring ligne_dateReduit(const std::wstring& line, const FormatSettings& settings) {
    std::wstring dd = slice(line, 0, 2), mm = slice(line, 2, 2), yyyy = slice(line, 4, 4);
    std::wstring monthText = settings.monthNames ? frenchMonthName(partValue(mm)) : mm + L" ";
    std::wstring s = dd + L" " + monthText + L" " + yyyy;
    if (settings.dayNames) s = dayNameOf(line) + L" " + s;
    return s;
}

std::wstring ligne_dateComplet(const std::wstring& line, const FormatSettings& settings) {
    std::wstring dd = slice(line, 0, 2), mm = slice(line, 2, 2), yyyy = slice(line, 4, 4);
    std::wstring monthText =
        settings.monthNames ? complete(frenchMonthName(partValue(mm)), 10) : mm + L" ";
    std::wstring s = dd + L" " + monthText + yyyy;
    if (settings.dayNames) s = complete(dayNameOf(line), 9) + s;
    return s;
}

std::wstring formeoperation(DisplayEntry& entry, const FormatSettings& settings) {
    entry.colStart.fill(0);
    LineFields f = splitLine(entry.line);
    const std::wstring blank = L" ";
    std::wstring rubrique = f.rubrique.empty() ? blank : f.rubrique;
    std::wstring objet = f.objet.empty() ? blank : f.objet;
    std::wstring numero = trim(f.numero);
    if (numero.empty()) numero = blank;
    std::wstring montant = amountText(f.montant);
    std::wstring tva = amountText(f.tva);
    const bool bank = f.code == L'B';
    const int type = settings.accountType;

    std::wstring s = ligne_dateReduit(entry.line, settings) + L" ";
    if (settings.displayMode != 1) {
        if (type == 2) {
            entry.colStart[1] = toStart(s.size() + 1);
            s += f.flag == L'*' ? L"* " : L"  ";
        } else if (type == 1 && !bank) {
            entry.colStart[1] = toStart(s.size() + 1);
            s += f.flag == L'/' ? L"enregistré " : L"  ";
        }
    }
    if (type != 4 && type != 5) {
        entry.colStart[2] = toStart(s.size() + 1);
        s += rubrique + L" ";
    }
    if (!bank) {
        entry.colStart[3] = toStart(s.size() + 1);
        s += objet + L" ";
    }
    entry.colStart[4] = toStart(s.size() + 1);
    s += montant + L" " + settings.unitName + L" ";
    if (!bank) {
        if (settings.hasTva) {
            entry.colStart[5] = toStart(s.size() + 1);
            s += tva + L" " + settings.unitName + L" ";
        }
        entry.colStart[6] = toStart(s.size() + 1);
        s += numero;
        entry.colStart[7] = toStart(s.size());
    } else {
        entry.colStart[6] = toStart(s.size() + 2);
        entry.colStart[7] = entry.colStart[6];
    }
    return s;
}

void FormeTableau(std::vector<DisplayEntry>& table, const FormatSettings& settings) {
    if (table.size() < 2) return;
    const int type = settings.accountType;

    // Pass 1: measure every field over all lines.
    std::vector<Measured> measured(table.size());
    bool flagColumn = false, anyDecimal = false;
    int rubWidth = 0, objWidth = 0, tvaWidth = 0, numWidth = 0;
    for (size_t i = 1; i < table.size(); ++i) {
        Measured& m = measured[i];
        m = measure(table[i].line);
        if (flagColumnNeeded(m.fields, settings)) flagColumn = true;
        if (m.fields.code != L'B') rubWidth = std::max(rubWidth, len(m.rubrique));
        objWidth = std::max(objWidth, len(m.objet));
        anyDecimal = anyDecimal || m.montantDecimal;
        tvaWidth = std::max(tvaWidth, len(m.tva));
        numWidth = std::max(numWidth, len(m.numero));
        if (settings.pendingColumn >= 1 && settings.pendingColumn <= 7)
            table[i].text = singleColumn(table[i], m, settings);
    }
    if (settings.pendingColumn >= 1 && settings.pendingColumn <= 7) return;

    // An amount without decimals gets three blanks where the others have
    // ",50", so that the units stand in one column; the width counts them.
    int montantWidth = 0;
    for (size_t i = 1; i < table.size(); ++i) {
        Measured& m = measured[i];
        if (anyDecimal && !m.montantDecimal) m.montant += L"   ";
        montantWidth = std::max(montantWidth, len(m.montant));
    }
    // The rubrique field exists only in the account types that show it.
    if (!showsRubrique(type)) rubWidth = 0;

    // Pass 2: build each line.
    for (size_t i = 1; i < table.size(); ++i) {
        DisplayEntry& entry = table[i];
        std::wstring s;
        if (!settings.tableStyle) {
            s = formeoperation(entry, settings);
        } else {
            const Measured& m = measured[i];
            const bool bank = m.fields.code == L'B';
            entry.colStart.fill(0);
            std::wstring objet = m.objet;
            if (rubWidth >= 1 && upperCase(objet) == L"BANQUE") objet.clear();

            s = ligne_dateComplet(entry.line, settings) + L" ";
            if (settings.displayMode != 1 && flagColumn) {
                if (type == 2) {
                    entry.colStart[1] = toStart(s.size() + 1);
                    s += m.fields.flag == L'*' ? L"* " : L"  ";
                } else if (type == 1 && !bank) {
                    entry.colStart[1] = toStart(s.size() + 1);
                    s += m.fields.flag == L'/' ? std::wstring(L"enregistré ") : std::wstring(11, L' ');
                }
            }
            if (rubWidth > 0) {
                entry.colStart[2] = toStart(s.size() + 1);
                s += complete(m.rubrique, rubWidth + 1);
            }
            if (objWidth > 0) {
                entry.colStart[3] = toStart(s.size() + 1);
                s += complete(objet, objWidth + 1);
            }
            entry.colStart[4] = toStart(s.size() + 1);
            s += completegaucheCar(m.montant, L' ', montantWidth + 1) + L" " + settings.unitName + L" ";
            if (bank) {
                entry.colStart[6] = toStart(s.size() + 2);
                entry.colStart[7] = entry.colStart[6];
            } else {
                if (settings.hasTva && tvaWidth >= 1) {
                    entry.colStart[5] = toStart(s.size() + 1);
                    s += completegaucheCar(m.tva, L' ', tvaWidth + 1);
                }
                entry.colStart[6] = toStart(s.size() + 1);
                if (numWidth > 0) s += m.numero;
                entry.colStart[7] = toStart(m.numero.empty() ? s.size() + 1 : s.size());
            }
        }
        if (entry.mark != 0) s += L" sélectionné";
        entry.text = s;
    }
}

std::wstring formecompte(int accountType, bool hasTva) {
    std::wstring s;
    switch (accountType) {
    case 1: s = L"Recette/Dépense/code banque"; break;
    case 2: s = L"Recette/Dépense/repère"; break;
    case 3: s = L"Recette/Dépense"; break;
    case 4: s = L"Recettes"; break;
    case 5: s = L"Dépenses"; break;
    default: break;
    }
    if (hasTva) s += L"/T V A";
    return s;
}

std::wstring formevalider(wchar_t flag, int accountType) {
    switch (flag) {
    case L' ': return accountType == 1 ? L"non enregistré" : L"non repèré";
    case L'/': return L"enregistré";
    case L'*': return L"repèré";
    default: return L"";
    }
}

std::wstring formecode(wchar_t code) {
    switch (code) {
    case L'A': return L"Annul\u201A";
    case L'B': return L"Banque";
    case L'D': return L"Dépense";
    case L'P': return L"Pension";
    case L'R': return L"Recette";
    case L'T': return L"Traite";
    default: return L"";
    }
}
