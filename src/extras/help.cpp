// Help texts, the about screen and the key-help mode.
#include "extras/extras.h"

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "extras/orca.h"

#ifndef YZO_VERSION
#define YZO_VERSION "0.1"
#endif

std::vector<std::wstring> aboutLines() {
    return {L"yzo, livre de comptes bancaires pour les personnes aveugles et malvoyantes",
            L"version " + fromUtf8(YZO_VERSION), L"logiciel libre sous licence GPL version 3 ou ultérieure",
            L"pour signaler un problème : ouvrez une demande sur le dépôt du projet yzo",
            L"ou écrivez à l'équipe de yzo en décrivant les touches pressées"};
}

void MainForm::mnuAideTouche() {
    app.keyHelp = !app.keyHelp;
    if (app.keyHelp) {
        w.txt.setText(L"");
        message(L"Aide Mémoire des touches");
        app.keyDescribed = true;
    } else {
        message(NomFichSeul(currentPath()));
        AfficheYzo();
        app.keyDescribed = false;
    }
}

void MainForm::textViewButtons() {
    w.CmdYzo.visible = false;
    w.CmdCreation.visible = false;
    w.CmdModifLigne.visible = false;
    w.CmdQuitter.text = kCaptionCancel;
    w.CmdQuitter.show();
}

void MainForm::AfficheAide(const std::wstring& fileName) {
    std::wstring path = app.programFolder + fileName;
    std::vector<std::wstring> lines;
    try {
        lines = readTextLines(path);
    } catch (const YzoError& e) {
        if (e.number() == kErrFileNotFound) message(L"fichier d'aide absent : " + fileName);
        else reportError(e, L"AfficheAide");
        return;
    }
    textViewButtons();
    AfficheTexte(lines);
}

void MainForm::mnuApropos() {
    textViewButtons();
    AfficheTexte(aboutLines());
}

namespace {
// A help file shown by its menu entry, which in key-help mode only says its caption.
void showHelpFile(MainForm& f, const wchar_t* entry, const wchar_t* file) {
    if (!f.describeKey(f.w.entry(entry).caption)) f.AfficheAide(file);
}
}  // namespace

bool MainForm::helpMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuBlocNote", &MainForm::blocnote},
        {L"mnuAideToucheItem", &MainForm::mnuAideTouche},
        {L"mnuScriptOrca",
         [](MainForm& f, int) {
             if (!f.describeKey(f.w.entry(L"mnuScriptOrca").caption)) scriptsOrca(f, L"yzo");
         }},
        {L"mnuApropos",
         [](MainForm& f, int) {
             if (!f.describeKey(L"A propos")) f.mnuApropos();
         }},
        {L"mnuaideListeToucheItem",
         [](MainForm& f, int) { showHelpFile(f, L"mnuaideListeToucheItem", L"touche.txt"); }},
        {L"mnuAideTxtItem", [](MainForm& f, int) { showHelpFile(f, L"mnuAideTxtItem", L"Aide_yzo.txt"); }},
        {L"mnuAideComptaItem", [](MainForm& f, int) { showHelpFile(f, L"mnuAideComptaItem", L"club.txt"); }},
    };
    return runMenuTable(actions, name);
}
