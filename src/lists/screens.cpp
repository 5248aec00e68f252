// The screens on which the user looks through, adds and deletes the standard
// rubriques, objets and TVA rates.
#include <algorithm>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "lists/lists.h"

namespace {
void showButton(Control& button, const std::wstring& caption) {
    button.text = caption;
    button.show();
}

void hideButton(Control& button) { button.visible = false; }

bool startsWithDigit(const std::wstring& text) { return !text.empty() && text[0] >= L'0' && text[0] <= L'9'; }
}  // namespace

bool MainForm::listsMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuAfficheRubriqueOperation", &MainForm::mnuAfficheRubriqueOperation},
        {L"mnuAfficheRubriquePension", &MainForm::mnuAfficheRubriquePension},
        {L"mnuAfficheObjet", &MainForm::mnuAfficheObjet},
        {L"mnuAfficheTvaItem", &MainForm::mnuAfficheTvaItem},
    };
    return runMenuTable(actions, name);
}

bool MainForm::rubriqueScreenShown() const {
    return (ent.modes.rubriqueScreenOpe || ent.modes.rubriqueScreenPen) && !ent.modes.rubriqueTypeChoice;
}

bool MainForm::objetScreenShown() const {
    return ent.modes.objetScreenStandard || ent.modes.objetScreenOpe || ent.modes.objetScreenPen;
}

std::wstring MainForm::askListText(const std::wstring& prompt, bool rubrique) {
    for (;;) {
        std::wstring answer = trim(inputBox(prompt));
        if (answer.empty()) return answer;
        std::wstring refusal = rubrique ? rubriqueNameRefusal(answer) : listTextRefusal(answer, kMaxListText);
        if (refusal.empty()) return answer;
        msgBox(refusal);
    }
}

// --- Rubrique screens -------------------------------------------------------

namespace {
struct RubriqueScreenTexts {
    const wchar_t* title;
    const wchar_t* prompt;
    const wchar_t* typeTitle;
    const wchar_t* firstType;
    const wchar_t* secondType;
};
const RubriqueScreenTexts kOperationTexts{L"Liste des rubriques standards des opérations", L"Rubrique des opérations",
                                          L"Type de rubrique des opérations", L"Dépense", L"Recette"};
const RubriqueScreenTexts kPensionTexts{L"Liste des rubriques standards des traites et pensions",
                                        L"Rubrique des traites et pensions",
                                        L"Type de rubrique des traites et pensions", L"Traite", L"Pension"};
}  // namespace

void MainForm::mnuAfficheRubriqueOperation() {
    if (describeKey(L"rubriques et objets standards des opérations")) return;
    if (!app.normalMode) InitYzo();
    ent.modes.rubriqueScreenOpe = true;
    app.normalMode = false;
    showButton(w.CmdYzo, kCaptionOk);
    showButton(w.CmdCreation, kCaptionCreateRubrique);
    showButton(w.CmdModifLigne, kCaptionObjetList);
    showButton(w.CmdQuitter, kCaptionCancel);
    lst.rubriqueModified = false;
    lst.listPosition = 1;
    AfficheRubriqueOperation();
}

void MainForm::mnuAfficheRubriquePension() {
    if (describeKey(L"rubriques et objets standards des traites et pensions")) return;
    if (!app.normalMode) InitYzo();
    ent.modes.rubriqueScreenPen = true;
    app.normalMode = false;
    showButton(w.CmdYzo, kCaptionOk);
    showButton(w.CmdCreation, kCaptionCreateRubrique);
    showButton(w.CmdModifLigne, kCaptionObjetList);
    showButton(w.CmdQuitter, kCaptionCancel);
    lst.rubriqueModified = false;
    lst.listPosition = 1;
    AfficheRubriquePension();
}

namespace {
// The rubriques of a list as the screens show them, title first, the item
// at the list position selected.
void fillRubriqueScreen(Control& l, const std::wstring& title, const std::vector<StandardRubrique>& list, int width,
                        int position) {
    l.addItem(title);
    for (size_t i = 1; i < list.size(); ++i) l.addItem(rubriqueItem(list[i].name, list[i].code, width));
    l.selected = std::clamp(position, 0, static_cast<int>(list.size()) - 1);
}
}  // namespace

void MainForm::AfficheRubriqueOperation() {
    w.txt.show(false);
    ent.typeAhead.clear();
    w.Liste.show();
    w.Liste.clearItems();
    w.focus = L"Liste";
    try {
        fillRubriqueScreen(w.Liste, kOperationTexts.title, lst.rubriquesOpe, lst.nameWidth, lst.listPosition);
    } catch (const std::exception& e) {
        reportError(e, L"AfficheRubriqueOperation");
    }
}

void MainForm::AfficheRubriquePension() {
    w.txt.show(false);
    ent.typeAhead.clear();
    w.Liste.show();
    w.Liste.clearItems();
    w.focus = L"Liste";
    try {
        fillRubriqueScreen(w.Liste, kPensionTexts.title, lst.rubriquesPen, lst.nameWidth, lst.listPosition);
    } catch (const std::exception& e) {
        reportError(e, L"AfficheRubriquePension");
    }
}

namespace {
void openTypeChoice(MainForm& f, const RubriqueScreenTexts& texts) {
    f.ent.modes.rubriqueTypeChoice = true;
    showButton(f.w.CmdYzo, kCaptionOk);
    hideButton(f.w.CmdCreation);
    hideButton(f.w.CmdModifLigne);
    Control& l = f.w.Liste;
    l.clearItems();
    l.addItem(texts.typeTitle);
    l.addItem(texts.firstType);
    l.addItem(texts.secondType);
    l.selected = 0;
    f.ent.typeAhead.clear();
    f.w.focus = L"Liste";
}
}  // namespace

void MainForm::CreationRubriqueOperation() {
    std::wstring name = askListText(kOperationTexts.prompt, true);
    if (name.empty()) {
        InitYzo();
        return;
    }
    acc.work.rubrique = name;
    openTypeChoice(*this, kOperationTexts);
}

void MainForm::CreationRubriquePension() {
    std::wstring name = askListText(kPensionTexts.prompt, true);
    if (name.empty()) {
        InitYzo();
        return;
    }
    acc.work.rubrique = name;
    openTypeChoice(*this, kPensionTexts);
}

void MainForm::validationRubriqueType() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected >= static_cast<int>(l.items.size())) {
        platform.Beep();
        return;
    }
    acc.work.code = l.items[l.selected][0];
    ent.modes.rubriqueTypeChoice = false;
    lst.rubriqueModified = true;
    showButton(w.CmdModifLigne, kCaptionObjetList);
    showButton(w.CmdCreation, kCaptionCreateRubrique);
    if (ent.modes.rubriqueScreenPen) {
        AjoutRubriquePension();
        AfficheRubriquePension();
    } else {
        AjoutRubriqueOperation();
        AfficheRubriqueOperation();
    }
}

namespace {
// The objet file of a rubrique: the one of the list folder, with any case of
// its name, or a new one beside the rubrique files.
std::wstring rubriqueObjetFile(const std::wstring& folder, const std::wstring& rubrique) {
    std::wstring found = findListFile(folder, rubrique + L".obj");
    return found.empty() ? ajoutbackslash(folder) + rubrique + L".obj" : found;
}
}  // namespace

void MainForm::validationRubriqueOperation() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected >= static_cast<int>(lst.rubriquesOpe.size())) return;
    if (lst.rubriqueModified) SauveRubrique(true);
    const StandardRubrique& r = lst.rubriquesOpe[l.selected];
    std::wstring name = trim(r.name);
    std::wstring refusal = rubriqueNameRefusal(name);
    if (!refusal.empty()) {
        msgBox(refusal);
        return;
    }
    acc.work.code = r.code;
    acc.work.rubrique = name;
    lst.objetFilePath = rubriqueObjetFile(app.programFolder, name);
    lst.listPosition = l.selected;
    ent.modes.rubriqueScreenOpe = false;
    ent.modes.objetScreenOpe = true;
    lst.objetModified = false;
    ent.typeAhead.clear();
    hideButton(w.CmdModifLigne);
    AfficheObjetModif();
}

void MainForm::validationRubriquePension() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected >= static_cast<int>(lst.rubriquesPen.size())) return;
    if (lst.rubriqueModified) SauveRubrique(true);
    const StandardRubrique& r = lst.rubriquesPen[l.selected];
    std::wstring name = trim(r.name);
    std::wstring refusal = rubriqueNameRefusal(name);
    if (!refusal.empty()) {
        msgBox(refusal);
        return;
    }
    acc.work.code = r.code;
    acc.work.rubrique = name;
    lst.objetFilePath = rubriqueObjetFile(app.programFolder, name);
    lst.listPosition = l.selected;
    ent.modes.rubriqueScreenPen = false;
    ent.modes.objetScreenPen = true;
    lst.objetModified = false;
    ent.typeAhead.clear();
    hideButton(w.CmdModifLigne);
    AfficheObjetModif();
}

// --- Objet screens ----------------------------------------------------------

void MainForm::mnuAfficheObjet() {
    if (describeKey(L"objets standards du mode recette ou dépense")) return;
    if (!app.normalMode) InitYzo();
    std::wstring name = trim(acc.header.objetListName);
    if (name.empty()) {
        message(L"pas de liste d'objets standards pour ce compte");
        return;
    }
    std::wstring refusal = listFileNameRefusal(name);
    if (!refusal.empty()) {
        msgBox(refusal);
        return;
    }
    ent.modes.objetScreenStandard = true;
    app.normalMode = false;
    lst.objetModified = false;
    showButton(w.CmdQuitter, kCaptionCancel);
    hideButton(w.CmdModifLigne);
    w.txt.show(false);
    std::wstring found = findListFile(app.programFolder, name);
    lst.objetFilePath = found.empty() ? app.programFolder + name : found;
    w.Liste.show();
    AfficheObjetModif();
}

void MainForm::AfficheObjetModif() {
    showButton(w.CmdYzo, kCaptionOk);
    showButton(w.CmdCreation, kCaptionCreateObjet);
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    if (ent.modes.objetScreenStandard) l.addItem(L"Liste des objets du fichier " + NomFichSeul(lst.objetFilePath));
    else l.addItem(L"Liste des objets de la rubrique " + trim(acc.work.rubrique));
    l.selected = 0;
    std::wstring wanted = trim(acc.work.objet);
    for (const std::wstring& line : readListChecked(lst.objetFilePath, L"AfficheObjetModif")) {
        l.addItem(line);
        if (l.selected == 0 && line == wanted) l.selected = static_cast<int>(l.items.size()) - 1;
    }
    w.focus = L"Liste";
}

void MainForm::CreationObjet() {
    std::wstring prompt = ent.modes.objetScreenStandard ? L"objet du fichier " + NomFichSeul(lst.objetFilePath)
                                                        : L"objet de " + trim(acc.work.rubrique);
    std::wstring objet = askListText(prompt, false);
    w.focus = L"Liste";
    if (objet.empty()) return;
    acc.work.objet = objet;
    AjoutObjet();
}

// --- TVA screen -------------------------------------------------------------

void MainForm::mnuAfficheTvaItem() {
    if (describeKey(L"T V A standards")) return;
    if (!app.normalMode) InitYzo();
    app.normalMode = false;
    showButton(w.CmdYzo, kCaptionOk);
    showButton(w.CmdQuitter, kCaptionCancel);
    hideButton(w.CmdCreation);
    hideButton(w.CmdModifLigne);
    w.txt.show(false);
    ent.modes.tvaScreen = true;
    lst.tvaModified = false;
    ent.typeAhead.clear();
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    l.addItem(L"Liste des T V A Standards");
    l.addItem(L"Entrée d'une T V A");
    l.selected = 1;
    for (const std::wstring& rate : readListChecked(app.pathTva, L"mnuAfficheTvaItem")) l.addItem(rate);
    w.focus = L"Liste";
}

void MainForm::validationEcranTva() {
    if (w.Liste.selected != 1) return;
    for (;;) {
        std::wstring rate = askListText(L"T V A", false);
        w.focus = L"Liste";
        if (rate.empty()) return;
        if (startsWithDigit(rate)) {
            Ajouttva(rate);
            return;
        }
        msgBox(L"T V A refusée : elle doit commencer par un nombre, par exemple 5,5");
    }
}
