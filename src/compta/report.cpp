// The text of the accounting report: its header, the part of each account,
// the balance lines and the totals.
#include <cstdio>

#include "account/paths.h"
#include "compta/compta.h"
#include "print/print.h"

namespace {
const std::wstring kLineEnd = L"\r\n";
constexpr int kWidth = 80;

std::wstring twoDigits(long n) {
    wchar_t buffer[8];
    std::swprintf(buffer, 8, L"%02ld", n);
    return buffer;
}

// An amount that shows as 0 (a sum of cents may miss zero by a hair) is 0.
bool showsAsZero(double amount) {
    arrondi(amount);
    return amount == 0;
}
}  // namespace

void debutRapport(ComptaReport& r, Date today, long seconds, const FormatSettings& settings) {
    r.text = L" Le " + ligne_dateComplet(FormatDate(today), settings) + L" à " + twoDigits(seconds / 3600 % 24) +
             L" H " + twoDigits(seconds / 60 % 60) + kLineEnd;
    std::wstring title = L"LISTE DE TOUTES LES OPERATIONS";
    if (!r.allDates)
        title = L"LISTE DES OPERATIONS  ENTRE LE " + ligne_dateComplet(FormatDate(r.range.from), settings) +
                L" ET LE " + ligne_dateComplet(FormatDate(r.range.to), settings);
    r.text += centre(title, kWidth) + kLineEnd;
    r.firstAccount = true;
    r.firstUnit.clear();
    r.lastUnit.clear();
    r.unitsInconsistent = false;
    r.hasTva = false;
    r.partialBalance = r.partialTva = r.totalBalance = r.totalTva = 0;
}

ComptaRange rangeOf(const ComptaReport& report, const AccountHeader& header) {
    if (report.allDates) return {header.startDate, 0};
    return report.range;
}

void addToSums(const Operation& op, const AccountHeader& header, AccountSums& sums) {
    if (op.date < header.startDate) return;
    if (header.accountType == 1) {
        // The bank line holds what the bank has registered: the last one gives it.
        if (op.code == L'B') sums.bank = op.montant;
        if (op.flag == L'/') return;
    }
    if (op.code == L'B') return;
    sums.balance += op.montant;
    if (header.hasTva) sums.tva += op.tva;
    if (upperCase(trim(op.numero)) == L"ES") sums.cash += op.montant;
    else sums.nonCash += op.montant;
}

void RangeOperation_compta(std::wstring line, const ComptaRange& range, bool detailed, ComptaAccount& account) {
    Operation op = convertit_ChaineYzo(line);
    if (op.date < range.from) return;
    if (range.to > 0 && op.date > range.to) return;
    if (detailed && op.code != L'P' && op.code != L'T') account.listed.push_back(std::move(line));
    addToSums(op, account.header, account.sums);
}

std::wstring texteInconnu(const NomCompte& name) {
    std::wstring text = L"Fichier " + name.written + L" inconnu";
    for (size_t k = 0; k < name.candidates.size(); ++k) {
        text += k == 0 ? L", cherché dans " : k + 1 == name.candidates.size() ? L" et " : L", ";
        text += folderOf(name.candidates[k]);
    }
    return text;
}

void compteInconnu(ComptaReport& report, const std::wstring& text) { report.text += text + kLineEnd; }

bool uniteDifferente(const ComptaReport& report, const AccountHeader& header) {
    return !report.firstAccount && upperCase(header.unitName) != upperCase(report.firstUnit);
}

void ajouteCompte(ComptaReport& r, const ComptaAccount& account) {
    const AccountHeader& h = account.header;
    const AccountSums& s = account.sums;
    if (h.hasTva) r.hasTva = true;
    r.text += kLineEnd;
    if (uniteDifferente(r, h)) {
        r.text += kUniteDifferente + kLineEnd;
        r.unitsInconsistent = true;
    }
    if (r.firstAccount) {
        r.firstUnit = h.unitName;
        r.firstAccount = false;
    }
    r.lastUnit = h.unitName;
    r.text += centre(h.title, kWidth) + kLineEnd + std::wstring(kWidth, L'-') + kLineEnd;
    if (r.detailed) appendTableOfLines(r.text, account.listed, TableSettings{h.accountType, h.hasTva, true});
    double balance = s.balance;
    if (h.accountType == 1) balance += s.bank;
    r.partialBalance += balance;
    r.totalBalance += balance;
    r.partialTva += s.tva;
    r.totalTva += s.tva;
    if (!showsAsZero(s.cash)) {
        r.text += imprime_solde(r, L"DU COMPTE EN ESPECES", s.cash, false, 0);
        r.text += imprime_solde(r, L"DU COMPTE EN CHEQUES", s.nonCash, false, 0);
    }
    r.text += imprime_solde(r, L"TOTAL DU COMPTE", balance, true, s.tva);
}

std::wstring imprime_solde(const ComptaReport& report, const std::wstring& label, double amount, bool withTva,
                           double tva) {
    std::wstring line = L"SOLDE " + label + L" : " + Forme_montant(amount) + L" " + report.lastUnit;
    if (withTva && report.hasTva) line += L" TVA : " + Forme_montant(tva) + L" " + report.lastUnit;
    return centre(line, kWidth) + kLineEnd;
}

void fin_cumul(ComptaReport& report, const std::wstring& label, double balance, double tva) {
    if (report.unitsInconsistent) report.text += kUnitesIncoherentes + kLineEnd;
    else report.text += imprime_solde(report, label, balance, true, tva);
}
