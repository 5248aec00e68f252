#include "account/account.h"

#include <charconv>

#include "app/errors.h"
#include "ledger/format.h"

namespace {
int fieldNumber(const std::wstring& field) {
    int value = 0;
    bool digit = false;
    for (wchar_t c : field) {
        if (c == L' ') continue;
        if (c < L'0' || c > L'9') throw YzoError(kErrTypeMismatch, field);
        value = value * 10 + (c - L'0');
        digit = true;
    }
    if (!digit) throw YzoError(kErrTypeMismatch, field);
    return value;
}

// Positions of the field separators of a line.
std::vector<size_t> separators(const std::wstring& line) {
    std::vector<size_t> out;
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == RS) out.push_back(i);
    return out;
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

Date readDateField(const std::wstring& field) {
    if (field.size() < 8) throw YzoError(kErrSubscript, field);
    int day = fieldNumber(field.substr(0, 2));
    int month = fieldNumber(field.substr(2, 2));
    int year = fieldNumber(field.substr(4, 4));
    return dateFromYMD(year, month, day);
}

double readAmountField(const std::wstring& field) {
    std::wstring t = trim(field);
    if (t.empty()) return 0;
    std::string s;
    for (wchar_t c : t) {
        if (c == L',') c = L'.';
        if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'-')) throw YzoError(kErrTypeMismatch, field);
        s.push_back(static_cast<char>(c));
    }
    double value = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) throw YzoError(kErrTypeMismatch, field);
    return value;
}

int lettrecompte(wchar_t letter) {
    switch (letter) {
    case L'T': return 1;
    case L'P': return 2;
    case L'S': return 3;
    case L'R': return 4;
    case L'D': return 5;
    default: return 0;
    }
}

wchar_t accountTypeLetter(int type) {
    static const wchar_t letters[] = L" TPSRD";
    return type >= 1 && type <= 5 ? letters[type] : L' ';
}

AccountHeader convertit_ChaineConfiguration(const std::wstring& line) {
    if (line.size() < 10) throw YzoError(kErrSubscript, L"en-tête");
    std::vector<size_t> rs = separators(line);
    if (rs.size() < 5) throw YzoError(kErrMissingSeparator, L"en-tête");
    AccountHeader h;
    h.startDateText = line.substr(0, 8);
    h.startDate = readDateField(h.startDateText);
    h.hasTva = line[8] == L'T';
    h.accountType = lettrecompte(line[9]);
    h.objetListName = trim(line.substr(10, rs[0] - 10));
    h.title = line.substr(rs[0] + 1, rs[1] - rs[0] - 1);
    h.lastBalance = readAmountField(line.substr(rs[1] + 1, rs[2] - rs[1] - 1));
    h.tvaTotal = readAmountField(line.substr(rs[2] + 1, rs[3] - rs[2] - 1));
    h.unitName = line.substr(rs[3] + 1, rs[4] - rs[3] - 1);
    if (rs.size() == 5) {
        h.lineCount = leadingNumber(line.substr(rs[4] + 1));
    } else {
        h.lineCount = leadingNumber(line.substr(rs[4] + 1, rs[5] - rs[4] - 1));
        h.password = line.substr(rs[5]);
    }
    if (h.unitName == L"FRANCS") {
        h.unitCode = 1;
        h.otherUnitName = L"EUROS";
    } else if (h.unitName == L"EUROS") {
        h.unitCode = 2;
        h.otherUnitName = L"FRANCS";
    } else {
        h.unitCode = 3;
        h.otherUnitName.clear();
    }
    return h;
}

std::wstring FormeConfiguration(const AccountHeader& h) {
    std::wstring s = h.startDateText;
    s += h.hasTva ? L'T' : L' ';
    s += accountTypeLetter(h.accountType);
    s += h.objetListName;
    s += RS;
    s += h.title;
    s += RS;
    s += Forme_montant(h.lastBalance);
    s += RS;
    s += Forme_montant(h.tvaTotal);
    s += RS;
    s += h.unitName;
    s += RS;
    s += std::to_wstring(h.lineCount);
    s += h.password;
    return s;
}

Operation convertit_ChaineYzo(const std::wstring& line) {
    if (line.size() < 10) throw YzoError(kErrSubscript, line);
    std::vector<size_t> rs = separators(line);
    if (rs.size() < 4) throw YzoError(kErrMissingSeparator, line);
    Operation op;
    op.date = readDateField(line.substr(0, 8));
    op.flag = line[8];
    op.code = line[9];
    op.rubrique = line.substr(10, rs[0] - 10);
    op.objet = line.substr(rs[0] + 1, rs[1] - rs[0] - 1);
    op.montant = readAmountField(line.substr(rs[1] + 1, rs[2] - rs[1] - 1));
    op.tva = readAmountField(line.substr(rs[2] + 1, rs[3] - rs[2] - 1));
    op.numero = line.substr(rs[3] + 1);
    return op;
}

std::wstring FormeYzo(const Operation& op) {
    std::wstring s = FormatDate(op.date);
    s += op.flag;
    s += op.code;
    s += op.rubrique;
    s += RS;
    s += op.objet;
    s += RS;
    s += Forme_montant(op.montant);
    s += RS;
    s += Forme_montant(op.tva);
    s += RS;
    s += op.numero;
    return s;
}

bool isPensionLine(const std::wstring& line) {
    return line.size() >= 10 && (line[9] == L'T' || line[9] == L'P');
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
