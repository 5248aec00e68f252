// The dialog modes a walk through every dialog may leave set together, and the
// rule that says whether a command line asks for the accounting report.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include "compta/compta.h"
#include "support.h"

namespace {

class DialogModesWalk : public ProgramFolder {};

// A walk through every dialog the buttons, the lists and the menus open, each
// one opened from whatever the previous steps left on screen: the dialog modes
// set are always a combination DialogModes allows, and each mode is reached.
TEST_F(DialogModesWalk, EveryDialogLeavesItsModesCompatible) {
    writeTextLines(folder + L"Rubrique.ope", {L"D Loyer", L"R Salaire"});
    writeTextLines(folder + L"Rubrique.pen", {L"T Emprunt"});
    writeTextLines(folder + L"Loyer.obj", {L"AGENCE"});
    writeTextLines(folder + L"Tva.txt", {L"20"});
    start({headerLine(L'T', L"EUROS", true), operationLine(L" 3112026", L'D', L"Loyer", L"AGENCE", L"-1", L"0", L"5"),
           operationLine(L" 4112026", L'R', L"Salaire", L"X", L"2", L"0", L"6")});
    MainForm& f = *form;
    // As a front-end sends them: a click to a shown button, a key to the focused control.
    std::vector<std::function<void()>> steps;
    for (const wchar_t* button : {L"CmdYzo", L"CmdCreation", L"CmdModifLigne"})
        steps.push_back([&f, button] {
            if (f.w.control(button)->visible) f.Click(button);
        });
    steps.push_back([&f] {
        if (!f.app.normalMode) f.Click(L"CmdQuitter");  // "Annuler", never "Quitter"
    });
    for (auto [control, item, text] : {std::tuple{L"Liste", 1, L""},
                                       {L"Liste", 2, L""},
                                       {L"ListeRec", 3, L""},
                                       {L"txtDate", 0, L"5/11/2026"},
                                       {L"txtDial", 0, L"1"}})
        steps.push_back([&f, control, item, text] {
            if (f.w.focus != control) return;
            Control& c = *f.w.control(control);
            if (c.isList()) c.selected = item;
            else c.text = text;
            if (c.kind == ControlKind::CheckListBox) f.KeyDown(control, KeyEvent{kKeyEnter});
            else f.KeyPress(control, L'\r');
        });
    for (const wchar_t* menu : {L"MnuCritereRechercheItem", L"mnuModifConfiguration", L"mnuAfficheRubriqueOperation",
                                L"mnuAfficheRubriquePension", L"mnuAfficheTvaItem", L"mnuParametreCheque"})
        steps.push_back([&f, menu] { f.MenuCommand(menu); });
    for (int column = kColumnFlag; column <= kColumnNumero; ++column)
        steps.push_back([&f, column] {
            f.SurNumero(1);
            f.led.pendingColumn = column;
            f.MenuCommand(L"mnumodifColonne");
        });
    std::set<std::string> reached;
    std::mt19937 random(23);
    std::string walk;  // the steps taken, for the failure message
    for (int k = 0; k < 3000; ++k) {
        tp.inputs.clear();
        for (int i = 0; i < 10; ++i) tp.inputs.insert(tp.inputs.end(), {L"1", L"5/11/2026"});  // a number, a date
        tp.replies.assign(20, MsgResult::No);
        tp.files.assign(20, std::nullopt);
        size_t step = random() % steps.size();
        walk += " " + std::to_string(step);
        try {
            steps[step]();
        } catch (...) {
            FAIL() << "no answer for \"" << toUtf8(tp.boxes.empty() ? L"" : tp.boxes.back()) << "\" after the steps"
                   << walk;
        }
        const DialogModes& m = f.ent.modes;
        std::string set;
        for (auto [on, name] : {std::pair{m.flagChoice, "flag"},
                                {m.rubriqueChoice, "rubrique"},
                                {m.objetStep, "objet"},
                                {m.tvaChoice, "tva"},
                                {m.copyList, "copy"},
                                {m.criteriaList, "criteria"},
                                {m.chequeParameter, "cheque"},
                                {m.chequePreview, "preview"},
                                {m.accountTypeChoice, "type"},
                                {m.unitChoice, "unit"},
                                {m.rubriqueTypeChoice, "rubrique type"},
                                {m.rubriqueScreenOpe, "rubriques"},
                                {m.rubriqueScreenPen, "pension rubriques"},
                                {m.objetScreenStandard, "standard objets"},
                                {m.objetScreenOpe, "objets"},
                                {m.objetScreenPen, "pension objets"},
                                {m.tvaScreen, "tva screen"}}) {
            if (!on) continue;
            reached.insert(name);
            set += std::string(" ") + name + ",";
        }
        ASSERT_TRUE(m.compatible()) << "modes" << set << " after the steps" << walk;
    }
    // Every mode but the copy list (one account open), the two cheque modes (no
    // parameter file) and the standard objets (a type 1 account).
    EXPECT_EQ(reached.size(), 13u);
    // The check refuses what the walk must never leave: two dialogs at once, a type choice outside its screen.
    DialogModes two;
    two.criteriaList = two.rubriqueScreenOpe = true;
    DialogModes alone;
    alone.rubriqueTypeChoice = true;
    EXPECT_FALSE(two.compatible());
    EXPECT_FALSE(alone.compatible());
}

// "/C" asks for the report only as a word of its own: the window and the launch
// ask the same rule, and a path holding "/c" is an account to open.
TEST(ReportSwitch, OnlyAWordOfItsOwn) {
    for (const wchar_t* line : {L"club.txt /c", L"club.txt /S/C", L"\"a b.txt\"/C", L"/C"})
        EXPECT_TRUE(hasReportSwitch(line)) << toUtf8(line);
    for (const wchar_t* line : {L"/Comptes/club.yzo", L"/home/c/club.yzo", L"club.txt /Cx", L""})
        EXPECT_FALSE(hasReportSwitch(line)) << toUtf8(line);
}

}  // namespace
