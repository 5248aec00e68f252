#include "account/account.h"

#include <charconv>
#include <string_view>

#include "account/storedline.h"
#include "app/errors.h"
#include "app/textfile.h"
#include "ledger/format.h"

namespace {
int fieldNumber(std::wstring_view field) {
    int value = 0;
    bool digit = false;
    for (wchar_t c : field) {
        if (c == L' ') continue;
        if (c < L'0' || c > L'9') throw YzoError(kErrTypeMismatch, lineExcerpt(std::wstring(field)));
        value = value * 10 + (c - L'0');
        digit = true;
    }
    if (!digit) throw YzoError(kErrTypeMismatch, lineExcerpt(std::wstring(field)));
    return value;
}

// Positions of the field separators of a line, after checking that the line
// can be taken field by field: its fixed positions 1 to 10 are all there and
// hold no separator, and it has at least `needed` separators.
std::vector<size_t> separators(const std::wstring& line, size_t needed) {
    if (line.size() > kMaxLineLength) throw YzoError(kErrBadLine, L"ligne trop longue");
    if (line.size() < 10) throw YzoError(kErrSubscript, lineExcerpt(line));
    std::vector<size_t> out;
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == RS) out.push_back(i);
    if (!out.empty() && out[0] < 10) throw YzoError(kErrBadLine, lineExcerpt(line));
    if (out.size() < needed) throw YzoError(kErrMissingSeparator, lineExcerpt(line));
    return out;
}

Date dateField(std::wstring_view field) {
    if (field.size() < 8) throw YzoError(kErrSubscript, std::wstring(field));
    int day = fieldNumber(field.substr(0, 2));
    int month = fieldNumber(field.substr(2, 2));
    int year = fieldNumber(field.substr(4, 4));
    return dateFromYMD(year, month, day);
}

// An amount written as most are, an optional minus sign, digits and at most
// two decimals after a comma or point: its value exactly as from_chars gives
// it, since the whole number of cents and the division are both exact or
// correctly rounded. False for any other form, which from_chars then reads.
bool plainAmount(std::wstring_view t, double& value) {
    size_t i = 0;
    bool negative = !t.empty() && t[0] == L'-';
    if (negative) ++i;
    int64_t units = 0;
    size_t digits = 0, decimals = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        wchar_t c = t[i];
        if (c >= L'0' && c <= L'9') {
            units = units * 10 + (c - L'0');
            if (++digits > 15) return false;
            if (point && ++decimals > 2) return false;
        } else if ((c == L',' || c == L'.') && !point && digits > 0) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0 || (point && decimals == 0)) return false;
    static const double scale[] = {1, 10, 100};
    value = static_cast<double>(units) / scale[decimals];
    if (negative) value = -value;
    return true;
}

double amountField(std::wstring_view field) {
    size_t a = 0, b = field.size();
    while (a < b && field[a] == L' ') ++a;
    if (a == b) return 0;
    while (field[b - 1] == L' ') --b;
    std::wstring_view t = field.substr(a, b - a);
    double plain = 0;
    if (plainAmount(t, plain)) return plain;
    // Digits, signs and decimal points are one byte each; a usual amount fits
    // in the small buffer, a longer one takes a string.
    char small[64];
    std::string large;
    char* s = small;
    if (t.size() > sizeof small) {
        large.resize(t.size());
        s = large.data();
    }
    size_t n = 0;
    for (wchar_t c : t) {
        if (c == L',') c = L'.';
        if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'-'))
            throw YzoError(kErrTypeMismatch, lineExcerpt(std::wstring(field)));
        s[n++] = static_cast<char>(c);
    }
    double value = 0;
    auto res = std::from_chars(s, s + n, value);
    if (res.ec != std::errc() || res.ptr != s + n) throw YzoError(kErrTypeMismatch, lineExcerpt(std::wstring(field)));
    return value;
}

// The text between two separators (exclusive).
std::wstring between(const std::wstring& line, size_t from, size_t to) { return line.substr(from + 1, to - from - 1); }

bool isLineBreak(wchar_t c) { return c == RS || c == L'\r' || c == L'\n'; }

std::wstring withoutLineEnds(const std::wstring& text) {
    std::wstring out = text;
    for (wchar_t& c : out)
        if (c == L'\r' || c == L'\n') c = L' ';
    return out;
}

// A line the program could not read back is never written.
const std::wstring& checkedLength(const std::wstring& line) {
    if (line.size() > kMaxLineLength) throw YzoError(kErrBadLine, L"ligne trop longue");
    return line;
}

long leadingNumber(const std::wstring& text) {
    long value = 0;
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (value > 100000000L) break;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

// The position of the first "." of the file name, or npos.
size_t fileNameDot(const std::wstring& path) {
    size_t sep = path.find_last_of(L"\\/:");
    size_t start = sep == std::wstring::npos ? 0 : sep + 1;
    return path.find(L'.', start);
}
}  // namespace

Date readDateField(const std::wstring& field) { return dateField(field); }

double readAmountField(const std::wstring& field) { return amountField(field); }

int lettrecompte(wchar_t letter) {
    switch (letter) {
    case L'T': return kAccountBankCode;
    case L'P': return kAccountMarked;
    case L'S': return kAccountPlain;
    case L'R': return kAccountReceipts;
    case L'D': return kAccountExpenses;
    default: return kAccountNone;
    }
}

wchar_t accountTypeLetter(int type) {
    static const wchar_t letters[] = L" TPSRD";
    return type >= kAccountBankCode && type <= kAccountExpenses ? letters[type] : L' ';
}

AccountHeader convertit_ChaineConfiguration(const std::wstring& line) {
    std::vector<size_t> rs = separators(line, 5);
    AccountHeader h;
    h.startDateText = line.substr(0, 8);
    h.startDate = readDateField(h.startDateText);
    h.hasTva = line[8] == L'T';
    h.accountType = lettrecompte(line[9]);
    h.objetListName = trim(line.substr(10, rs[0] - 10));
    h.title = between(line, rs[0], rs[1]);
    h.lastBalance = readAmountField(between(line, rs[1], rs[2]));
    h.tvaTotal = readAmountField(between(line, rs[2], rs[3]));
    h.unitName = between(line, rs[3], rs[4]);
    if (rs.size() == 5) {
        h.lineCount = leadingNumber(line.substr(rs[4] + 1));
    } else {
        h.lineCount = leadingNumber(between(line, rs[4], rs[5]));
        h.password = line.substr(rs[5]);
    }
    if (h.unitName == L"FRANCS") {
        h.unitCode = kUnitFrancs;
        h.otherUnitName = L"EUROS";
    } else if (h.unitName == L"EUROS") {
        h.unitCode = kUnitEuros;
        h.otherUnitName = L"FRANCS";
    } else {
        h.unitCode = kUnitOther;
        h.otherUnitName.clear();
    }
    return h;
}

// The fields of a written line never hold a separator or a line break, so
// that the line reads back field for field.
std::wstring FormeConfiguration(const AccountHeader& h) {
    // A date text that is not the 8 characters read is formed from the date.
    std::wstring s =
        h.startDateText.size() == 8 && fitsInLine(h.startDateText) ? h.startDateText : FormatDate(h.startDate);
    s += h.hasTva ? L'T' : L' ';
    s += accountTypeLetter(h.accountType);
    s += withoutLineBreaks(h.objetListName);
    s += RS;
    s += withoutLineBreaks(h.title);
    s += RS;
    s += Forme_montant(h.lastBalance);
    s += RS;
    s += Forme_montant(h.tvaTotal);
    s += RS;
    s += withoutLineBreaks(h.unitName);
    s += RS;
    s += std::to_wstring(h.lineCount);
    // The password keeps its separators: it is the last field of the line.
    s += withoutLineEnds(h.password);
    return checkedLength(s);
}

OperationView readOperation(std::wstring_view line) {
    if (line.size() > kMaxLineLength) throw YzoError(kErrBadLine, L"ligne trop longue");
    if (line.size() < 10) throw YzoError(kErrSubscript, lineExcerpt(std::wstring(line)));
    StoredFields f = splitStoredLine(line);
    // The strict reading takes the lenient cut only when it is the whole
    // record: no separator among positions 1 to 10, and all four of them.
    if (f.separators > 0 && f.firstSeparator < 10) throw YzoError(kErrBadLine, lineExcerpt(std::wstring(line)));
    if (f.separators < 4) throw YzoError(kErrMissingSeparator, lineExcerpt(std::wstring(line)));
    OperationView op;
    op.date = dateField(f.date);
    op.flag = f.flag;
    op.code = f.code;
    op.rubrique = f.rubrique;
    op.objet = f.objet;
    op.montantText = f.montant;
    op.tvaText = f.tva;
    op.montant = amountField(op.montantText);
    op.tva = amountField(op.tvaText);
    op.numero = f.numero;
    return op;
}

Operation convertit_ChaineYzo(const std::wstring& line) {
    OperationView v = readOperation(line);
    Operation op;
    op.date = v.date;
    op.flag = v.flag;
    op.code = v.code;
    op.rubrique = v.rubrique;
    op.objet = v.objet;
    op.montant = v.montant;
    op.tva = v.tva;
    op.numero = v.numero;
    return op;
}

void negateAmounts(Operation& op) {
    op.montant = withoutMinusZero(-op.montant);
    op.tva = withoutMinusZero(-op.tva);
}

std::wstring FormeYzo(const Operation& op) {
    std::wstring s = FormatDate(op.date);
    s += isLineBreak(op.flag) ? L' ' : op.flag;
    s += isLineBreak(op.code) ? L' ' : op.code;
    s += withoutLineBreaks(op.rubrique);
    s += RS;
    s += withoutLineBreaks(op.objet);
    s += RS;
    s += Forme_montant(op.montant);
    s += RS;
    s += Forme_montant(op.tva);
    s += RS;
    // The numéro is the last field: a separator in it reads back as it was.
    s += withoutLineEnds(op.numero);
    return checkedLength(s);
}

bool isPensionLine(const std::wstring& line) { return line.size() >= 10 && (line[9] == L'T' || line[9] == L'P'); }

bool fitsInLine(const std::wstring& text) {
    for (wchar_t c : text)
        if (isLineBreak(c)) return false;
    return true;
}

std::wstring unwritableLetterRefusal(const std::wstring& text) {
    for (wchar_t c : text)
        if (!encodableCp1252(c))
            return std::wstring(L"texte refusé : le caractère ") + c + L" ne peut pas être enregistré";
    return L"";
}

std::wstring withoutLineBreaks(const std::wstring& text) {
    std::wstring out = text;
    for (wchar_t& c : out)
        if (isLineBreak(c)) c = L' ';
    return out;
}

std::wstring lineExcerpt(const std::wstring& line) {
    const size_t shown = 40;
    std::wstring out = withoutLineBreaks(line.substr(0, shown));
    if (line.size() > shown) out += L"...";
    return out;
}

std::wstring newAccountHeaderText(Date startDate) {
    std::wstring s = FormatDate(startDate) + L" T ";
    s += RS;
    s += L"SANS TITRE";
    s += RS;
    s += L"0";
    s += RS;
    s += L"0";
    s += RS;
    s += L"EUROS";
    s += RS;
    s += L"0";
    return s;
}

std::wstring cutExtension(const std::wstring& path) {
    size_t dot = fileNameDot(path);
    if (dot == std::wstring::npos || path.size() - dot - 1 <= 3) return path;
    return path.substr(0, dot + 4);
}

std::wstring withExtension(const std::wstring& path, const std::wstring& extension) {
    size_t dot = fileNameDot(path);
    if (dot == std::wstring::npos) return path + L"." + extension;
    return path.substr(0, dot + 1) + extension;
}

std::wstring backupName(const std::wstring& path) { return withExtension(path, L"bak"); }

void dropDialogDot(std::wstring& name) {
    if (name.size() >= 3 && name[1] == L':' && name[2] == L'.') name.erase(2, 1);
}
