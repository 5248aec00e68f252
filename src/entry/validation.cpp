// The rules of each field: date, rubrique, objet, amount, TVA, numéro, and the
// column under the cursor.
#include <cmath>

#include "account/paths.h"
#include "app/mainform.h"
#include "entry/rules.h"
#include "lists/lists.h"

void MainForm::validationdate() {
    Date date = 0;
    if (!parseEntryDate(w.txtDate.text, today(), date)) {
        message(L"date invalide");
        return;
    }
    acc.work.date = date;
    w.txtDate.show(false);
    w.LblDial.show(false);
    showLedger();
    if (ent.columnModification) {
        ent.columnModification = false;
        moveCurrentLine();
        markModified();
        InitModeNormal();
        AfficheYzo();
    } else if (ent.creationInProgress) {
        ent.creationDate = date;
        ent.creationInProgress = false;
        int type = acc.header.accountType;
        if (type >= kAccountBankCode && type <= kAccountPlain) dial_yzo(kColumnRubrique);
        else dial_yzo(kColumnObjet);
    }
}

void MainForm::DialDate(const std::wstring& prompt) {
    ent.accepted = false;
    const std::wstring offered = dayMonthYear(acc.work.date);
    for (;;) {
        std::wstring answer = inputBox(prompt, offered);
        if (answer.empty()) return;
        Date date = 0;
        if (parseEntryDate(answer, today(), date)) {
            acc.work.date = date;
            ent.accepted = true;
            return;
        }
        message(L"date invalide");
    }
}

void MainForm::validationRubrique() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected >= static_cast<int>(l.items.size())) return;
    const std::wstring item = l.items[l.selected];
    int width = entryListWidth(lst.nameWidth);
    wchar_t code = static_cast<int>(item.size()) > width + 1 ? item[width + 1] : L' ';
    acc.work.code = code;
    if (code == L'B') {
        acc.work.rubrique = L"Banque";
    } else if (l.selected > lst.specialCount) {
        acc.work.rubrique = trim(item.substr(0, width));
    } else {
        acc.work.rubrique = trim(inputLineText(L"Rubrique", acc.work.rubrique));
    }
    ent.modes.rubriqueChoice = false;
    if (ent.columnModification) {
        if (code != acc.parsed.code) negateAmounts(acc.work);
        replaceCurrentLine();
        markModified();
        l.show(false);
        showLedger();
        InitYzo();
    } else if (searchRunning()) {
        acc.work.rubrique = upperCase(acc.work.rubrique);
        l.show(false);
        showLedger();
        suiteRecherche(kFieldRubrique);
    } else {
        lst.objetFilePath = findListFile(app.programFolder, trim(acc.work.rubrique) + L".obj");
        if (code == L'B' || lst.objetFilePath.empty()) {
            l.show(false);
            showLedger();
            if (code == L'B') {
                acc.work.flag = L'/';
                dial_montant();
            } else {
                dial_objet();
            }
        } else {
            ent.typeAhead.clear();
            ent.modes.objetStep = true;
            AfficheObjet();
        }
    }
}

bool MainForm::Test_NomObjet() {
    int type = acc.header.accountType;
    if (type == kAccountReceipts || type == kAccountExpenses) {
        std::wstring name = trim(acc.header.objetListName);
        lst.objetFilePath = name.empty() ? L"" : findListFile(app.programFolder, name);
    } else {
        lst.objetFilePath = findListFile(app.programFolder, trim(acc.work.rubrique) + L".OBJ");
    }
    return !lst.objetFilePath.empty();
}

void MainForm::dial_objet() {
    ent.modes.objetStep = true;
    w.txt.show(false);
    w.LblDial.text = L"Objet : ";
    w.LblDial.show();
    w.txtDial.show();
    w.txtDial.setText(acc.work.objet);
    w.focus = L"txtDial";
}

bool MainForm::askAmount(const std::wstring& prompt, double current, bool allowMinus, double& value,
                         std::wstring& status) {
    const std::wstring offered = Forme_montant(current);
    for (;;) {
        std::wstring answer = inputBox(prompt, offered);
        if (answer.empty()) return false;
        AmountAnswer r = readAmountAnswer(answer, acc.header.unitCode, acc.header.unitName, allowMinus);
        if (r.ok) {
            value = r.value;
            status = r.status;
            return true;
        }
        msgBox(r.refusal);
    }
}

void MainForm::dial_montant() {
    Operation& op = acc.work;
    bool search = searchRunning();
    bool bankLine = op.code == L'B';
    double value = 0;
    std::wstring status;
    if (!askAmount(L"montant", bankLine ? op.montant : std::fabs(op.montant), bankLine || search, value, status)) {
        InitYzo();
        return;
    }
    message(status);
    if (!search && (op.code == L'T' || op.code == L'D')) value = -value;
    op.montant = withoutMinusZero(value);
    if (search || ent.columnModification) {
        // The criteria search and the column modification take the work operation from here.
        ent.accepted = true;
    } else if (bankLine) {
        op.objet = L"Banque";
        op.numero.clear();
        ent.accepted = true;
        storeOperation();
        InitModeNormal();
        AfficheYzo();
    } else if (acc.header.hasTva) {
        dial_Tva();
    } else {
        dial_numero();
    }
}

void MainForm::dial_Tva() {
    ent.modes.tvaChoice = true;
    w.txt.show(false);
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    w.focus = L"Liste";
    l.addItem(L"Liste des T V A Standards");
    l.addItem(L"Entrée d'un autre montant de T V A");
    l.selected = 1;
    try {
        std::vector<std::wstring> rates = readListFile(app.pathTva);
        for (const std::wstring& rate : rates) l.addItem(rate);
        if (!rates.empty()) l.selected = 2;
    } catch (const std::exception& e) {
        reportError(e, L"dial_Tva");
    }
}

void MainForm::validationTva() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected >= static_cast<int>(l.items.size())) {
        platform.Beep();
        return;
    }
    if (l.selected == 1) {
        if (!EntreeMontantTva()) {
            InitYzo();
            return;
        }
    } else {
        double tva = tvaRateValue(l.items[l.selected]) * acc.work.montant / 100;
        arrondi(tva);
        acc.work.tva = withoutMinusZero(tva);
    }
    l.show(false);
    ent.modes.tvaChoice = false;
    showLedger();
    if (ent.columnModification) {
        finishColumnModification();
        InitYzo();
    } else if (!searchRunning()) {
        dial_numero();
    }
}

bool MainForm::EntreeMontantTva() {
    bool search = searchRunning();
    double value = 0;
    std::wstring status;
    if (!askAmount(L"Montant de la T V A", std::fabs(acc.work.tva), search, value, status)) return false;
    message(status);
    if (!search && acc.work.code == L'D') value = -value;
    acc.work.tva = withoutMinusZero(value);
    if (search) ent.accepted = true;  // the criteria search takes the work operation from here once it exists
    return true;
}

void MainForm::dial_numero() {
    bool pensions = displayMode() == DisplayMode::Pensions;
    bool cheque = isChequeRubrique(acc.work.rubrique);
    if (!pensions && !ent.columnModification && option(kIniNumeroOnCheque) && !cheque) {
        AjoutOperation();
        markModified();
        InitYzo();
        return;
    }
    ent.numberStep = true;
    w.txt.show(false);
    if (trim(acc.work.numero).empty() && !pensions && !ent.columnModification &&
        !(option(kIniIncrementOnCheque) && !cheque))
        acc.work.numero = FUTURNUMERO();
    w.LblDial.text = pensions ? L"Mensualité : " : L"numéro : ";
    w.LblDial.show();
    w.txtDial.show();
    w.txtDial.setText(acc.work.numero);
    w.focus = L"txtDial";
}

std::wstring MainForm::FUTURNUMERO() { return nextNumber(dernierNUMERO()); }

bool MainForm::positionNom_rub(long index) {
    if (index < 1 || index > led.displayCount()) return false;
    const std::array<int16_t, 8> start = led.columnStarts(index);
    long x = WhereX();
    int type = acc.header.accountType;
    int& column = led.currentColumn[acc.currentDoc];
    auto within = [&](int from, int to) { return from > 0 && x >= from && x <= to; };
    // The start of the first field after a given column that the line shows.
    auto nextStart = [&](int k) {
        for (int j = k; j <= 7; ++j)
            if (start[j] > 0) return static_cast<int>(start[j]);
        return 0;
    };
    bool noRubrique = type == kAccountReceipts || type == kAccountExpenses;
    int afterDate = start[1] > 0 ? start[1] : (noRubrique ? nextStart(3) : nextStart(2));
    int afterMontant = start[5] > 0 ? start[5] : start[6];
    if (x >= 1 && x <= afterDate - 2) column = kColumnDate;
    else if (within(start[1], start[1] + 1)) column = kColumnFlag;
    else if (within(start[2], nextStart(3) - 2)) column = kColumnRubrique;
    else if (within(start[3], start[4] - 2)) column = kColumnObjet;
    else if (within(start[4], afterMontant - 2)) column = kColumnMontant;
    else if (within(start[5], start[6] - 2)) {
        if (acc.header.hasTva) column = kColumnTva;
        else platform.Beep();
    } else if (within(start[6], start[7])) column = kColumnNumero;
    else {
        message(L"entre 2 colonnes");
        return false;
    }
    return true;
}
