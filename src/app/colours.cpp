// Screen colours in two spoken steps, the three font choices, the cheque orientation.
#include <utility>

#include "app/mainform.h"

namespace {
struct NamedColour {
    const wchar_t* name;
    int palette;
};
const NamedColour kColours[16] = {
    {L"Noir", 0},  {L"Gris", 8},         {L"Bleu", 1},  {L"Bleu clair", 9},   {L"Vert", 2},    {L"Vert clair", 10},
    {L"Cyan", 3},  {L"Cyan clair", 11},  {L"Rouge", 4}, {L"Rouge clair", 12}, {L"Magenta", 5}, {L"Magenta clair", 13},
    {L"Jaune", 6}, {L"Jaune clair", 14}, {L"Blanc", 7}, {L"Blanc pur", 15},
};

int positiveNumber(const std::wstring& text, int fallback) {
    std::wstring t = trim(text);
    if (t.empty() || t.size() > 3) return fallback;
    int v = 0;
    for (wchar_t c : t) {
        if (c < L'0' || c > L'9') return fallback;
        v = v * 10 + (c - L'0');
    }
    return v > 0 ? v : fallback;
}
}  // namespace

int RangCouleur(int row) {
    if (row < 1 || row > 16) return 0;
    return kColours[row - 1].palette;
}

void MainForm::ListeCouleur() {
    for (const NamedColour& c : kColours) w.Liste.addItem(c.name);
}

void MainForm::showColourList(const std::wstring& title) {
    Control& l = w.Liste;
    l.clearItems();
    l.addItem(title);
    ListeCouleur();
    l.selected = 0;
    l.show();
    w.focus = L"Liste";
    ent.typeAhead.clear();
}

void MainForm::mnuCouleurEcran() {
    entryButtons();
    w.txt.show(false);
    showColourList(L"Choisissez une couleur des caractères");
    app.colourModes = {true, false};
}

void MainForm::ValidationCouleurPremierPlan() {
    int row = w.Liste.selected;
    if (row < 1) return;
    app.chosenForeColour = RangCouleur(row);
    showColourList(L"Choisissez une couleur d'arrière plan");
    app.colourModes = {false, true};
}

void MainForm::ValidationCouleurArrierePlan() {
    int row = w.Liste.selected;
    if (row < 1) return;
    int back = RangCouleur(row);
    if (back == app.chosenForeColour) {
        msgBox(L"les couleurs caractère et arrière plan sont identiques");
    } else {
        w.ledgerForeColour = app.chosenForeColour;
        w.ledgerBackColour = back;
        app.config[kIniForeColour] = std::to_wstring(app.chosenForeColour);
        app.config[kIniBackColour] = std::to_wstring(back);
    }
    InitYzo();
}

// One of the three font commands: nameLine and nameLine + 1 hold the name and size.
void MainForm::chooseFont(int nameLine, FontKind kind, const std::wstring& shownAs, const std::wstring& question) {
    std::wstring& name = app.config[nameLine];
    std::wstring& size = app.config[nameLine + 1];
    msgBox(shownAs + name + L" Taille " + size);
    if (ask(question, MsgButtons::YesNo) != MsgResult::Yes) return;
    FontChoice current{name, positiveNumber(size, 10)};
    std::optional<FontChoice> chosen = platform.FontDialog(kind, current);
    if (!chosen || chosen->name.empty()) {
        msgBox(L"Vous n'avez sélectionné aucune police.");
        return;
    }
    name = chosen->name;
    size = std::to_wstring(chosen->size);
    if (nameLine == kIniScreenFont) {
        w.fontName = chosen->name;
        w.fontSize = chosen->size;
    }
}

void MainForm::mnuOrientationImprimanteCheque() {
    MenuEntry& m = w.entry(L"mnuOrientationImprimanteCheque");
    m.checked = !m.checked;
    app.config[kIniChequeLandscape] = m.checked ? L"1" : L"0";
    message(m.checked ? L"mode paysage" : L"mode portrait");
}

bool MainForm::displayOptionsMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuCouleurEcran", &MainForm::mnuCouleurEcran},
        {L"mnuPoliceEcranItem",
         [](MainForm& f, int) {
             f.chooseFont(kIniScreenFont, FontKind::Screen, L"police ", L"Voulez vous modifier la police de l'écran");
         }},
        {L"mnuPoliceImprimante",
         [](MainForm& f, int) {
             f.chooseFont(kIniPrinterFont, FontKind::Printer, L"police ",
                          L"Voulez vous modifier la police de l'imprimante");
         }},
        {L"mnuPoliceImprimanteCheque",
         [](MainForm& f, int) {
             f.chooseFont(kIniChequeFont, FontKind::Printer, L"police pour chèquier ",
                          L"Voulez vous modifier la police de l'imprimante pour chèquier");
         }},
        {L"mnuOrientationImprimanteCheque", &MainForm::mnuOrientationImprimanteCheque},
    };
    const MenuAction* action = findMenuAction(actions, name);
    if (!action) return false;
    // In key-help mode each of these entries only says its caption.
    if (!describeKey(w.entry(name).caption)) runMenuAction(*action, 0);
    return true;
}
