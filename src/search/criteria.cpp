// The criteria search: the user ticks fields in a list, gives a value for
// each, and the ledger shows only the operations that match them all
// (display mode 4) within a date range.
#include "app/errors.h"
#include "app/mainform.h"

namespace {
// The date of the account's last operation line (the start date when it has none).
Date lastOperationDate(const AccountsState& acc) {
    for (long i = acc.operationCount(); i >= 1; --i) {
        try {
            return readDateField(acc.operationLines[i].text.substr(0, 8));
        } catch (const YzoError&) {
            // a malformed line has no date: the one before it gives the end
        }
    }
    return acc.header.startDate;
}

std::wstring lastOperationLine(const AccountsState& acc) {
    return acc.operationCount() > 0 ? acc.operationLines.back().text : acc.header.startDateText;
}
}  // namespace

void MainForm::CritereRecherche() {
    if (describeKey(L"Affichage sur critère de recherche")) return;
    // The rows are built from the account's own lines, not from a text view.
    if (displayMode() == DisplayMode::Text || displayMode() == DisplayMode::Report) InitYzo();
    if (!app.normalMode) InitYzo();  // one dialog at a time: the one on screen is left
    entryButtons();
    ent.modes.criteriaList = true;
    w.txt.show(false);
    srch.rowType.fill(0);
    srch.rowSelected.fill(false);
    Control& l = w.ListeRec;
    l.show();
    l.clearItems();
    const AccountHeader& h = acc.header;
    FormatSettings settings = formatSettings();
    l.addItem(L"Critères de recherche");
    auto row = [&](const std::wstring& text, int type) {
        l.addItem(text);
        srch.rowType[l.items.size() - 1] = type;
    };
    row(L"date de début " + ligne_dateReduit(h.startDateText, settings), kFieldDate);
    row(L"date de fin " + ligne_dateReduit(lastOperationLine(acc), settings), kFieldDate);
    if (h.accountType == kAccountBankCode) row(L"enregistrement", kFieldFlag);
    else if (h.accountType == kAccountMarked) row(L"repère", kFieldFlag);
    if (h.accountType < kAccountReceipts) row(L"rubrique", kFieldRubrique);
    row(L"objet", kFieldObjet);
    row(L"montant", kFieldMontant);
    if (h.hasTva) row(L"T V A", kFieldTva);
    row(L"numèro", kFieldNumero);
    srch.rowCount = static_cast<int>(l.items.size()) - 1;
    w.focus = L"ListeRec";
    l.selected = 1;
}

// Enter ticks or unticks a row; Esc gives the search up.
void MainForm::ListeRec_KeyDown(const KeyEvent& key) {
    Control& l = w.ListeRec;
    if (key.code == kKeyEscape) {
        InitYzo();
    } else if (key.code == kKeyEnter && l.selected >= 1 && l.selected < static_cast<int>(l.checked.size())) {
        l.checked[l.selected] = !l.checked[l.selected];
        if (ent.modes.importList) importItemCheck(l.selected);
        else if (l.checked[l.selected]) message(L"sélectionné");
    }
}

// Moving onto a ticked row says so (the review's rows say their state themselves).
void MainForm::ListeRec_Click() {
    if (ent.modes.importList) return;
    const Control& l = w.ListeRec;
    if (l.selected >= 1 && l.selected < static_cast<int>(l.checked.size()) && l.checked[l.selected])
        message(L"sélectionné");
}

void MainForm::ListeRec_ItemCheck(int item) {
    if (ent.modes.importList) return importItemCheck(item);
    const Control& l = w.ListeRec;
    if (item >= 1 && item < static_cast<int>(l.checked.size()) && l.checked[item]) message(L"sélectionné");
}

void MainForm::validationRecherche() {
    ent.modes.criteriaList = false;
    led.criteriaSearchRunning = true;
    w.CmdYzo.text = kCaptionOk;
    w.CmdYzo.show();
    w.CmdCreation.visible = false;
    // The fields that are not asked keep the values of the line under the caret.
    if (led.displayCount() > 0) {
        NumeroAffiche();
        try {
            acc.parsed = convertit_ChaineYzo(led.storedLine(cursorIndex()));
            acc.work = acc.parsed;
        } catch (const YzoError&) {
            acc.work = ent.blank;
        }
    } else {
        acc.work = ent.blank;
    }
    srch.from = acc.header.startDate;
    srch.to = lastOperationDate(acc);
    Control& l = w.ListeRec;
    for (int row = 1; row <= srch.rowCount; ++row)
        srch.rowSelected[row] = row < static_cast<int>(l.checked.size()) && l.checked[row];
    l.show(false);
    askCriteria(1);
}

void MainForm::askCriteria(int row) {
    for (; row <= srch.rowCount; ++row) {
        if (!srch.rowSelected[row]) continue;
        ent.accepted = false;
        switch (srch.rowType[row]) {
        case kFieldDate:
            if (row == 1) {
                DialDate(L"date de début");
                if (ent.accepted) srch.from = acc.work.date;
            } else {
                acc.work.date = lastOperationDate(acc);
                DialDate(L"date de fin");
                if (ent.accepted) srch.to = acc.work.date;
            }
            break;
        case kFieldFlag:
            dial_valider();  // goes on in SuiteRechercheValider
            return;
        case kFieldRubrique:
            dial_yzo(kFieldRubrique);
            if (w.Liste.visible) return;  // goes on in SuiteRechercheRubrique
            break;
        case kFieldObjet:
            dial_yzo(kFieldObjet);
            if (w.Liste.visible) return;  // goes on in SuiteRechercheObjet
            break;
        case kFieldMontant: dial_montant(); break;
        case kFieldTva: ent.accepted = EntreeMontantTva(); break;
        case kFieldNumero: dial_numero_recherche(); break;
        default: ent.accepted = true; break;
        }
        if (!ent.accepted) {
            // The whole search is given up (the amount entry has done it already).
            if (led.criteriaSearchRunning) InitYzo();
            return;
        }
    }
    showSearchResults();
}

void MainForm::showSearchResults() {
    srch.criterion = acc.work;
    displayMode() = DisplayMode::Criteria;
    w.txt.show();
    w.focus = L"txt";
    InitModeNormal();
    AfficheYzo();
}

namespace {
// The first row of a type, from row 3 on (0 when there is none).
int firstRowOf(const SearchState& s, int type) {
    for (int row = 3; row <= s.rowCount; ++row)
        if (s.rowType[row] == type) return row;
    return 0;
}
}  // namespace

void MainForm::SuiteRechercheValider() { askCriteria(4); }

void MainForm::SuiteRechercheRubrique() { askCriteria(firstRowOf(srch, kFieldRubrique) + 1); }

void MainForm::SuiteRechercheObjet() { askCriteria(firstRowOf(srch, kFieldObjet) + 1); }

bool MainForm::RechercheAfficheListe() {
    const Operation& op = acc.work;
    if (op.date < srch.from || op.date > srch.to) return false;
    const Operation& c = srch.criterion;
    for (int row = 3; row <= srch.rowCount; ++row) {
        if (!srch.rowSelected[row]) continue;
        bool holds = true;
        switch (srch.rowType[row]) {
        case kFieldFlag: holds = op.flag == c.flag && op.code != L'B'; break;
        case kFieldRubrique: holds = containsCriterion(op.rubrique, c.rubrique); break;
        case kFieldObjet: holds = containsCriterion(op.objet, c.objet); break;
        case kFieldMontant: holds = op.code != L'B' && op.montant == c.montant; break;
        case kFieldTva: holds = op.tva == c.tva; break;
        case kFieldNumero: holds = containsCriterion(op.numero, c.numero); break;
        default: break;
        }
        if (!holds) return false;
    }
    return true;
}

std::wstring MainForm::searchHeaderLine() {
    FormatSettings settings = formatSettings();
    std::wstring s = L"Recherche du " + ligne_dateReduit(FormatDate(srch.from), settings) + L" au " +
                     ligne_dateReduit(FormatDate(srch.to), settings);
    const Operation& c = srch.criterion;
    for (int row = 3; row <= srch.rowCount; ++row) {
        if (!srch.rowSelected[row]) continue;
        switch (srch.rowType[row]) {
        case kFieldFlag: s += L" " + formevalider(c.flag, acc.header.accountType); break;
        case kFieldRubrique: s += L" Rubrique " + trim(c.rubrique); break;
        case kFieldObjet: s += L" objet " + trim(c.objet); break;
        case kFieldMontant: s += L" montant " + Forme_montant(c.montant); break;
        case kFieldTva: s += L" tva " + Forme_montant(c.tva); break;
        case kFieldNumero: s += L" numero " + trim(c.numero); break;
        default: break;
        }
    }
    return s;
}
