// The other unit: amounts and balances spoken in the other of francs and
// euros, and the conversion of a whole account.
#include <utility>

#include "app/errors.h"
#include "app/mainform.h"
#include "currency/currency.h"

void MainForm::MontantCoursAutreUnite() {
    if (describeKey(L"Montant en cours dans l'autre unité")) return;
    if (!InitNumeroCours(kColumnMontant)) {
        sayNotAnOperation();
        return;
    }
    int unit = acc.header.unitCode;
    if (unit == kUnitFrancs) message(Forme_montant(r_franc_euro(acc.work.montant)));
    else if (unit == kUnitEuros) message(Forme_montant(r_euro_franc(acc.work.montant)));
    else ParlerColonne();
}

void MainForm::MessageSoldeAutreUnite() {
    if (describeKey(L"Solde suivant le mode d'affichage dans l'autre unité")) return;
    const Totals& t = led.totals;
    if (acc.header.unitCode == kUnitFrancs || acc.header.unitCode == kUnitEuros) {
        // A blank between the mode and the amount, as the balance in the account's unit is said.
        message(L"solde " + ligne_modeaffichage(led.shownMode) + L" " + parler_moins(t.otherUnitBalance) +
                acc.header.otherUnitName);
    } else {
        message(t.balanceText);
    }
}

void MainForm::mnuAutreUnite() {
    MenuEntry& m = w.entry(L"mnuAutreUniteItem");
    if (describeKey(m.caption)) return;
    m.checked = !m.checked;
    app.config[kIniOtherUnit] = m.checked ? L"1" : L"0";
    AfficheYzo();
}

void MainForm::mnuConvertirEuro() {
    if (describeKey(w.entry(L"mnuConvertirEuroItem").caption)) return;
    AccountHeader& h = acc.table[acc.currentDoc];
    if (h.unitCode == kUnitEuros) return;
    if (ask(L"Convertir en euro", MsgButtons::YesNo) != MsgResult::Yes) return;
    acc.header = h;
    convertir_euro(h);
    acc.header = h;
    markModified();
    configuration();
    AfficheYzo();
}

namespace {
using Convert = double (*)(double);

// Converts the amount and the TVA amount of each line in place; a line that
// cannot be read is reported and left as it is.
void convertLines(MainForm& f, std::vector<LineEntry>& lines, Convert convert, const wchar_t* procedure) {
    for (size_t i = 1; i < lines.size(); ++i) {
        try {
            Operation op = convertit_ChaineYzo(lines[i].text);
            op.montant = convert(op.montant);
            op.tva = convert(op.tva);
            lines[i].text = FormeYzo(op);
        } catch (const std::exception& e) {
            f.reportError(e, procedure);
        }
    }
}
}  // namespace

// Amounts go to euros line by line, each rounded to the cent; the rounded
// amounts need not add up to the converted balance, so one operation makes
// up the difference. It carries no TVA amount: the TVA amounts are
// converted with their lines and have no balance to keep.
void MainForm::convertir_euro(AccountHeader& header) {
    convertLines(*this, acc.pensionLines, r_franc_euro, L"convertir_euro");
    displayMode() = DisplayMode::Operations;
    acc.header = header;
    const int type = header.accountType;
    Totals saved = std::move(led.totals);
    Totals francs, euros;
    Date lastDate = today();
    for (size_t i = 1; i < acc.operationLines.size(); ++i) {
        try {
            acc.parsed = convertit_ChaineYzo(acc.operationLines[i].text);
        } catch (const std::exception& e) {
            reportError(e, L"convertir_euro");
            continue;
        }
        lastDate = acc.parsed.date;
        double amount = 0;
        std::swap(led.totals, francs);
        DepenseRecetteSolde(amount, 0);
        std::swap(led.totals, francs);
        acc.parsed.montant = r_franc_euro(acc.parsed.montant);
        acc.parsed.tva = r_franc_euro(acc.parsed.tva);
        std::swap(led.totals, euros);
        DepenseRecetteSolde(amount, 0);
        std::swap(led.totals, euros);
        acc.operationLines[i].text = FormeYzo(acc.parsed);
    }
    led.totals = std::move(saved);
    double francBalance = francs.balance, euroBalance = euros.balance, tvaSum = euros.tvaSum;
    if (type == kAccountBankCode) {
        francBalance += francs.bankAmount;
        euroBalance += euros.bankAmount;
    }
    arrondi(euroBalance);
    arrondi(tvaSum);
    const double converted = r_franc_euro(francBalance);
    double difference = converted - euroBalance;
    arrondi(difference);
    if (difference != 0) {
        Operation op;
        op.date = lastDate;
        op.flag = L' ';
        op.code = type == kAccountReceipts ? L'R' : L'D';
        bool fits = !(type == kAccountExpenses && difference > 0) && !(type == kAccountReceipts && difference < 0);
        if (fits) {
            op.montant = difference;
            op.code = difference > 0 ? L'R' : L'D';
            op.objet = L"Conversion franc-euro";
            euroBalance += difference;
        } else {
            op.objet = L"Solde avec conversion de l'ancien solde en euro " + Forme_montant(converted) + L" EUROS " +
                       Forme_montant(francBalance) + L" FRANCS";
        }
        acc.work = op;
        insertionYzo(acc.operationCount() + 1);
    }
    header.unitName = L"EUROS";
    header.unitCode = kUnitEuros;
    header.otherUnitName = L"FRANCS";
    arrondi(euroBalance);
    header.lastBalance = euroBalance;
    header.tvaTotal = tvaSum;
    acc.header = header;
}

void MainForm::convertir_franc(AccountHeader& header) {
    convertLines(*this, acc.pensionLines, r_euro_franc, L"convertir_franc");
    convertLines(*this, acc.operationLines, r_euro_franc, L"convertir_franc");
    header.unitName = L"FRANCS";
    header.unitCode = kUnitFrancs;
    header.otherUnitName = L"EUROS";
    header.lastBalance = r_euro_franc(header.lastBalance);
    header.tvaTotal = r_euro_franc(header.tvaTotal);
    acc.header = header;
}

bool MainForm::currencyMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"MnuMontantCoursAutreUniteItem", &MainForm::MontantCoursAutreUnite},
        {L"MnuSoldeAutreUniteItem", &MainForm::MessageSoldeAutreUnite},
        {L"mnuAutreUniteItem", &MainForm::mnuAutreUnite},
        {L"mnuConvertirEuroItem", &MainForm::mnuConvertirEuro},
    };
    return runMenuTable(actions, name);
}
