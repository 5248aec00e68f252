// Turning stored lines into the text lines of the ledger view, in table or
// compact style, and recording where each field starts in the shown text.
//
// Lines read from a file may be damaged: they are cut by the lenient
// splitStoredLine, where a missing part reads as empty.
#include <algorithm>
#include <cwctype>
#include <limits>
#include <string_view>

#include "account/storedline.h"
#include "ledger/format.h"

namespace {

// Characters [pos, pos+len) of the line (0-based), cut to what exists.
std::wstring slice(const std::wstring& line, size_t pos, size_t len) {
    if (pos >= line.size()) return L"";
    return line.substr(pos, len);
}

// Numeric value of a date part: blanks are skipped, reading stops at the
// first other non-digit; no digits give 0.
int partValue(std::wstring_view text) {
    int value = 0;
    for (wchar_t c : text) {
        if (c == L' ') continue;
        if (c < L'0' || c > L'9') break;
        value = value * 10 + (c - L'0');
    }
    return value;
}

// French name of the weekday of the stored date; empty when the date does not exist.
std::wstring dayNameOf(std::wstring_view line) {
    auto part = [&](size_t pos, size_t n) { return pos < line.size() ? line.substr(pos, n) : std::wstring_view(); };
    int day = partValue(part(0, 2));
    int month = partValue(part(2, 2));
    int year = partValue(part(4, 4));
    if (!validYMD(year, month, day)) return L"";
    return frenchDayName(weekday(dateFromYMD(year, month, day)));
}

int16_t toStart(size_t position) {
    return static_cast<int16_t>(std::min<size_t>(position, static_cast<size_t>(std::numeric_limits<int16_t>::max())));
}

int len(std::wstring_view s) { return static_cast<int>(s.size()); }

bool flagColumnNeeded(wchar_t flag, wchar_t code, const FormatSettings& settings) {
    if (settings.displayMode == DisplayMode::Pensions) return false;
    if (settings.accountType == kAccountBankCode) return code != L'B' && flag != L' ';
    if (settings.accountType == kAccountMarked) return flag != L' ';
    return false;
}

bool showsRubrique(int accountType) { return accountType >= kAccountBankCode && accountType <= kAccountPlain; }

std::wstring_view trimView(std::wstring_view v) {
    size_t a = 0, b = v.size();
    while (a < b && v[a] == L' ') ++a;
    while (b > a && v[b - 1] == L' ') --b;
    return v.substr(a, b - a);
}

// The amount as shown: "0" when empty, and a zero never signed.
std::wstring_view amountView(std::wstring_view stored) {
    if (stored.empty()) return L"0";
    if (stored.size() > 1 && stored[0] == L'-' && stored.find_first_not_of(L"0,.", 1) == std::wstring_view::npos &&
        stored.find(L'0', 1) != std::wstring_view::npos)
        return stored.substr(1);
    return stored;
}

bool isBanqueObjet(std::wstring_view objet) {
    static const wchar_t banque[] = L"BANQUE";
    if (objet.size() != 6) return false;
    for (size_t i = 0; i < 6; ++i)
        if (static_cast<wchar_t>(std::towupper(objet[i])) != banque[i]) return false;
    return true;
}

void appendBlanks(std::wstring& s, int n) {
    if (n > 0) s.append(static_cast<size_t>(n), L' ');
}

// What the measuring pass keeps of one line for the building pass: views into
// the stored line, and the blanks that follow the amount.
struct Measured {
    wchar_t flag = L' ';
    wchar_t code = L' ';
    std::wstring_view rubrique;  // trimmed
    std::wstring_view objet;     // trimmed
    std::wstring_view montant;   // "0" when empty
    int montantBlanks = 0;       // one after a single decimal digit, three more when it has no decimals
    bool montantDecimal = false;
    std::wstring_view tva;     // "0" when empty
    std::wstring_view numero;  // trimmed

    int montantWidth() const { return static_cast<int>(montant.size()) + montantBlanks; }
};

Measured measureFields(const StoredFields& f) {
    Measured m;
    m.flag = f.flag;
    m.code = f.code;
    m.rubrique = trimView(f.rubrique);
    m.objet = trimView(f.objet);
    m.montant = amountView(f.montant);
    size_t sign = m.montant.find_first_of(L",.");
    if (sign != std::wstring_view::npos) {
        m.montantDecimal = true;
        // "12,5" is shown "12,5 " so that its comma stands under that of "12,50".
        if (m.montant.size() - sign - 1 == 1) m.montantBlanks = 1;
    }
    m.tva = amountView(f.tva);
    m.numero = trimView(f.numero);
    return m;
}

Measured measure(std::wstring_view line) { return measureFields(splitStoredLine(line)); }

void appendDateComplet(std::wstring& s, std::wstring_view line, const FormatSettings& settings);

void singleColumn(std::wstring& s, std::wstring_view line, const Measured& m, const FormatSettings& settings) {
    switch (settings.pendingColumn) {
    case kColumnDate:
        s.clear();
        appendDateComplet(s, line, settings);
        break;
    case kColumnFlag: s = formevalider(m.flag, settings.accountType); break;
    case kColumnRubrique: s.assign(m.rubrique.empty() ? std::wstring_view(L" ") : m.rubrique); break;
    case kColumnObjet: s.assign(m.objet.empty() ? std::wstring_view(L" ") : m.objet); break;
    case kColumnMontant:
        s.assign(m.montant);
        appendBlanks(s, m.montantBlanks);
        break;
    case kColumnTva: s.assign(m.tva); break;
    case kColumnNumero: s.assign(m.numero); break;
    default: s.clear(); break;
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

namespace {
// Appends the full date of a stored line to s (the ledger builds its lines in place).
void appendDateComplet(std::wstring& s, std::wstring_view text, const FormatSettings& settings) {
    auto part = [&](size_t pos, size_t n) { return pos < text.size() ? text.substr(pos, n) : std::wstring_view(); };
    std::wstring_view dd = part(0, 2), mm = part(2, 2), yyyy = part(4, 4);
    if (settings.dayNames) {
        std::wstring day = dayNameOf(text);
        s += day;
        appendBlanks(s, 9 - len(day));
    }
    s += dd;
    s += L' ';
    if (settings.monthNames) {
        const std::wstring& month = frenchMonthName(partValue(mm));
        s += month;
        appendBlanks(s, 10 - len(month));
    } else {
        s += mm;
        s += L' ';
    }
    s += yyyy;
}
}  // namespace

std::wstring ligne_dateComplet(const std::wstring& line, const FormatSettings& settings) {
    std::wstring s;
    appendDateComplet(s, line, settings);
    return s;
}

std::wstring formeoperation(DisplayEntry& entry, const FormatSettings& settings) {
    entry.colStart.fill(0);
    StoredFields f = splitStoredLine(entry.line);
    const std::wstring_view blank = L" ";
    std::wstring rubrique(f.rubrique.empty() ? blank : f.rubrique);
    std::wstring objet(f.objet.empty() ? blank : f.objet);
    std::wstring numero(trimView(f.numero));
    if (numero.empty()) numero = blank;
    std::wstring montant(amountView(f.montant));
    std::wstring tva(amountView(f.tva));
    const bool bank = f.code == L'B';
    const int type = settings.accountType;

    std::wstring s = ligne_dateReduit(entry.line, settings) + L" ";
    if (settings.displayMode != DisplayMode::Pensions) {
        if (type == kAccountMarked) {
            entry.colStart[1] = toStart(s.size() + 1);
            s += f.flag == L'*' ? L"* " : L"  ";
        } else if (type == kAccountBankCode && !bank) {
            entry.colStart[1] = toStart(s.size() + 1);
            s += f.flag == L'/' ? L"enregistré " : L"  ";
        }
    }
    if (type != kAccountReceipts && type != kAccountExpenses) {
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

namespace {
void widen(LineLayout& layout, const Measured& m, const FormatSettings& settings) {
    if (flagColumnNeeded(m.flag, m.code, settings)) layout.flagColumn = true;
    if (m.code != L'B') layout.rubWidth = std::max(layout.rubWidth, len(m.rubrique));
    layout.objWidth = std::max(layout.objWidth, len(m.objet));
    layout.tvaWidth = std::max(layout.tvaWidth, len(m.tva));
    layout.numWidth = std::max(layout.numWidth, len(m.numero));
    if (m.montantDecimal) {
        layout.anyDecimal = true;
        layout.decimalWidth = std::max(layout.decimalWidth, m.montantWidth());
    } else {
        layout.plainWidth = std::max(layout.plainWidth, m.montantWidth());
    }
}
}  // namespace

void measureLine(LineLayout& layout, std::wstring_view line, const FormatSettings& settings) {
    widen(layout, measure(line), settings);
}

void measureOperation(LineLayout& layout, const OperationView& op, const FormatSettings& settings) {
    StoredFields f;
    f.flag = op.flag;
    f.code = op.code;
    f.rubrique = op.rubrique;
    f.objet = op.objet;
    f.montant = op.montantText;
    f.tva = op.tvaText;
    f.numero = op.numero;
    widen(layout, measureFields(f), settings);
}

namespace {
// One line in table style, from what its measure kept and the widths of all lines.
void tableLine(std::wstring& s, std::array<int16_t, 8>& colStart, std::wstring_view line, Measured m,
               const LineLayout& layout, const FormatSettings& settings) {
    const int type = settings.accountType;
    // An amount without decimals gets three blanks where the others have
    // ",50", so that the units stand in one column; the width counts them.
    const int montantWidth = std::max(layout.decimalWidth, layout.plainWidth + (layout.anyDecimal ? 3 : 0));
    if (layout.anyDecimal && !m.montantDecimal) m.montantBlanks += 3;
    // The rubrique field exists only in the account types that show it.
    const int rubWidth = showsRubrique(type) ? layout.rubWidth : 0;
    const bool bank = m.code == L'B';
    std::wstring_view objet = rubWidth >= 1 && isBanqueObjet(m.objet) ? std::wstring_view() : m.objet;

    appendDateComplet(s, line, settings);
    s += L' ';
    if (settings.displayMode != DisplayMode::Pensions && layout.flagColumn) {
        if (type == kAccountMarked) {
            colStart[1] = toStart(s.size() + 1);
            s += m.flag == L'*' ? L"* " : L"  ";
        } else if (type == kAccountBankCode && !bank) {
            colStart[1] = toStart(s.size() + 1);
            if (m.flag == L'/') s += L"enregistré ";
            else appendBlanks(s, 11);
        }
    }
    if (rubWidth > 0) {
        colStart[2] = toStart(s.size() + 1);
        s += m.rubrique;
        appendBlanks(s, rubWidth + 1 - len(m.rubrique));
    }
    if (layout.objWidth > 0) {
        colStart[3] = toStart(s.size() + 1);
        s += objet;
        appendBlanks(s, layout.objWidth + 1 - len(objet));
    }
    colStart[4] = toStart(s.size() + 1);
    appendBlanks(s, montantWidth + 1 - m.montantWidth());
    s += m.montant;
    appendBlanks(s, m.montantBlanks);
    s += L' ';
    s += settings.unitName;
    s += L' ';
    if (bank) {
        colStart[6] = toStart(s.size() + 2);
        colStart[7] = colStart[6];
    } else {
        if (settings.hasTva && layout.tvaWidth >= 1) {
            colStart[5] = toStart(s.size() + 1);
            appendBlanks(s, layout.tvaWidth + 1 - len(m.tva));
            s += m.tva;
            // A blank after the TVA, or its digits would run into the
            // cheque number and be read as one number.
            s += L' ';
        }
        colStart[6] = toStart(s.size() + 1);
        if (layout.numWidth > 0) s += m.numero;
        colStart[7] = toStart(m.numero.empty() ? s.size() + 1 : s.size());
    }
}
}  // namespace

void formeLigne(std::wstring& s, std::array<int16_t, 8>& colStart, std::wstring_view line, int16_t mark,
                const LineLayout& layout, const FormatSettings& settings) {
    colStart.fill(0);
    s.clear();
    if (settings.pendingColumn >= kColumnDate && settings.pendingColumn <= kColumnNumero) {
        // A single column: the field alone, never marked.
        singleColumn(s, line, measure(line), settings);
        return;
    }
    if (!settings.tableStyle) {
        DisplayEntry entry;
        entry.line.assign(line);
        s = formeoperation(entry, settings);
        colStart = entry.colStart;
    } else {
        tableLine(s, colStart, line, measure(line), layout, settings);
    }
    if (mark != 0) s += L" sélectionné";
}

void FormeTableau(std::vector<DisplayEntry>& table, const FormatSettings& settings) {
    LineLayout layout;
    for (size_t i = 1; i < table.size(); ++i) measureLine(layout, table[i].line, settings);
    for (size_t i = 1; i < table.size(); ++i)
        formeLigne(table[i].text, table[i].colStart, table[i].line, table[i].mark, layout, settings);
}

std::wstring formecompte(int accountType, bool hasTva) {
    std::wstring s;
    switch (accountType) {
    case kAccountBankCode: s = L"Recette/Dépense/code banque"; break;
    case kAccountMarked: s = L"Recette/Dépense/repère"; break;
    case kAccountPlain: s = L"Recette/Dépense"; break;
    case kAccountReceipts: s = L"Recettes"; break;
    case kAccountExpenses: s = L"Dépenses"; break;
    default: break;
    }
    if (hasTva) s += L"/T V A";
    return s;
}

std::wstring formevalider(wchar_t flag, int accountType) {
    switch (flag) {
    case L' ': return accountType == kAccountBankCode ? L"non enregistré" : L"non repèré";
    case L'/': return L"enregistré";
    case L'*': return L"repèré";
    default: return L"";
    }
}

std::wstring formecode(wchar_t code) {
    switch (code) {
    case L'A': return L"Annulé";
    case L'B': return L"Banque";
    case L'D': return L"Dépense";
    case L'P': return L"Pension";
    case L'R': return L"Recette";
    case L'T': return L"Traite";
    default: return L"";
    }
}
