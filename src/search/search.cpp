// The cursor search: the next or previous operation whose value in the
// column under the caret matches the value the user gives.
#include <cwctype>

#include "app/errors.h"
#include "app/mainform.h"

namespace {
// One character as upperCase writes it.
wchar_t upperChar(wchar_t c) {
    if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c;
    c = static_cast<wchar_t>(std::towupper(c));
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
    if (c == 0x153) return 0x152;
    if (c == 0xFF) return 0x178;
    return c;
}

// The bounds of a text without its blanks at both ends.
void trimmedBounds(const std::wstring& text, size_t& first, size_t& end) {
    first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        first = end = 0;
        return;
    }
    end = text.find_last_not_of(L' ') + 1;
}
}  // namespace

bool containsCriterion(const std::wstring& operationText, const std::wstring& criterionText) {
    // Only the operation's side is put in upper case: the entries give the
    // criterion in upper case already, as the user chose it. Compared in place,
    // since a search tests every line of the account.
    size_t cFirst = 0, cEnd = 0, oFirst = 0, oEnd = 0;
    trimmedBounds(criterionText, cFirst, cEnd);
    trimmedBounds(operationText, oFirst, oEnd);
    size_t n = cEnd - cFirst;
    if (n == 0) return true;
    for (size_t i = oFirst; i + n <= oEnd; ++i) {
        size_t j = 0;
        while (j < n && upperChar(operationText[i + j]) == criterionText[cFirst + j]) ++j;
        if (j == n) return true;
    }
    return false;
}

bool matchesColumn(const Operation& op, const Operation& criterion, int column) {
    switch (column) {
    case kFieldDate: return op.date == criterion.date;
    case kFieldFlag: return op.flag == criterion.flag && op.code != L'B';
    case kFieldRubrique: return containsCriterion(op.rubrique, criterion.rubrique);
    case kFieldObjet: return containsCriterion(op.objet, criterion.objet);
    case kFieldMontant: return op.montant == criterion.montant;
    case kFieldTva: return op.tva == criterion.tva;
    case kFieldNumero: return containsCriterion(op.numero, criterion.numero);
    default: return true;
    }
}

bool MainForm::searchMenu(const std::wstring& name) {
    static const MenuAction commands[] = {
        {L"mnuRechercherCurseurItem", &MainForm::mnuRechercherCurseurItem},
        {L"mnuRechercherArriereItem", &MainForm::AppelRechercherArriere},
        {L"mnuRechercherPrecedentItem", &MainForm::mnuRechercherPrecedentItem},
        {L"mnuRechercherSuivantItem", &MainForm::mnuRechercherSuivantItem},
        {L"MnuCritereRechercheItem", &MainForm::CritereRecherche},
        {L"MnuSelectionItem", &MainForm::SelectionOperation},
        {L"MnuSelectionToutItem", &MainForm::MnuSelectionToutItem},
        {L"MnuDeSelectionItem", &MainForm::DeselectionOperation},
        {L"MnuDeSelectionToutItem", &MainForm::MnuDeSelectionToutItem},
        {L"MnuCopieSelectionItem", &MainForm::MnuCopieSelectionItem},
        {L"MnuEffaceSelectionItem", &MainForm::MnuEffaceSelectionItem},
        {L"mnuEffaceBlocOperation", &MainForm::mnuEffaceBlocOperation},
        {L"MnuSommeItem", &MainForm::somme},
        {L"MnuRemiseZeroItem", &MainForm::RemiseZero},
        {L"MnuTotalCoursItem", &MainForm::TotalCours},
    };
    return runMenuTable(commands, name);
}

void MainForm::mnuRechercherCurseurItem() {
    if (describeKey(L"Rechercher depuis le curseur")) return;
    srch.forwardPending = true;
    if (!EntreeRecherche()) {
        srch.forwardPending = false;
        return;
    }
    // A choice list runs the search when it is validated.
    if (!w.Liste.visible) RechercherAvant();
}

void MainForm::AppelRechercherArriere() {
    if (describeKey(L"recherche en arrière depuis la position du curseur")) return;
    srch.backwardPending = true;
    if (!EntreeRecherche()) {
        srch.backwardPending = false;
        return;
    }
    if (!w.Liste.visible) RechercherArriere();
}

bool MainForm::EntreeRecherche() {
    long index = IndexAbsolu();
    if (isTextView(displayMode()) || !TestNumeroAffiche(index)) {
        message(L"mettez vous sur une opération");
        return false;
    }
    try {
        acc.parsed = convertit_ChaineYzo(led.storedLine(index));
    } catch (const YzoError&) {
        message(L"mettez vous sur une opération");  // a malformed line has no field to compare
        return false;
    }
    acc.work = acc.parsed;
    cursorIndex() = index;
    if (!positionNom_rub(index)) return false;
    int column = led.currentColumn[acc.currentDoc];
    srch.column = column;
    srch.criterion = acc.work;  // the value under the caret is the one offered
    ent.accepted = false;
    if (column == kFieldDate) DialDate(L"Date De recherche");
    else if (column == kFieldTva) ent.accepted = EntreeMontantTva();
    else dial_yzo(column);
    if (w.Liste.visible) return true;
    if (!ent.accepted) {
        // The search is given up (the amount entry has done it already).
        if (searchRunning()) InitYzo();
        return false;
    }
    srch.criterion = acc.work;
    return true;
}

void MainForm::dial_numero_recherche() {
    ent.accepted = false;
    bool pensions = displayMode() == DisplayMode::Pensions;
    std::wstring answer = inputBox(pensions ? L"Mensualité" : L"numéro", acc.work.numero);
    if (answer.empty()) return;
    acc.work.numero = upperCase(answer);
    srch.criterion = acc.work;
    ent.accepted = true;
}

void MainForm::suiteRecherche(int field) {
    srch.criterion = acc.work;
    if (srch.forwardPending) {
        RechercherAvant();
    } else if (srch.backwardPending) {
        RechercherArriere();
    } else if (led.criteriaSearchRunning) {
        if (field == kFieldFlag) SuiteRechercheValider();
        else if (field == kFieldRubrique) SuiteRechercheRubrique();
        else if (field == kFieldObjet) SuiteRechercheObjet();
    }
}

namespace {
// Whether display line k, parsed, matches the cursor search; a malformed line never does.
bool lineMatches(MainForm& f, long k) {
    try {
        f.acc.parsed = convertit_ChaineYzo(f.led.storedLine(k));
    } catch (const YzoError&) {
        return false;
    }
    return matchesColumn(f.acc.parsed, f.srch.criterion, f.srch.column);
}
}  // namespace

void MainForm::foundLine(long k) {
    acc.work = acc.parsed;
    cursorIndex() = k;
    SurNumero(k);  // puts the caret on the line and says it
}

void MainForm::RechercherAvant() {
    srch.forwardPending = false;
    // The line under the cursor itself is never tested.
    for (long k = cursorIndex() + 1; k <= led.displayCount(); ++k) {
        if (!lineMatches(*this, k)) continue;
        foundLine(k);
        return;
    }
    message(L"introuvable");
}

void MainForm::RechercherArriere() {
    srch.backwardPending = false;
    for (long k = std::min(cursorIndex(), led.displayCount() + 1) - 1; k >= 1; --k) {
        if (!lineMatches(*this, k)) continue;
        foundLine(k);
        return;
    }
    message(L"introuvable");
}

void MainForm::mnuRechercherPrecedentItem() {
    if (describeKey(L"recherche précédente")) return;
    if (isTextView(displayMode()) || led.displayCount() == 0) {
        message(L"mettez vous sur une opération");
        return;
    }
    NumeroAffiche();
    RechercherArriere();
}

void MainForm::mnuRechercherSuivantItem() {
    if (describeKey(L"recherche suivante")) return;
    if (isTextView(displayMode()) || led.displayCount() == 0) {
        message(L"mettez vous sur une opération");
        return;
    }
    NumeroAffiche();
    RechercherAvant();
}
