// Search and selection: the cursor match, the criteria filter against an
// independent filter on random accounts, copying into each account type,
// and what the selection does and does not keep.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const std::wstring R(1, RS);

std::wstring line(const std::wstring& date, wchar_t flag, wchar_t code, const std::wstring& rubrique,
                  const std::wstring& objet, const std::wstring& montant, const std::wstring& tva,
                  const std::wstring& numero) {
    return date + flag + code + rubrique + R + objet + R + montant + R + tva + R + numero;
}

std::wstring header(wchar_t typeLetter, bool tva, const std::wstring& title) {
    return std::wstring(L" 1 12026") + (tva ? L'T' : L' ') + typeLetter + R + title + R + L"0" + R + L"0" + R +
           L"EUROS" + R + L"0";
}

Operation op(wchar_t flag, wchar_t code, const std::wstring& rubrique, const std::wstring& objet, double montant,
             double tva, const std::wstring& numero) {
    Operation o;
    o.date = dateFromYMD(2026, 5, 1);
    o.flag = flag;
    o.code = code;
    o.rubrique = rubrique;
    o.objet = objet;
    o.montant = montant;
    o.tva = tva;
    o.numero = numero;
    return o;
}

// A folder of its own for each test, with the program's lists left empty.
struct Folder {
    fs::path dir;
    Folder() {
        char tmpl[] = "/tmp/yzo-search-XXXXXX";
        dir = mkdtemp(tmpl);
    }
    ~Folder() { fs::remove_all(dir); }
    std::wstring file(const std::string& name) const { return fromUtf8((dir / name).string()); }
};

// Opens the files in order, each in a slot of its own; the first is current again at the end.
void openAll(MainForm& form, TestPlatform& p, const std::vector<std::wstring>& files) {
    form.Form_Load(L"");
    for (const std::wstring& f : files) {
        p.files.push_back(f);
        form.MenuCommand(L"mnuOuvrirItem");
    }
    if (files.size() > 1) form.switchTo(1);
}

std::vector<std::wstring> storedLines(const std::wstring& path) {
    std::vector<std::wstring> lines = readTextLines(path);
    lines.erase(lines.begin());
    return lines;
}
}  // namespace

TEST(CursorMatch, EachColumnByTheRulesOfItsOwn) {
    Operation line = op(L'/', L'D', L"Chèque Poste", L"Boulangerie", -12.5, -2.05, L"a47b");
    Operation c = op(L'/', L'D', L"CHÈQUE POSTE", L"BOULANGERIE", -12.5, -2.05, L"A47B");
    for (int column = 1; column <= 7; ++column) EXPECT_TRUE(matchesColumn(line, c, column)) << column;
    // Texts: the criterion in upper case occurs in the line put in upper case;
    // lower-case letters in the criterion never match; blanks around are ignored.
    // A line's own text in mixed case is not found: the entries give upper case.
    c.rubrique = line.rubrique;
    EXPECT_FALSE(matchesColumn(line, c, kFieldRubrique));
    c.rubrique = L"  QUE P ";
    EXPECT_TRUE(matchesColumn(line, c, kFieldRubrique));
    c.rubrique = L"que";
    EXPECT_FALSE(matchesColumn(line, c, kFieldRubrique));
    c.rubrique = L"";
    EXPECT_TRUE(matchesColumn(line, c, kFieldRubrique));
    c.objet = L"BOULANGERIES";
    EXPECT_FALSE(matchesColumn(line, c, kFieldObjet));
    c.numero = L"47B";
    EXPECT_TRUE(matchesColumn(line, c, kFieldNumero));
    // Amounts: exact, sign included.
    c.montant = 12.5;
    EXPECT_FALSE(matchesColumn(line, c, kFieldMontant));
    c.tva = -2.06;
    EXPECT_FALSE(matchesColumn(line, c, kFieldTva));
    c.date = line.date + 1;
    EXPECT_FALSE(matchesColumn(line, c, kFieldDate));
    // The bank line never matches a flag; it matches an amount.
    Operation bank = op(L' ', L'B', L"Banque", L"BANQUE", 1000, 0, L"");
    Operation bc = bank;
    EXPECT_FALSE(matchesColumn(bank, bc, kFieldFlag));
    EXPECT_TRUE(matchesColumn(bank, bc, kFieldMontant));
    // No search yet (column 0): everything.
    EXPECT_TRUE(matchesColumn(bank, c, 0));
}

namespace {
// The filter of the search results, written again from its table.
struct Criteria {
    Date from = 0, to = 0;
    bool flag = false, rubrique = false, objet = false, montant = false, tva = false, numero = false;
    Operation value;
};

// Upper case of the letters the random accounts use.
std::wstring upperAscii(std::wstring s) {
    for (wchar_t& c : s) {
        if (c >= L'a' && c <= L'z') c = c - L'a' + L'A';
        else if (c == L'é' || c == L'è') c = c - 0x20;   // É, È
    }
    return s;
}

std::wstring trimmed(const std::wstring& s) {
    size_t a = s.find_first_not_of(L' '), b = s.find_last_not_of(L' ');
    return a == std::wstring::npos ? L"" : s.substr(a, b - a + 1);
}

bool occurs(const std::wstring& operationText, const std::wstring& criterion) {
    return upperAscii(trimmed(operationText)).find(trimmed(criterion)) != std::wstring::npos;
}

bool shown(const Operation& o, const Criteria& c) {
    if (o.date < c.from || o.date > c.to) return false;
    if (c.flag && (o.flag != c.value.flag || o.code == L'B')) return false;
    if (c.rubrique && !occurs(o.rubrique, c.value.rubrique)) return false;
    if (c.objet && !occurs(o.objet, c.value.objet)) return false;
    if (c.montant && (o.code == L'B' || o.montant != c.value.montant)) return false;
    if (c.tva && o.tva != c.value.tva) return false;
    if (c.numero && !occurs(o.numero, c.value.numero)) return false;
    return true;
}
}  // namespace

TEST(CriteriaSearch, RandomCriteriaShowWhatAnIndependentFilterKeeps) {
    const std::vector<std::wstring> rubriques{L"Loyer", L"loyer", L"Chèque", L"CHÈQUE poste", L"Salaire", L""};
    const std::vector<std::wstring> objets{L"Agence", L"AGENCE", L"marché", L"Employeur", L" "};
    const std::vector<std::wstring> numeros{L"", L"4711", L"4712", L"es", L"ES", L"F001"};
    const std::vector<double> amounts{-12.5, 12.5, -500, 1500, 0};
    const wchar_t typeLetters[] = {L'T', L'P', L'S', L'R', L'D'};
    int resultsSeen = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&](auto& v) { return v[rng() % v.size()]; };
        Folder folder;
        int type = static_cast<int>(rng() % 5) + 1;
        bool hasTva = rng() % 2;
        std::vector<std::wstring> lines{header(typeLetters[type - 1], hasTva, L"HASARD")};
        int count = 20 + static_cast<int>(rng() % 60);
        Date day = dateFromYMD(2026, 1, 1);
        for (int i = 0; i < count; ++i) {
            day += static_cast<Date>(rng() % 4);
            Operation o;
            o.date = day;
            o.code = rng() % 5 == 0 && type == 1 ? L'B' : (rng() % 2 ? L'D' : L'R');
            o.flag = type <= 2 && rng() % 2 ? (type == 1 ? L'/' : L'*') : L' ';
            o.rubrique = type >= 4 ? L"" : pick(rubriques);
            o.objet = pick(objets);
            o.montant = pick(amounts);
            o.tva = hasTva ? pick(amounts) / 10 : 0;
            o.numero = pick(numeros);
            lines.push_back(FormeYzo(o));
        }
        std::wstring path = folder.file("hasard.yzo");
        writeTextLines(path, lines);
        TestPlatform p;
        p.folder = fromUtf8(folder.dir.string());
        p.today = dateFromYMD(2026, 12, 6);
        MainForm form(p);
        openAll(form, p, {path});

        form.CritereRecherche();
        ASSERT_TRUE(form.ent.modes.criteriaList);
        int rows = form.srch.rowCount;
        ASSERT_EQ(rows, 5 + (type <= 2) + (type <= 3) + hasTva) << "seed " << seed;
        ASSERT_EQ(static_cast<int>(form.w.ListeRec.items.size()), rows + 1);
        // Random rows ticked, random values, as the entries would leave them.
        Criteria c;
        c.value = op(type == 1 ? L'/' : (type == 2 ? L'*' : L' '), L'D', upperAscii(pick(rubriques)),
                     upperAscii(pick(objets)), pick(amounts), pick(amounts) / 10, upperAscii(pick(numeros)));
        if (rng() % 2) c.value.flag = L' ';
        if (rng() % 3 == 0) c.value.rubrique = L"QUE";
        form.srch.from = c.from = dateFromYMD(2026, 1, 1) + static_cast<Date>(rng() % 60);
        form.srch.to = c.to = c.from + static_cast<Date>(rng() % 200);
        for (int row = 1; row <= rows; ++row) {
            bool on = row >= 3 && rng() % 3 == 0;
            form.srch.rowSelected[row] = on;
            switch (form.srch.rowType[row]) {
            case kFieldFlag: c.flag = on; break;
            case kFieldRubrique: c.rubrique = on; break;
            case kFieldObjet: c.objet = on; break;
            case kFieldMontant: c.montant = on; break;
            case kFieldTva: c.tva = on; break;
            case kFieldNumero: c.numero = on; break;
            default: break;
            }
        }
        form.srch.criterion = c.value;
        form.InitYzo();
        form.displayMode() = DisplayMode::Criteria;
        form.AfficheYzo();

        std::vector<std::wstring> expected;
        for (size_t i = 1; i < lines.size(); ++i)
            if (shown(convertit_ChaineYzo(lines[i]), c)) expected.push_back(lines[i]);
        std::vector<std::wstring> got;
        for (long k = 1; k <= form.led.displayCount(); ++k) got.push_back(form.led.storedLine(k));
        ASSERT_EQ(got, expected) << "seed " << seed << " type " << type;
        resultsSeen += static_cast<int>(got.size());
        EXPECT_EQ(form.led.screenLines[1].substr(0, 13), L"Recherche du ");
        // Esc comes back to every operation.
        form.InitYzo();
        EXPECT_EQ(form.displayMode(), DisplayMode::Operations);
        EXPECT_EQ(form.led.displayCount(), count);
    }
    // The random criteria kept some lines and left some out.
    EXPECT_GT(resultsSeen, 0);
}

TEST(CriteriaSearch, AnAccountOfTypeOneWithTvaListsAllEightRows) {
    Folder folder;
    std::wstring path = folder.file("huit.yzo");
    writeTextLines(path, {header(L'T', true, L"HUIT"), line(L" 5122026", L' ', L'D', L"Loyer", L"AGENCE", L"-500",
                                                             L"-10", L"12")});
    TestPlatform p;
    p.folder = fromUtf8(folder.dir.string());
    MainForm form(p);
    openAll(form, p, {path});
    form.CritereRecherche();
    std::vector<std::wstring> items = form.w.ListeRec.items;
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[3], L"enregistrement");
    EXPECT_EQ(items[7], L"T V A");
    EXPECT_EQ(items[8], L"numèro");
    EXPECT_EQ(form.srch.rowType[8], kFieldNumero);
    // Only the numéro ticked: the one value asked is the numéro, and the result
    // header names it.
    form.w.ListeRec.checked[8] = true;
    p.inputs.push_back(L"1");
    form.Click(L"CmdYzo");
    EXPECT_EQ(form.displayMode(), DisplayMode::Criteria);
    EXPECT_EQ(form.led.displayCount(), 1);
    EXPECT_EQ(form.led.screenLines[1], L"Recherche du  1  1  2026 au  5 12  2026 numero 1");
}

namespace {
const std::wstring kSourcePension = line(L" 5122026", L' ', L'P', L"Retraite", L"CAISSE", L"500", L"0", L"1");
const std::wstring kSourceTraite = line(L" 8122026", L' ', L'T', L"Assurance", L"MAAF", L"-100", L"0", L"12");
const std::wstring kSourceOps[] = {
    line(L" 2122026", L' ', L'D', L"Courses", L"MARCHE", L"-20", L"0", L"ES"),
    line(L" 5122026", L' ', L'R', L"Salaire", L"EMPLOYEUR", L"1500", L"0", L"0042"),
    line(L" 5122026", L' ', L'D', L"Chèque", L"GARAGE", L"-80", L"-13,33", L"0043"),
};

std::vector<std::wstring> targetLines() {
    return {line(L" 1122026", L' ', L'P', L"Rente", L"ETAT", L"50", L"0", L"1"),
            line(L"10122026", L' ', L'T', L"Credit", L"BANQUE", L"-70", L"0", L"1"),
            line(L" 1122026", L' ', L'D', L"Loyer", L"AGENCE", L"-700", L"0", L""),
            line(L" 5122026", L' ', L'D', L"Courses", L"EPICERIE", L"-10", L"0", L"0050"),
            line(L"20122026", L' ', L'R', L"Vente", L"CLIENT", L"30", L"0", L"")};
}
}  // namespace

TEST(Copy, IntoEachAccountTypeInDateOrderWithTheCodesOfTheTarget) {
    Folder folder;
    const wchar_t letters[] = {L'T', L'P', L'S', L'R', L'D'};
    std::vector<std::wstring> files{folder.file("source.yzo")};
    writeTextLines(files[0], {header(L'T', true, L"SOURCE"), kSourcePension, kSourceTraite, kSourceOps[0],
                              kSourceOps[1], kSourceOps[2]});
    for (wchar_t letter : letters) {
        files.push_back(folder.file(std::string("cible-") + char(letter) + ".yzo"));
        std::vector<std::wstring> lines = targetLines();
        lines.insert(lines.begin(), header(letter, true, L"CIBLE"));
        writeTextLines(files.back(), lines);
    }
    TestPlatform p;
    p.folder = fromUtf8(folder.dir.string());
    p.today = dateFromYMD(2026, 11, 1);   // no traite or pension falls due at opening
    MainForm form(p);
    openAll(form, p, files);
    ASSERT_EQ(form.acc.openCount, 6);

    for (int target = 2; target <= 6; ++target) {
        // The traites and pensions, then the operations, each copy from its own view.
        form.MenuCommand(L"MnuPension");
        form.MenuCommand(L"MnuSelectionToutItem");
        form.MenuCommand(L"MnuCopieSelectionItem");
        ASSERT_EQ(form.w.Liste.items.size(), 6u);
        EXPECT_EQ(form.w.Liste.items[0], L"Liste des fichiers ouverts");
        form.w.Liste.selected = target - 1;
        form.Click(L"CmdYzo");
        EXPECT_FALSE(form.w.Liste.visible);
        form.InitYzo();
        form.MenuCommand(L"MnuSelectionToutItem");
        form.MenuCommand(L"MnuCopieSelectionItem");
        form.w.Liste.selected = target - 1;
        form.Click(L"CmdYzo");
        EXPECT_TRUE(form.acc.modified[target]);
    }
    // The source keeps its lines and its selection.
    EXPECT_EQ(form.acc.operationCount(), 3);
    for (long i = 1; i <= 3; ++i) EXPECT_EQ(form.acc.operationLines[i].mark, 1);

    const std::wstring asPension = line(L" 8122026", L' ', L'P', L"Assurance", L"MAAF", L"100", L"0", L"12");
    const std::wstring asTraite = line(L" 5122026", L' ', L'T', L"Retraite", L"CAISSE", L"-500", L"0", L"1");
    const std::wstring courseAsRecette = line(L" 2122026", L' ', L'R', L"Courses", L"MARCHE", L"20", L"0", L"ES");
    const std::wstring chequeAsRecette = line(L" 5122026", L' ', L'R', L"Chèque", L"GARAGE", L"80", L"13,33", L"0043");
    const std::wstring salaireAsDepense =
        line(L" 5122026", L' ', L'D', L"Salaire", L"EMPLOYEUR", L"-1500", L"0", L"0042");
    for (int target = 2; target <= 6; ++target) {
        int type = target - 1;
        std::vector<std::wstring> t = targetLines();
        std::wstring pension = type == 5 ? asTraite : kSourcePension;
        std::wstring traite = type == 4 ? asPension : kSourceTraite;
        std::wstring course = type == 4 ? courseAsRecette : kSourceOps[0];
        std::wstring salaire = type == 5 ? salaireAsDepense : kSourceOps[1];
        std::wstring cheque = type == 4 ? chequeAsRecette : kSourceOps[2];
        std::vector<std::wstring> expected{t[0], pension, traite, t[1], t[2], course, salaire, cheque, t[3], t[4]};

        form.switchTo(target);
        // The copied lines arrive selected (those of the last copy: each copy
        // starts from a target with nothing selected).
        std::vector<int16_t> marks;
        for (long i = 1; i <= form.acc.operationCount(); ++i) marks.push_back(form.acc.operationLines[i].mark);
        EXPECT_EQ(marks, (std::vector<int16_t>{0, 1, 1, 1, 0, 0})) << "type " << type;
        EXPECT_EQ(form.led.screenLines[3].substr(form.led.screenLines[3].size() - 12), L" sélectionné");
        form.MenuCommand(L"mnuEnregistrer");
        EXPECT_EQ(storedLines(files[target - 1]), expected) << "type " << type;
    }
}

TEST(Copy, NeedsAnotherAccountAndAChosenOne) {
    Folder folder;
    std::wstring a = folder.file("a.yzo"), b = folder.file("b.yzo");
    writeTextLines(a, {header(L'S', false, L"A"), kSourceOps[0]});
    writeTextLines(b, {header(L'S', false, L"B")});
    TestPlatform p;
    p.folder = fromUtf8(folder.dir.string());
    MainForm form(p);
    openAll(form, p, {a});
    form.MenuCommand(L"MnuSelectionToutItem");
    form.MenuCommand(L"MnuCopieSelectionItem");
    EXPECT_EQ(p.messages.back(), L" un seul fichier!");
    EXPECT_FALSE(form.w.Liste.visible);
    p.files.push_back(b);
    form.MenuCommand(L"mnuOuvrirItem");
    form.switchTo(1);
    form.MenuCommand(L"MnuSelectionToutItem");
    form.MenuCommand(L"MnuCopieSelectionItem");
    // Validated on its title: nothing happens, the list stays.
    form.w.Liste.selected = 0;
    form.Click(L"CmdYzo");
    EXPECT_TRUE(form.w.Liste.visible);
    EXPECT_FALSE(form.acc.modified[2]);
    // Esc leaves it; nothing was copied. Then into the empty account.
    form.KeyDown(L"Liste", KeyEvent{kKeyEscape});
    form.KeyPress(L"Liste", 27);
    EXPECT_FALSE(form.ent.modes.copyList);
    EXPECT_EQ(form.acc.table[2].lineCount, 0);
    form.MenuCommand(L"MnuCopieSelectionItem");
    form.w.Liste.selected = 1;
    form.Click(L"CmdYzo");
    form.switchTo(2);
    ASSERT_EQ(form.acc.operationCount(), 1);
    EXPECT_EQ(form.acc.operationLines[1].text, kSourceOps[0]);
}

TEST(Selection, SurvivesASwitchAndIsNeverWritten) {
    Folder folder;
    std::wstring a = folder.file("a.yzo"), b = folder.file("b.yzo");
    writeTextLines(a, {header(L'S', false, L"A"), kSourceOps[0], kSourceOps[1], kSourceOps[2]});
    writeTextLines(b, {header(L'S', false, L"B"), kSourceOps[0]});
    TestPlatform p;
    p.folder = fromUtf8(folder.dir.string());
    MainForm form(p);
    openAll(form, p, {a, b});
    // The second line selected with Shift+Down from the text box.
    form.w.txt.setCaret(caretFromLineColumn(form.w.txt.text, 3, 1));
    form.KeyDown(L"txt", KeyEvent{kKeyDown, true, false});
    EXPECT_EQ(p.messages.back(), L" EMPLOYEUR sélectionné");
    long lineNow = 0, column = 0;
    caretLineColumn(form.w.txt.text, form.w.txt.caret, lineNow, column);
    EXPECT_EQ(lineNow, 4);   // the caret went on down
    form.MenuCommand(L"mnuFichierSuivantItem");
    form.MenuCommand(L"mnuFichierPrecedentItem");
    ASSERT_EQ(form.acc.currentDoc, 1);
    EXPECT_EQ(form.acc.operationLines[2].mark, 1);
    EXPECT_EQ(form.acc.operationLines[1].mark, 0);
    EXPECT_NE(form.led.screenLines[3].find(L" sélectionné"), std::wstring::npos);
    // Saved: the file holds the lines as they were read.
    form.acc.modified[1] = true;
    form.MenuCommand(L"mnuEnregistrer");
    EXPECT_EQ(storedLines(a), (std::vector<std::wstring>{kSourceOps[0], kSourceOps[1], kSourceOps[2]}));
    // Erasing the selection deletes exactly that line.
    p.replies.push_back(MsgResult::Yes);
    form.MenuCommand(L"MnuEffaceSelectionItem");
    EXPECT_EQ(p.messages.back(), L" 1 éffacés");
    EXPECT_EQ(form.acc.operationCount(), 2);
    EXPECT_EQ(form.acc.operationLines[2].text, kSourceOps[2]);
}
