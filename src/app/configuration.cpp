// Adapting the menus to the current account.
#include <algorithm>

#include "app/mainform.h"

void MainForm::configuration() {
    init_vierge();
    const AccountHeader& h = acc.header;
    int type = h.accountType;
    bool flagged = type == kAccountBankCode || type == kAccountMarked;
    w.entry(L"MnuNonenregistrer").enabled = flagged;
    w.entry(L"MnuEnregistrerCours").enabled = flagged;
    w.entry(L"MnuEnregistrerColonne").enabled = flagged;
    if (type == kAccountBankCode) {
        w.entry(L"mnuRepererOperationItem").enabled = false;
        w.entry(L"mnuEnregistrerOperation").enabled = true;
        w.entry(L"mnuEnregistrerOperation").caption = L"Activer/Inactiver l'opération : / ou Maj Espace";
        w.entry(L"MnuEnregistrerCours").caption = L"Enregistrer en cours : E";
        w.entry(L"MnuEnregistrerColonne").caption = L"Enregistrement en colonne : Maj E";
    } else if (type == kAccountMarked) {
        w.entry(L"mnuRepererOperationItem").enabled = true;
        w.entry(L"mnuEnregistrerOperation").enabled = false;
        w.entry(L"mnuEnregistrerOperation").caption = L"Repèrer l'opération : *";
        w.entry(L"MnuEnregistrerCours").caption = L"repèrer en cours : E";
        w.entry(L"MnuEnregistrerColonne").caption = L"Repère en colonne : Maj E";
    } else {
        w.entry(L"mnuRepererOperationItem").enabled = false;
        w.entry(L"mnuEnregistrerOperation").enabled = false;
    }
    bool objetsOnly = type == kAccountReceipts || type == kAccountExpenses;
    w.entry(L"mnuAfficheObjet").enabled = objetsOnly;
    w.entry(L"mnuAfficheRubriqueOperation").enabled = !objetsOnly;
    w.entry(L"mnuAfficheRubriquePension").enabled = !objetsOnly;
    w.entry(L"MnuRubriqueCours").enabled = !objetsOnly;
    w.entry(L"MnuRubriqueColonne").enabled = !objetsOnly;
    for (const wchar_t* name : {L"mnuAfficheTvaItem", L"MnuTvaCoursItem", L"MnuTvaColonne"})
        w.entry(name).enabled = h.hasTva;
    w.entry(L"mnuConvertirEuroItem").enabled = h.unitCode != kUnitEuros;
    w.entry(L"mnuAutreUniteItem").enabled = h.unitCode == kUnitFrancs || h.unitCode == kUnitEuros;
}

namespace {
// The rows of the unit choice list, after its title.
enum UnitRow {
    kRowOtherUnit = 1,  // "Entrée d'une autre unité": a name typed in
    kRowEuros = 2,      // "EUROS"
    kRowFrancs = 3,     // "FRANCS"
    kRowNoUnit = 4,     // "SANS UNITE"
};

bool launchCountAccepted(const std::wstring& text) {
    std::wstring t = trim(text);
    if (t.empty() || t.size() > 2) return false;
    for (wchar_t c : t)
        if (c < L'0' || c > L'9') return false;
    int n = std::stoi(t);
    return n >= 1 && n <= kMaxSlots;
}
}  // namespace

bool MainForm::optionsMenu(const std::wstring& name) {
    static const wchar_t* const handled[] = {L"mnuDossierStockage",  L"mnuModifConfiguration",
                                             L"mnuEnTableau",        L"mnuEntreeDebutSolde",
                                             L"mnuNomJour",          L"mnuNomMois",
                                             L"mnuDeuxFichiersItem", L"mnuIncrementationNumero",
                                             L"mnuNumeroSurCheque"};
    if (std::find(std::begin(handled), std::end(handled), name) == std::end(handled)) return false;
    if (describeKey(w.entry(name).caption)) return true;
    auto& c = app.config;
    auto toggle = [&](int line) {
        MenuEntry& m = w.entry(name);
        m.checked = !m.checked;
        c[line] = m.checked ? L"1" : L"0";
        return m.checked;
    };
    if (name == L"mnuDossierStockage") {
        RangeDossierStockage();
    } else if (name == L"mnuModifConfiguration") {
        modifConfiguration();
    } else if (name == L"mnuEnTableau") {
        c[kIniDisplayStyle] = trim(c[kIniDisplayStyle]) == L"en tableau" ? L"compacté" : L"en tableau";
        w.entry(name).caption = L"Affichage en tableau/compactée: " + c[kIniDisplayStyle];
        message(c[kIniDisplayStyle]);
        AfficheYzo();
    } else if (name == L"mnuEntreeDebutSolde") {
        AccountHeader& h = acc.table[acc.currentDoc];
        acc.work.date = h.startDate;
        DialDate(L"date de début du calcul des soldes");
        if (ent.accepted) {
            h.startDate = acc.work.date;
            h.startDateText = FormatDate(h.startDate);
            markModified();
            AfficheYzo();
        }
    } else if (name == L"mnuNomJour") {
        message(toggle(kIniDayNames) ? L"avec nom du jour" : L"Sans nom du jour");
        AfficheYzo();
    } else if (name == L"mnuNomMois") {
        message(toggle(kIniMonthNames) ? L"avec nom du mois" : L"Sans nom du mois");
        AfficheYzo();
    } else if (name == L"mnuDeuxFichiersItem") {
        std::wstring answer = inputBox(L"Nombre De fichier à ouvrir au lancement", c[kIniLaunchCount]);
        if (answer.empty()) return true;
        if (!launchCountAccepted(answer)) {
            msgBox(L"le nombre doit être compris entre 1 et 15");
            return true;
        }
        c[kIniLaunchCount] = answer;
        message(L"avec " + answer + L" fichiers au lancement");
        w.entry(name).caption = L"Nombre de fichier à ouvrir au lancement : " + answer;
    } else if (name == L"mnuIncrementationNumero") {
        toggle(kIniIncrementOnCheque);
    } else if (name == L"mnuNumeroSurCheque") {
        toggle(kIniNumeroOnCheque);
    }
    return true;
}

void MainForm::modifConfiguration() {
    if (!app.normalMode) InitYzo();  // one dialog at a time: the one on screen is left
    entryButtons();
    ent.config = acc.table[acc.currentDoc];
    AccountHeader& h = ent.config;
    std::wstring title = inputLineText(L"titre", h.title);
    if (title.empty()) {
        InitYzo();
        return;
    }
    h.title = title;
    acc.work.date = h.startDate;
    DialDate(L"date de début du calcul des soldes");
    if (ent.accepted) {
        h.startDate = acc.work.date;
        h.startDateText = FormatDate(h.startDate);
    }
    w.txt.show(false);
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    w.focus = L"Liste";
    ent.typeAhead.clear();
    l.addItem(L"Choix du type de compte sur " + trim(h.title));
    for (const wchar_t* caption : {L"Recette/Dépense avec code banque", L"Recette/Dépense avec repère",
                                   L"Recette/Dépense", L"Recettes", L"Dépenses"})
        l.addItem(caption);
    bool known = h.accountType >= kAccountBankCode && h.accountType <= kAccountExpenses;
    l.selected = known ? h.accountType : kAccountBankCode;
    ent.modes.accountTypeChoice = true;
}

// Asks until the answer can go into the header line; empty when cancelled.
std::wstring MainForm::askHeaderField(const std::wstring& prompt, const std::wstring& current) {
    for (;;) {
        std::wstring answer = trim(inputBox(prompt, current));
        if (!answer.empty() && !fitsInLine(answer)) {
            msgBox(L"caractère interdit dans " + prompt);
            continue;
        }
        std::wstring refusal = unwritableLetterRefusal(answer);
        if (refusal.empty()) return answer;
        msgBox(refusal);
    }
}

void MainForm::validationCompte() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected > 5) {
        platform.Beep();
        return;
    }
    AccountHeader& h = ent.config;
    h.accountType = l.selected;
    if (h.accountType == kAccountReceipts || h.accountType == kAccountExpenses) {
        std::wstring name = askHeaderField(L"Nom de la liste des objets standards", h.objetListName);
        if (name.empty()) {
            InitYzo();
            return;
        }
        if (name.find(L'.') == std::wstring::npos) name += L".obj";
        h.objetListName = name;
    }
    ent.modes.accountTypeChoice = false;
    ent.typeAhead.clear();
    l.clearItems();
    l.addItem(L"Liste des unités sur " + h.title);
    for (const wchar_t* unit : {L"Entrée d'une autre unité", L"EUROS", L"FRANCS", L"SANS UNITE"}) l.addItem(unit);
    l.selected = kRowEuros;
    l.show();
    w.focus = L"Liste";
    ent.modes.unitChoice = true;
}

void MainForm::validationUnite() {
    Control& l = w.Liste;
    if (l.selected < kRowOtherUnit || l.selected > kRowNoUnit) {
        platform.Beep();
        return;
    }
    AccountHeader& h = ent.config;
    const bool wasEuros = h.unitCode == kUnitEuros;
    const bool hasOperations = acc.operationCount() > 0;
    std::wstring question;
    switch (l.selected) {
    case kRowOtherUnit: {
        std::wstring unit = askHeaderField(L"unité", h.unitName);
        if (unit.empty()) {
            InitYzo();
            return;
        }
        h.unitName = unit;
        h.unitCode = kUnitOther;
        h.otherUnitName.clear();
        break;
    }
    case kRowEuros:
        h.unitName = L"EUROS";
        h.unitCode = kUnitEuros;
        h.otherUnitName = L"FRANCS";
        if (!wasEuros && hasOperations) question = L"Convertir en euro";
        break;
    case kRowFrancs:
        h.unitName = L"FRANCS";
        h.unitCode = kUnitFrancs;
        h.otherUnitName = L"EUROS";
        if (wasEuros && hasOperations) question = L"Convertir en franc";
        break;
    default:
        h.unitName.clear();
        h.otherUnitName.clear();
        h.unitCode = kUnitOther;
        break;
    }
    if (!question.empty() && ask(question, MsgButtons::YesNo) != MsgResult::Yes) {
        InitYzo();
        return;
    }
    if (h.accountType >= kAccountPlain) {
        MsgResult tva = ask(L"avec une colonne du montant de la t V a", MsgButtons::YesNoCancel);
        if (tva == MsgResult::Cancel) {
            InitYzo();
            return;
        }
        h.hasTva = tva == MsgResult::Yes;
    }
    ent.modes.unitChoice = false;
    if (!question.empty()) {
        // The lines are counted by the account's new type, start date and TVA.
        acc.header = h;
        if (wasEuros) convertir_franc(h);
        else convertir_euro(h);
    }
    acc.table[acc.currentDoc] = h;
    acc.header = h;
    markModified();
    configuration();
    InitYzo();
}
