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

void RangeOperation_compta(std::wstring line, const ComptaRange& range, bool detailed, ComptaAccount& account) {
    OperationView op = readOperation(line);
    if (op.date < range.from) return;
    if (range.to > 0 && op.date > range.to) return;
    // Summed before the line is kept: the operation's texts are views into it.
    addToBalance(op, BalanceRule::of(account.header), account.sums);
    if (detailed && op.code != L'P' && op.code != L'T') account.listed.push_back(std::move(line));
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
    if (h.accountType == kAccountBankCode) balance += s.bankAmount;
    r.partialBalance += balance;
    r.totalBalance += balance;
    r.partialTva += s.tvaSum;
    r.totalTva += s.tvaSum;
    if (!showsAsZero(s.cashBalance)) {
        r.text += imprime_solde(r, L"DU COMPTE EN ESPECES", s.cashBalance, false, 0);
        r.text += imprime_solde(r, L"DU COMPTE EN CHEQUES", s.nonCashBalance, false, 0);
    }
    r.text += imprime_solde(r, L"TOTAL DU COMPTE", balance, true, s.tvaSum);
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
