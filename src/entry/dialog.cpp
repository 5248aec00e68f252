// The dialog area: opening the steps of an operation, the validate action
// that dispatches on the dialog mode, and the keys of the boxes and lists.

#include <algorithm>
#include <cassert>

#include "app/mainform.h"
#include "entry/rules.h"
#include "pensions/pensions.h"

bool MainForm::searchRunning() const {
    return srch.forwardPending || srch.backwardPending || led.criteriaSearchRunning;
}

long DialogModes::setCount() const {
    const bool modes[] = {flagChoice,          rubriqueChoice, objetStep,          tvaChoice,         copyList,
                          criteriaList,        importList,     importChoice,       chequeParameter,   chequePreview,
                          accountTypeChoice,   unitChoice,     rubriqueTypeChoice, rubriqueScreenOpe, rubriqueScreenPen,
                          objetScreenStandard, objetScreenOpe, objetScreenPen,     tvaScreen};
    return static_cast<long>(std::count(std::begin(modes), std::end(modes), true));
}

bool DialogModes::compatible() const {
    if (rubriqueTypeChoice) return setCount() == 2 && rubriqueScreenOpe != rubriqueScreenPen;
    return setCount() <= 1;
}

void MainForm::checkDialogFlags() const {
    assert(ent.modes.compatible() && "dialog modes set together that DialogModes does not allow");
}

void MainForm::clearDialogModes() {
    ent.modes = DialogModes{};
    ent.accepted = false;
    ent.numberStep = false;
    lst.rubriqueModified = lst.objetModified = lst.tvaModified = false;
}

void MainForm::showLedger() {
    w.txt.show();
    w.focus = L"txt";
}

void MainForm::entryButtons() {
    app.normalMode = false;
    w.CmdYzo.text = kCaptionOk;
    w.CmdYzo.show();
    w.CmdCreation.visible = false;
    w.CmdModifLigne.visible = false;
    w.CmdQuitter.text = kCaptionCancel;
    w.CmdQuitter.show();
}

void MainForm::dial_yzo(int step, const std::wstring& prompt) {
    ent.accepted = false;
    switch (step) {
    case kColumnFlag: dial_valider(); break;
    case kColumnRubrique:
        ent.modes.rubriqueChoice = true;
        AfficheRubrique();
        break;
    case kColumnObjet: openObjetStep(); break;
    case kColumnMontant: dial_montant(); break;
    case kColumnTva: dial_Tva(); break;
    case kColumnNumero:
        if (searchRunning()) dial_numero_recherche();
        else dial_numero();
        break;
    default:
        w.txt.show(false);
        w.LblDial.text = prompt + L" : ";
        w.LblDial.show();
        w.txtDate.show();
        w.txtDate.setText(dayMonthYear(acc.work.date));
        w.focus = L"txtDate";
        break;
    }
}

void MainForm::openObjetStep() {
    if (Test_NomObjet()) {
        ent.typeAhead.clear();
        ent.modes.objetStep = true;
        w.txt.show(false);
        AfficheObjet();
    } else if (!searchRunning()) {
        dial_objet();
    } else {
        std::wstring answer = inputLineText(L"objet", acc.work.objet);
        if (!answer.empty()) {
            acc.work.objet = upperCase(answer);
            ent.accepted = true;
        }
    }
}

void MainForm::CreationOperation() {
    if (describeKey(L"création d'une opération")) return;
    if (!app.normalMode) InitYzo();  // one dialog at a time: the one on screen is left
    entryButtons();
    acc.work = ent.blank;
    acc.work.date = ent.creationDate;
    if (displayMode() == DisplayMode::Pensions) {
        acc.work.code = L'T';
        acc.work.numero = L"1";
    }
    ent.columnModification = false;
    ent.creationInProgress = true;
    dial_yzo(kColumnDate, L"Date de création");
}

void MainForm::ModifOperation() {
    if (describeKey(L"modification d'une colonne")) return;
    if (!app.normalMode) InitYzo();  // one dialog at a time: the one on screen is left
    long index = IndexAbsolu();
    if (!TestNumeroAffiche(index)) return;
    cursorIndex() = index;
    try {
        acc.parsed = convertit_ChaineYzo(std::wstring(led.shownText(index)));
    } catch (const std::exception& e) {
        reportError(e, L"ModifOperation");
        return;
    }
    acc.work = acc.parsed;
    int slot = acc.currentDoc;
    if (led.pendingColumn == kNoColumn && !positionNom_rub(index)) return;
    int column = led.pendingColumn != kNoColumn ? led.pendingColumn : led.currentColumn[slot];
    int type = acc.header.accountType;
    bool bankLine = acc.work.code == L'B';
    if ((bankLine && column != kColumnDate && column != kColumnMontant) ||
        (column == kColumnFlag && type != kAccountBankCode && type != kAccountMarked)) {
        platform.Beep();
        return;
    }
    entryButtons();
    ent.columnModification = true;
    if (led.pendingColumn != kNoColumn) {
        led.currentColumn[slot] = led.pendingColumn;
        led.pendingColumn = kNoColumn;
    }
    if (column == kColumnDate) {
        dial_yzo(kColumnDate, L"date à modifier");
        return;
    }
    dial_yzo(column);
    if (ent.accepted && ent.columnModification) {
        finishColumnModification();
        InitModeNormal();
        AfficheYzo();
    }
}

void MainForm::validationDial() {
    // The objet and the numéro go into the account's file: refused where typed.
    if (!fitsInLine(w.txtDial.text)) {
        message(kForbiddenInLine);
        w.focus = L"txtDial";
        return;
    }
    std::wstring text = trim(w.txtDial.text);
    // A traite or pension that could never fall due again is not stored: the
    // box stays open for another mensualité.
    int months = 0;
    if (displayMode() == DisplayMode::Pensions && !ent.modes.objetStep && !readMensualite(text, months)) {
        message(L"mensualité invalide");
        return;
    }
    w.txtDial.show(false);
    w.LblDial.show(false);
    showLedger();
    if (ent.columnModification) {
        if (ent.modes.objetStep) {
            ent.modes.objetStep = false;
            acc.work.objet = text;
        } else {
            ent.numberStep = false;
            acc.work.numero = text;
        }
        finishColumnModification();
        InitModeNormal();
        AfficheYzo();
    } else if (ent.modes.objetStep) {
        ent.modes.objetStep = false;
        acc.work.objet = text;
        dial_montant();
    } else {
        ent.numberStep = false;
        bool pensions = displayMode() == DisplayMode::Pensions;
        if (!pensions && !text.empty() && text == dernierNUMERO()) {
            message(L"numéro de chèque existant");
            return;
        }
        acc.work.numero = text;
        storeOperation();
        InitModeNormal();
        AfficheYzo();
    }
}

void MainForm::dial_valider() {
    int type = acc.header.accountType;
    if (type != kAccountBankCode && type != kAccountMarked) return;
    w.txt.show(false);
    Control& l = w.Liste;
    l.show();
    w.focus = L"Liste";
    ent.typeAhead.clear();
    ent.modes.flagChoice = true;
    l.clearItems();
    if (type == kAccountBankCode) {
        l.addItem(L"Enregistrement");
        l.addItem(L"non enregistré");
        l.addItem(L"enregistré");
    } else {
        l.addItem(L"Repèrage");
        l.addItem(L"sans repère");
        l.addItem(L"avec repère");
    }
    l.selected = acc.work.flag != L' ' ? 2 : 1;
}

void MainForm::validationValider() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected > 2) return;
    l.show(false);
    showLedger();
    ent.modes.flagChoice = false;
    ent.columnModification = false;
    if (l.selected == 1) acc.work.flag = L' ';
    else acc.work.flag = acc.header.accountType == kAccountBankCode ? L'/' : L'*';
    if (searchRunning()) {
        suiteRecherche(kFieldFlag);
        return;
    }
    replaceCurrentLine();
    markModified();
    InitYzo();
}

// Rows 4 to 19 of the validate action; false when no mode is set.
bool MainForm::validateListModes() {
    checkDialogFlags();  // so that only a type choice and its rubrique screen compete below
    DialogModes& m = ent.modes;
    if (m.flagChoice) validationValider();
    else if (m.rubriqueChoice) validationRubrique();
    else if (m.objetStep) validationObjet();
    else if (m.tvaChoice) validationTva();
    else if (m.copyList) validationCopie();
    else if (m.criteriaList) validationRecherche();
    else if (m.importList) validationImport();
    else if (m.importChoice) validationImportChoice();
    else if (lst.tvaModified) {
        SauveTva();
        InitYzo();
    } else if (m.chequeParameter) {
        validationListeCheque();
    } else if (m.accountTypeChoice) validationCompte();
    else if (m.unitChoice) validationUnite();
    else if (m.rubriqueTypeChoice) validationRubriqueType();
    else if (m.rubriqueScreenOpe || m.rubriqueScreenPen) {
        if (lst.rubriqueModified) SauveRubrique(false);
        InitYzo();
    } else if (m.objetScreenStandard || m.objetScreenOpe || m.objetScreenPen) {
        if (lst.objetModified) SauveObjet();
        InitYzo();
    } else if (m.tvaScreen) validationEcranTva();
    else if (app.colourModes[0]) ValidationCouleurPremierPlan();
    else if (app.colourModes[1]) ValidationCouleurArrierePlan();
    else return false;
    return true;
}

void MainForm::CmdYzo_Click() {
    if (passwordDialogShown()) validationPasse();
    else if (w.txtDial.visible) validationDial();
    else if (w.txtDate.visible) validationdate();
    else if (validateListModes()) {
    } else if (app.normalMode) {
        AfficheCheque();
    } else InitYzo();
}

void MainForm::CmdCreation_Click() {
    const std::wstring& caption = w.CmdCreation.text;
    if (caption == kCaptionCreateRubrique) {
        if (ent.modes.rubriqueScreenOpe) CreationRubriqueOperation();
        else CreationRubriquePension();
    } else if (caption == kCaptionCreateObjet) {
        CreationObjet();
    } else {
        CreationOperation();
    }
}

void MainForm::CmdModifLigne_Click() {
    const DialogModes& m = ent.modes;
    if (m.chequeParameter) {
        w.focus = L"Liste";
        validationCheque();
    } else if (m.chequePreview) {
        bool printed = ImprimeCheque();
        InitYzo();
        message(printed ? L"chèque envoyé à l'imprimante" : L"échec de l'impression");
    } else if (m.rubriqueScreenOpe) {
        validationRubriqueOperation();
    } else if (m.rubriqueScreenPen) {
        validationRubriquePension();
    } else if (app.normalMode) {
        w.focus = L"txt";
        ModifOperation();
    } else {
        InitYzo();
    }
}

void MainForm::Positioninitiale() {
    message(std::wstring(80, L' '));
    size_t n = ent.typeAhead.size();
    if (n == 0) return;
    Control& l = w.Liste;
    // A letter matches whatever its case and accent: "EL" reaches "Électricité".
    const std::wstring prefix = foldedUpperCase(ent.typeAhead);
    for (size_t i = 1; i < l.items.size(); ++i) {
        if (foldedUpperCase(l.items[i].substr(0, n)) == prefix) {
            l.selected = static_cast<int>(i);
            // Said at every letter: the list's own row may not be read again
            // when the selection comes back to the row it left.
            message(l.items[i]);
            return;
        }
    }
    ent.typeAhead.clear();
    message(L"introuvable");
}

void MainForm::BakSpaceinitiale() {
    message(std::wstring(80, L' '));
    if (ent.typeAhead.size() >= 2) {
        ent.typeAhead.pop_back();
        Positioninitiale();
    } else {
        platform.Beep();
    }
}

namespace {
// The character a key types into the type-ahead prefix, or 0.
wchar_t typedCharacter(const KeyEvent& key) {
    if (key.ctrl) return 0;
    if ((key.code >= 'A' && key.code <= 'Z') || (key.code >= '0' && key.code <= '9')) return wchar_t(key.code);
    return 0;
}
}  // namespace

void MainForm::Liste_KeyDown(const KeyEvent& key) {
    if (key.code == kKeyDelete) {
        // The standard objets screen deletes too, as the objet screens of a rubrique do.
        if (rubriqueScreenShown()) effacementRubrique();
        else if (objetScreenShown()) effacementObjet();
        else if (ent.modes.tvaScreen) effacementtva();
        return;
    }
    if (key.code == kKeyDown && !key.ctrl && w.Liste.selected >= static_cast<int>(w.Liste.items.size()) - 1) {
        // The list does not move past its last item: say why nothing moved.
        platform.Beep();
        message(kLastLineWord);
        return;
    }
    if (ent.columnModification) return;
    if (wchar_t c = typedCharacter(key)) {
        ent.typeAhead += c;
        Positioninitiale();
    }
}

void MainForm::Liste_KeyPress(wchar_t ch) {
    if (ch == 27) InitYzo();
    else if (ch == 8) BakSpaceinitiale();
    else if (ch == L'\r') validateListModes();
}

void MainForm::txtDial_KeyDown(const KeyEvent&) {}
void MainForm::txtDate_KeyDown(const KeyEvent&) {}

void MainForm::txtDial_KeyPress(wchar_t ch) {
    if (ch == 27) InitYzo();
    else if (ch == L'\r') validationDial();
}

void MainForm::txtDate_KeyPress(wchar_t ch) {
    if (ch == 27) InitYzo();
    else if (ch == L'\r') validationdate();
}

bool MainForm::entryMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuCreationOperationItem", &MainForm::CreationOperation},
        {L"mnumodifColonne", &MainForm::ModifOperation},
    };
    return runMenuTable(actions, name);
}
