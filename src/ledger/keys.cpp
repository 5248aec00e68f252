// The keys of the ledger text box, and the ledger's menu commands.
//
// A handler that pages the window or puts the caret on a line does it through
// setText/setCaret, so that the text box does not move the caret a second time.
#include "app/mainform.h"

namespace {
bool isLetter(const KeyEvent& key, char letter) { return key.code == keyLetter(letter); }
}  // namespace

// Up and Down; with Shift the line is selected first. Selecting rewrites the
// text box, so the caret is then moved here rather than by the text box.
void MainForm::arrowKey(const KeyEvent& key) {
    unsigned before = w.txt.revision;
    if (key.shift) SelectionOperation();
    bool rewritten = w.txt.revision != before;
    unsigned selected = w.txt.revision;
    if (key.code == kKeyUp) FlecheHaut();
    else FlecheBas();
    if (rewritten && w.txt.revision == selected) w.txt.setCaret(moveCaretInTextBox(w.txt.text, w.txt.caret, key));
}

void MainForm::txt_KeyDown(const KeyEvent& key) {
    const bool shift = key.shift, ctrl = key.ctrl;
    switch (key.code) {
    case kKeyLeft:
    case kKeyRight:
    case kKeyShift:
    case kKeyCtrl:
    case kKeyNumLock: return;
    case kKeyNumDivide:
    case kKeyOem191: EnregistrerOperation(); return;
    case kKeyNumMultiply:
    case kKeyOem220: RepererOperation(); return;
    case kKeyUp:
    case kKeyDown: arrowKey(key); return;
    case kKeyPageUp: Indexprecedent(); return;
    case kKeyPageDown: Indexsuivant(); return;
    case kKeyHome:
        if (ctrl) AppelDebutIndex();
        return;
    case kKeyEnd:
        if (ctrl) AppelFinIndex();
        return;
    case kKeyEscape: InitYzo(); return;
    case kKeyDelete:
        // A text view has no operation under the caret.
        if (!isTextView(displayMode())) effacementYzo();
        return;
    case kKeyEnter:
        if (shift) somme();
        return;
    case kKeySpace:
        if (ctrl) {
            DeselectionOperation();
        } else if (shift) {
            EnregistrerOperation();
        } else if (displayMode() == DisplayMode::Pensions && !ent.columnModification) {
            InsertPension();
        } else {
            TotalCours();
        }
        return;
    default: break;
    }
    // The menu shortcuts F3 to F9 reach here only when their entry is switched off.
    if (key.code >= keyF(3) && key.code <= keyF(9)) return;
    if (isLetter(key, 'B')) {
        if (shift && ctrl) blocnote();
    } else if (isLetter(key, 'D')) {
        if (shift) DateColonne();
        else dateCours();
    } else if (isLetter(key, 'E')) {
        if (shift && ctrl) SoldeSansEspece();
        else if (shift) EnregistrerColonne();
        else if (!ctrl) EnregistrerCours();
    } else if (isLetter(key, 'M')) {
        if (shift && ctrl) {
            MontantCoursAutreUnite();
        } else if (shift) {
            MontantColonne();
        } else {
            MontantCours();
        }
    } else if (isLetter(key, 'N')) {
        if (shift) NumeroColonne();
        else AppelNumeroCours();
    } else if (isLetter(key, 'O')) {
        if (shift) ObjetColonne();
        else ObjetCours();
    } else if (isLetter(key, 'R')) {
        if (shift && ctrl) {
            AppelRechercherArriere();
        } else if (shift) {
            RubriqueColonne();
        } else if (ctrl) {
            CritereRecherche();
        } else {
            RubriqueCours();
        }
    } else if (isLetter(key, 'S')) {
        if (shift && ctrl) {
            if (!describeKey(L"enregistrer sous un autre nom")) enregistrersous();
        } else if (ctrl) {
            if (!describeKey(L"enregistrer un fichier")) enregistrer();
        } else SoldeCours();
    } else if (isLetter(key, 'T')) {
        if (shift) TvaColonne();
        else TvaCours();
    } else if (isLetter(key, 'U')) {
        MessageSoldeAutreUnite();
    } else if (isLetter(key, 'Z')) {
        if (!ctrl) RemiseZero();
    }
}

// In key-help mode a key of the ledger that described no command says that it
// has none; the keys that only move the caret are left to move it.
void MainForm::ledgerKey(const KeyEvent& key) {
    app.keyDescribed = false;
    txt_KeyDown(key);
    if (!app.keyHelp) return;
    const bool saysNothing = isCaretKey(key.code) || key.code == kKeyShift || key.code == kKeyCtrl ||
                             key.code == kKeyNumLock || key.code == kKeyEscape;
    if (!saysNothing && !app.keyDescribed) message(L"aucune fonction");
}

bool MainForm::ledgerMenu(const std::wstring& name) {
    static const MenuAction commands[] = {
        {L"MnuInformationItem", &MainForm::InformationCompte},
        {L"MnuDateCoursItem", &MainForm::dateCours},
        {L"MnuEnregistrerCours", &MainForm::EnregistrerCours},
        {L"MnuRubriqueCours", &MainForm::RubriqueCours},
        {L"MnuObjetCoursItem", &MainForm::ObjetCours},
        {L"MnuMontantCoursItem", &MainForm::MontantCours},
        {L"MnuTvaCoursItem", &MainForm::TvaCours},
        {L"MnuNumeroCoursItem", &MainForm::AppelNumeroCours},
        {L"MnuDateColonne", &MainForm::DateColonne},
        {L"MnuEnregistrerColonne", &MainForm::EnregistrerColonne},
        {L"MnuRubriqueColonne", &MainForm::RubriqueColonne},
        {L"MnuObjetColonne", &MainForm::ObjetColonne},
        {L"MnuMontantColonne", &MainForm::MontantColonne},
        {L"MnuTvaColonne", &MainForm::TvaColonne},
        {L"MnuNumeroColonne", &MainForm::NumeroColonne},
        {L"MnuNonenregistrer", &MainForm::OperationsNonEnregistrees},
        {L"MnuPension", &MainForm::TraitesEtPensions},
        {L"MnuSoldeCoursItem", &MainForm::SoldeCours},
        {L"MnuSoldeEspeceItem", &MainForm::SoldeEspece},
        {L"MnuSoldeSansEspeceItem", &MainForm::SoldeSansEspece},
        {L"MnuDernierNumeroItem", &MainForm::DernierNumero},
        {L"MnuRetourMicroItem", &MainForm::retourMicro},
        {L"mnuXYItem", &MainForm::CoordonneesCurseur},
        {L"mnuEnregistrerOperation", &MainForm::EnregistrerOperation},
        {L"mnuRepererOperationItem", &MainForm::RepererOperation},
    };
    // MnuMontantCoursAutreUniteItem and MnuSoldeAutreUniteItem belong to the
    // other unit's readers and are answered by currencyMenu.
    return runMenuTable(commands, name);
}
