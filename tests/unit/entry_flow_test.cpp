// Creating, modifying and deleting operations through the dialog area, and the
// configuration file read at launch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const wchar_t RSs[] = {RS, 0};

std::wstring makeTempFolder() {
    char tmpl[] = "/tmp/yzo-entry-XXXXXX";
    return fromUtf8(mkdtemp(tmpl)) + L"/";
}

std::wstring op(const std::wstring& date, wchar_t code, const std::wstring& rubrique, const std::wstring& objet,
                const std::wstring& montant, const std::wstring& numero, const std::wstring& tva = L"0") {
    return date + L" " + code + rubrique + RSs + objet + RSs + montant + RSs + tva + RSs + numero;
}

std::wstring header(wchar_t type, bool tva = false) {
    return std::wstring(L" 1 12026") + (tva ? L"T" : L" ") + type + RSs + L"ESSAI" + RSs + L"0" + RSs + L"0" + RSs +
           L"EUROS" + RSs + L"0";
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class EntryFlow : public ::testing::Test {
protected:
    std::wstring folder = makeTempFolder();
    std::wstring account = folder + L"compte.yzo";
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void TearDown() override { fs::remove_all(fsPath(folder)); }

    void open(const std::vector<std::wstring>& lines) {
        writeTextLines(account, lines);
        tp.folder = folder;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(account);
    }
    std::vector<std::wstring> stored() const {
        std::vector<std::wstring> out;
        for (size_t i = 1; i < form->acc.operationLines.size(); ++i) out.push_back(form->acc.operationLines[i].text);
        return out;
    }
    void enter(const std::wstring& control, const std::wstring& text) {
        ASSERT_EQ(form->w.focus, control);
        form->w.control(control)->text = text;
        form->KeyPress(control, L'\r');
    }
    void choose(int item) {
        ASSERT_EQ(form->w.focus, L"Liste");
        form->w.Liste.selected = item;
        form->KeyPress(L"Liste", L'\r');
    }
    // A new operation on a plain account with no list files: "Autre" Dépense,
    // the objet box, the amount box and the numéro box.
    void create(const std::wstring& date, const std::wstring& amount, const std::wstring& numero) {
        form->Click(L"CmdCreation");
        enter(L"txtDate", date);
        tp.inputs.push_back(L"Divers");
        choose(1);
        tp.inputs.push_back(amount);
        enter(L"txtDial", L"objet");
        form->w.txtDial.text = numero;
        form->KeyPress(L"txtDial", L'\r');
    }
    void onLine(long index) { form->SurNumero(index); }
};
}  // namespace

TEST_F(EntryFlow, CreationStoresTheLineAtItsDateAndSavesIt) {
    open({header(L'S'), op(L" 3112026", L'D', L"Loyer", L"AGENCE", L"-700", L"12")});
    create(L"2 11 2026", L"12,5", L"");
    EXPECT_EQ(stored().front(), op(L" 2112026", L'D', L"Divers", L"objet", L"-12,50", L""));
    EXPECT_TRUE(form->acc.modified[1]);
    EXPECT_TRUE(form->app.normalMode);
    EXPECT_EQ(form->cursorIndex(), 1);
    form->enregistrer();
    std::string written = fileBytes(account);
    std::string lines = encodeCp1252(op(L" 2112026", L'D', L"Divers", L"objet", L"-12,50", L"")) + "\r\n" +
                        encodeCp1252(op(L" 3112026", L'D', L"Loyer", L"AGENCE", L"-700", L"12")) + "\r\n";
    std::string head = encodeCp1252(std::wstring(L" 1 12026 S") + RSs + L"ESSAI" + RSs + L"-712,50" + RSs + L"0" +
                                    RSs + L"EUROS" + RSs + L"2") + "\r\n";
    EXPECT_EQ(written, head + lines);
}

TEST_F(EntryFlow, EscapeAtEveryStepStoresNothing) {
    open({header(L'S'), op(L" 3112026", L'D', L"Loyer", L"AGENCE", L"-700", L"12")});
    const auto before = stored();
    auto escapeAfter = [&](int steps) {
        form->Click(L"CmdCreation");
        if (steps > 0) enter(L"txtDate", L"4 11 2026");
        if (steps > 1) { tp.inputs.push_back(L"Divers"); choose(1); }
        if (steps == 3) tp.inputs.push_back(L"");  // the amount box cancelled
        if (steps > 3) tp.inputs.push_back(L"5");
        if (steps > 2) enter(L"txtDial", L"objet");
        if (steps == 3) return;
        form->KeyPress(form->w.focus, 27);
    };
    for (int steps = 0; steps <= 4; ++steps) {
        escapeAfter(steps);
        EXPECT_EQ(stored(), before) << steps;
        EXPECT_FALSE(form->acc.modified[1]) << steps;
        EXPECT_TRUE(form->app.normalMode) << steps;
        EXPECT_FALSE(form->w.txtDial.visible || form->w.txtDate.visible || form->w.Liste.visible) << steps;
    }
    // The date accepted by an abandoned creation is offered next time.
    form->Click(L"CmdCreation");
    EXPECT_EQ(form->w.txtDate.text, L"04 11 2026");
}

TEST_F(EntryFlow, DeletionAsksFirst) {
    open({header(L'S'), op(L" 3112026", L'D', L"A", L"X", L"-1", L""), op(L" 4112026", L'D', L"B", L"Y", L"-2", L"")});
    onLine(2);
    tp.replies.push_back(MsgResult::No);
    form->effacementYzo();
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_FALSE(form->acc.modified[1]);
    onLine(2);
    tp.replies.push_back(MsgResult::Yes);
    form->effacementYzo();
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(form->cursorIndex(), 1);
    EXPECT_TRUE(form->acc.modified[1]);
    onLine(1);
    tp.replies.push_back(MsgResult::Yes);
    form->effacementYzo();
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(tp.boxes.back(), L"Effacer l'opération");
}

TEST_F(EntryFlow, ColumnModificationsKeepThePlaceExceptTheDate) {
    open({header(L'S', true), op(L" 3112026", L'D', L"A", L"X", L"-1", L"5"),
          op(L" 4112026", L'D', L"B", L"Y", L"-2", L"6")});
    auto modify = [&](long index, int column) {
        onLine(index);
        form->led.pendingColumn = column;
        form->ModifOperation();
    };
    tp.inputs.push_back(L"3");  // the amount: an input box, stored at once
    modify(1, 5);
    EXPECT_EQ(stored()[0], op(L" 3112026", L'D', L"A", L"X", L"-3", L"5"));
    modify(1, 4);
    enter(L"txtDial", L"nouvel objet");
    modify(1, 7);
    enter(L"txtDial", L"77");
    modify(1, 6);
    tp.inputs.push_back(L"1,5");
    choose(1);
    EXPECT_EQ(stored()[0], op(L" 3112026", L'D', L"A", L"nouvel objet", L"-3", L"77", L"-1,50"));
    modify(1, 1);
    enter(L"txtDate", L"5/11/2026");
    EXPECT_EQ(stored()[1], op(L" 5112026", L'D', L"A", L"nouvel objet", L"-3", L"77", L"-1,50"));
    EXPECT_EQ(form->cursorIndex(), 2);
    modify(2, 3);
    tp.inputs.push_back(L"Salaire");
    choose(2);  // "Autre" Recette: the amount changes sign
    EXPECT_EQ(stored()[1], op(L" 5112026", L'R', L"Salaire", L"nouvel objet", L"3", L"77", L"1,50"));
    EXPECT_TRUE(form->acc.modified[1]);
}

TEST_F(EntryFlow, ExistingNumberIsRefused) {
    open({header(L'S'), op(L" 3112026", L'D', L"A", L"X", L"-1", L"41"), op(L" 3112026", L'D', L"A", L"X", L"-1", L"ES")});
    form->app.config[17] = L"0";
    form->Click(L"CmdCreation");
    enter(L"txtDate", L"4 11 2026");
    tp.inputs.push_back(L"Divers");
    choose(1);
    tp.inputs.push_back(L"5");
    enter(L"txtDial", L"objet");
    EXPECT_EQ(form->w.txtDial.text, L"42");
    form->w.txtDial.text = L"41";
    form->KeyPress(L"txtDial", L'\r');
    EXPECT_EQ(form->w.LblMessage.text, L" numéro de chèque existant");
    EXPECT_EQ(stored().size(), 2u);
}

// Random creations, date and amount changes and deletions: the lines stay in
// date order and, for equal dates, in numéro order (as text), each new or
// moved line after the lines equal to it.
TEST_F(EntryFlow, RandomChangesKeepTheOrder) {
    open({header(L'S')});
    form->app.config[17] = L"1";  // no automatic number
    struct Model {
        int day;
        std::wstring numero;
        long amount;
    };
    std::vector<Model> model;
    auto sortModel = [&] {
        std::stable_sort(model.begin(), model.end(), [](const Model& a, const Model& b) {
            return a.day != b.day ? a.day < b.day : a.numero < b.numero;
        });
    };
    std::mt19937 rng(20261206);
    const wchar_t* numeros[] = {L"", L"9", L"10", L"12", L"ES"};
    long nextAmount = 1;
    for (int step = 0; step < 300; ++step) {
        int action = model.empty() ? 0 : static_cast<int>(rng() % 4);
        if (action == 0) {
            Model m{1 + static_cast<int>(rng() % 5), numeros[rng() % 5], nextAmount++};
            create(std::to_wstring(m.day) + L" 11 2026", std::to_wstring(m.amount), m.numero);
            // The last number of the account, typed again, is refused.
            std::wstring last;
            for (auto it = model.rbegin(); it != model.rend() && last.empty(); ++it)
                if (!it->numero.empty() && it->numero != L"ES") last = it->numero;
            if (m.numero.empty() || m.numero != last) {
                model.push_back(m);
                sortModel();
            } else {
                form->InitYzo();
            }
        } else {
            long index = 1 + static_cast<long>(rng() % model.size());
            onLine(index);
            if (action == 1) {
                tp.replies.push_back(MsgResult::Yes);
                form->effacementYzo();
                model.erase(model.begin() + index - 1);
            } else if (action == 2) {
                int day = 1 + static_cast<int>(rng() % 5);
                form->led.pendingColumn = 1;
                form->ModifOperation();
                enter(L"txtDate", std::to_wstring(day) + L" 11 2026");
                Model m = model[index - 1];
                m.day = day;
                model.erase(model.begin() + index - 1);
                model.push_back(m);
                sortModel();
            } else {
                form->led.pendingColumn = 5;
                tp.inputs.push_back(std::to_wstring(nextAmount));
                form->ModifOperation();
                model[index - 1].amount = nextAmount++;
            }
        }
        std::vector<std::wstring> lines = stored();
        ASSERT_EQ(lines.size(), model.size()) << step;
        for (size_t i = 0; i < model.size(); ++i) {
            Operation o = convertit_ChaineYzo(lines[i]);
            int y, mo, d;
            ymdFromDate(o.date, y, mo, d);
            ASSERT_EQ(d, model[i].day) << step << " action " << action << " line " << i;
            ASSERT_EQ(o.numero, model[i].numero) << step;
            ASSERT_EQ(o.montant, -model[i].amount) << step;
        }
    }
}

TEST_F(EntryFlow, SeparatorOrLineBreakTypedIntoAFieldIsRefusedWhereTyped) {
    open({header(L'S'), op(L" 3112026", L'D', L"Loyer", L"AGENCE", L"-700", L"12")});
    const std::wstring sep(1, RS);
    form->Click(L"CmdCreation");
    enter(L"txtDate", L"2 11 2026");
    // The rubrique box asks again after its message box.
    tp.inputs.push_back(L"Div" + sep + L"ers");
    tp.inputs.push_back(L"Divers\r\n");
    tp.inputs.push_back(L"Divers");
    choose(1);
    EXPECT_EQ(std::count(tp.boxes.begin(), tp.boxes.end(), kForbiddenInLine), 2);
    // The objet box keeps its text and the focus, and says why.
    tp.inputs.push_back(L"5");
    enter(L"txtDial", L"ob" + sep + L"jet");
    EXPECT_EQ(form->w.focus, L"txtDial");
    EXPECT_EQ(tp.messages.back(), L" " + kForbiddenInLine);
    enter(L"txtDial", L"objet");
    enter(L"txtDial", L"4\n2");
    EXPECT_EQ(form->w.focus, L"txtDial");
    enter(L"txtDial", L"42");
    EXPECT_EQ(stored().front(), op(L" 2112026", L'D', L"Divers", L"objet", L"-5", L"42"));
    // The title of the account goes into the header line.
    tp.inputs.push_back(L"MES" + sep + L"COMPTES");
    tp.inputs.push_back(L"COMPTES");
    tp.inputs.push_back(L"");  // the start date kept
    form->MenuCommand(L"mnuModifConfiguration");
    choose(3);
    // The unit stays as it is; no TVA column.
    tp.replies.push_back(MsgResult::No);
    choose(form->w.Liste.selected);
    EXPECT_EQ(form->acc.table[1].title, L"COMPTES");
    form->enregistrer();
    for (const std::wstring& line : readTextLines(account))
        EXPECT_GE(std::count(line.begin(), line.end(), RS), 4) << toUtf8(line);
}

// A walk through every dialog the buttons, the lists and the menus open, each
// one opened from whatever the previous steps left on screen: the dialog modes
// set are always a combination DialogModes allows, and each mode is reached.
TEST_F(EntryFlow, EveryDialogLeavesItsModesCompatible) {
    writeTextLines(folder + L"Rubrique.ope", {L"D Loyer", L"R Salaire"});
    writeTextLines(folder + L"Rubrique.pen", {L"T Emprunt"});
    writeTextLines(folder + L"Loyer.obj", {L"AGENCE"});
    writeTextLines(folder + L"Tva.txt", {L"20"});
    open({header(L'T', true), op(L" 3112026", L'D', L"Loyer", L"AGENCE", L"-1", L"5"),
          op(L" 4112026", L'R', L"Salaire", L"X", L"2", L"6")});
    MainForm& f = *form;
    // As a front-end sends them: a click to a shown button, a key to the focused control.
    auto click = [&](const wchar_t* button) {
        return [&f, button] {
            if (f.w.control(button)->visible) f.Click(button);
        };
    };
    auto enter = [&](const wchar_t* control, int item, const wchar_t* text) {
        return [&f, control, item, text] {
            if (f.w.focus != control) return;
            Control& c = *f.w.control(control);
            if (c.isList()) c.selected = item;
            else c.text = text;
            if (c.kind == ControlKind::CheckListBox) f.KeyDown(control, KeyEvent{kKeyEnter});
            else f.KeyPress(control, L'\r');
        };
    };
    auto menu = [&](const wchar_t* name) { return [&f, name] { f.MenuCommand(name); }; };
    std::vector<std::function<void()>> steps = {
        click(L"CmdYzo"), click(L"CmdCreation"), click(L"CmdModifLigne"),
        [&] {
            if (!f.app.normalMode) f.Click(L"CmdQuitter");  // "Annuler", never "Quitter"
        },
        enter(L"Liste", 1, L""), enter(L"Liste", 2, L""), enter(L"ListeRec", 3, L""),
        enter(L"txtDate", 0, L"5/11/2026"), enter(L"txtDial", 0, L"1"),
        menu(L"MnuCritereRechercheItem"), menu(L"mnuModifConfiguration"), menu(L"mnuAfficheRubriqueOperation"),
        menu(L"mnuAfficheRubriquePension"), menu(L"mnuAfficheTvaItem"), menu(L"mnuParametreCheque")};
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
        for (auto [on, name] : {std::pair{m.flagChoice, "flag"}, {m.rubriqueChoice, "rubrique"},
                                {m.objetStep, "objet"}, {m.tvaChoice, "tva"}, {m.copyList, "copy"},
                                {m.criteriaList, "criteria"}, {m.chequeParameter, "cheque"},
                                {m.chequePreview, "preview"}, {m.accountTypeChoice, "type"},
                                {m.unitChoice, "unit"}, {m.rubriqueTypeChoice, "rubrique type"},
                                {m.rubriqueScreenOpe, "rubriques"}, {m.rubriqueScreenPen, "pension rubriques"},
                                {m.objetScreenStandard, "standard objets"}, {m.objetScreenOpe, "objets"},
                                {m.objetScreenPen, "pension objets"}, {m.tvaScreen, "tva screen"}}) {
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
