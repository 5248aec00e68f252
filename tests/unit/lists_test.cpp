// The reference lists: their order, the names that may become files, reading
// damaged list files, deleting a rubrique with its objets, failed writes, and
// the default lists shipped with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "account/paths.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
std::wstring makeTempFolder() {
    char tmpl[] = "/tmp/yzo-lists-XXXXXX";
    return fromUtf8(mkdtemp(tmpl)) + L"/";
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(fsPath(path), std::ios::binary);
    out << bytes;
}

std::vector<StandardRubrique> rubriques(std::initializer_list<const wchar_t*> names) {
    std::vector<StandardRubrique> list(1);
    for (const wchar_t* n : names) list.push_back({n, L'D'});
    return list;
}

std::set<std::string> entriesOf(const std::wstring& folder) {
    std::set<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(fsPath(folder))) out.insert(e.path().string());
    return out;
}
}  // namespace

TEST(ListOrder, RubriquesGoBeforeTheFirstGreaterNameInUpperCase) {
    auto list = rubriques({L"Banque", L"Loyer"});
    EXPECT_EQ(rubriqueInsertPosition(list, L"assurance"), 1);
    EXPECT_EQ(rubriqueInsertPosition(list, L"loyer"), 3);   // after Loyer, not before it
    EXPECT_EQ(rubriqueInsertPosition(list, L"  Cadeaux "), 2);
    EXPECT_EQ(rubriqueInsertPosition(rubriques({}), L"x"), 1);
}

TEST(ListOrder, ItemsCompareAsTextsFromTheirFirstEntry) {
    std::vector<std::wstring> tva{L"Liste des T V A Standards", L"Entrée d'une T V A", L"19,6"};
    EXPECT_EQ(itemInsertPosition(tva, 2, L"5,5"), 3);   // "5,5" after "19,6"
    EXPECT_EQ(itemInsertPosition(tva, 2, L"10"), 2);
    // The title and the fixed entry are never compared.
    std::vector<std::wstring> objets{L"Liste des objets", L"zz", L"MARCHE"};
    EXPECT_EQ(itemInsertPosition(objets, 1, L"boulangerie"), 1);
    EXPECT_EQ(itemInsertPosition(objets, 2, L"boulangerie"), 2);
}

TEST(ListItems, FileLinesKeepTheCodeLetterAsHeld) {
    // Even a letter the screens have no name for.
    std::vector<StandardRubrique> list(1);
    list.push_back({L" Loyer ", L'D'});
    list.push_back({L"Divers", L'X'});
    EXPECT_EQ(rubriqueFileLines(list), (std::vector<std::wstring>{L"D Loyer", L"X Divers"}));
}

TEST(ListNames, NamesThatWouldLeaveTheListFolderAreRefused) {
    for (const wchar_t* bad : {L"../x", L"a/b", L"a\\b", L"..", L"C:x", L"x..y", L"a*b", L"a?b", L"<a>", L"a|b",
                               L"a\"b"})
        EXPECT_FALSE(rubriqueNameRefusal(bad).empty()) << toUtf8(bad);
    for (const wchar_t* good : {L"Loyer", L"Impôts", L"Frais bancaires", L"EDF-GDF", L"Dons.obj"})
        EXPECT_TRUE(listFileNameRefusal(good).empty()) << toUtf8(good);
    EXPECT_TRUE(rubriqueNameRefusal(L"Électricité").empty());
}

TEST(ListNames, TextsThatCannotBeStoredInAListFileAreRefused) {
    EXPECT_FALSE(listTextRefusal(std::wstring(L"a") + RS + L"b", 50).empty());
    EXPECT_FALSE(listTextRefusal(L"a\nb", 50).empty());
    EXPECT_FALSE(listTextRefusal(L"\x0100", 50).empty());  // not in Windows-1252
    EXPECT_FALSE(listTextRefusal(std::wstring(51, L'a'), 50).empty());
    EXPECT_TRUE(listTextRefusal(std::wstring(50, L'a'), 50).empty());
    EXPECT_TRUE(listTextRefusal(L"CAFÉ 5 €", 50).empty());
    EXPECT_FALSE(rubriqueNameRefusal(std::wstring(kMaxRubriqueName + 1, L'a')).empty());
}

class ListScreens : public ::testing::Test {
protected:
    std::wstring root = makeTempFolder();     // holds the list folder and files beside it
    std::wstring folder = root + L"liste/";   // the program's folder
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override { fs::create_directories(fsPath(folder)); }
    void TearDown() override { fs::remove_all(fsPath(root)); }

    void start(const std::wstring& accountType = L"S") {
        std::wstring header = std::wstring(L" 1 12026 ") + accountType + RS + L"ESSAI" + RS + L"0" + RS + L"0" + RS +
                              L"EUROS" + RS + L"0";
        writeTextLines(folder + L"compte.yzo", {header});
        tp.folder = folder;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(folder + L"compte.yzo");
    }
    void choose(int item) {
        ASSERT_EQ(form->w.focus, L"Liste");
        form->w.Liste.selected = item;
        form->KeyPress(L"Liste", L'\r');
    }
    void deleteKey() { form->KeyDown(L"Liste", KeyEvent{kKeyDelete}); }
    std::vector<std::wstring> names(const std::vector<StandardRubrique>& list) {
        std::vector<std::wstring> out;
        for (size_t i = 1; i < list.size(); ++i) out.push_back(list[i].name);
        return out;
    }
};

TEST_F(ListScreens, DamagedRubriqueFilesGiveWhatCanBeReadAndAreNeverWrittenOver) {
    // Blank lines and a code letter alone are skipped; a runaway line is reported.
    std::string ope = "D Loyer\r\n\r\n   \r\nD\r\nR " + std::string(kMaxRubriqueName + 1, 'x') + "\r\nR Salaire\r\n";
    writeBytes(folder + L"Rubrique.ope", ope);
    std::string pen = std::string("T Assurance\r\nP Re\x00traite\r\n", 25);  // a NUL: not text
    writeBytes(folder + L"Rubrique.pen", pen);
    start();
    ASSERT_EQ(tp.boxes.size(), 2u);
    EXPECT_NE(tp.boxes[0].find(L"sur LitRubrique"), std::wstring::npos);
    EXPECT_NE(tp.boxes[1].find(L"Ligne trop longue"), std::wstring::npos);
    EXPECT_EQ(names(form->lst.rubriquesOpe), (std::vector<std::wstring>{L"Loyer", L"Salaire"}));
    EXPECT_EQ(form->lst.penCount(), 0);
    EXPECT_EQ(form->lst.nameWidth, 7);

    // Adding a rubrique and saving: the file that was not read whole stays as it is.
    form->MenuCommand(L"mnuAfficheRubriqueOperation");
    tp.inputs.push_back(L"Cadeaux");
    form->Click(L"CmdCreation");
    choose(1);
    EXPECT_EQ(names(form->lst.rubriquesOpe), (std::vector<std::wstring>{L"Cadeaux", L"Loyer", L"Salaire"}));
    form->Click(L"CmdYzo");
    EXPECT_NE(tp.boxes.back().find(L"sur SauveRubrique"), std::wstring::npos);
    EXPECT_EQ(fileBytes(folder + L"Rubrique.ope"), ope);
    EXPECT_TRUE(form->w.txt.visible);  // back to the ledger, the program goes on
    form->MenuCommand(L"mnuAfficheRubriquePension");
    tp.inputs.push_back(L"Mutuelle");
    form->Click(L"CmdCreation");
    choose(1);
    form->Click(L"CmdYzo");
    EXPECT_EQ(fileBytes(folder + L"Rubrique.pen"), pen);
}

TEST_F(ListScreens, MissingListsGiveEmptyScreensAndTheirFilesAreCreated) {
    start();
    EXPECT_EQ(form->lst.opeCount(), 0);
    EXPECT_EQ(form->lst.nameWidth, 1);
    form->mnuAfficheTvaItem();  // its menu entry is off on an account without TVA; the screen works
    EXPECT_EQ(form->w.Liste.items.size(), 2u);
    tp.inputs.push_back(L"20");
    choose(1);
    tp.replies.push_back(MsgResult::Yes);
    form->Click(L"CmdYzo");
    EXPECT_EQ(fileBytes(folder + L"Tva.txt"), "20\r\n");
    form->MenuCommand(L"mnuAfficheRubriqueOperation");
    EXPECT_EQ(form->w.Liste.items.size(), 1u);
    EXPECT_EQ(form->w.Liste.selected, 0);
    tp.inputs.push_back(L"Électricité");
    form->Click(L"CmdCreation");
    choose(2);
    form->Click(L"CmdYzo");
    EXPECT_EQ(fileBytes(folder + L"Rubrique.ope"), "R \xC9lectricit\xE9\r\n");
}

TEST_F(ListScreens, DeletingARubriqueDeletesItsObjetFileWhateverItsCase) {
    writeTextLines(folder + L"Rubrique.ope", {L"D Chèque", L"D Loyer", L"D Transport Longue Distance"});
    writeTextLines(folder + L"LOYER.OBJ", {L"AGENCE"});
    writeTextLines(folder + L"Chèque.obj", {L"GARAGE"});
    start();
    int width = form->lst.nameWidth;
    form->MenuCommand(L"mnuAfficheRubriqueOperation");
    form->w.Liste.selected = 1;
    tp.replies.push_back(MsgResult::No);
    deleteKey();
    EXPECT_TRUE(FichierExistant(folder + L"Chèque.obj"));
    EXPECT_EQ(form->lst.opeCount(), 3);
    form->w.Liste.selected = 2;
    tp.replies.push_back(MsgResult::Yes);
    deleteKey();
    EXPECT_FALSE(fs::exists(fsPath(folder + L"LOYER.OBJ")));
    EXPECT_TRUE(FichierExistant(folder + L"Chèque.obj"));
    EXPECT_EQ(form->w.Liste.selected, 1);  // next to the one deleted
    // The longest name goes: the lists keep their width.
    form->w.Liste.selected = 2;
    tp.replies.push_back(MsgResult::Yes);
    deleteKey();
    EXPECT_EQ(names(form->lst.rubriquesOpe), (std::vector<std::wstring>{L"Chèque"}));
    EXPECT_EQ(form->lst.nameWidth, width);
    EXPECT_EQ(form->w.Liste.items[1], rubriqueItem(L"Chèque", L'D', width));
    // Delete on the type list of a new rubrique deletes nothing.
    tp.inputs.push_back(L"Impôts");
    form->Click(L"CmdCreation");
    form->w.Liste.selected = 1;
    deleteKey();
    EXPECT_EQ(form->lst.opeCount(), 1);
    EXPECT_TRUE(tp.replies.empty());
}

TEST_F(ListScreens, RubriquesThatNameFilesOutsideTheListFolderAreRefused) {
    // Files beside the list folder, and a rubrique file edited by hand.
    writeTextLines(root + L"x.obj", {L"DEHORS"});
    fs::create_directories(fsPath(folder + L"a"));
    writeTextLines(folder + L"a/b.obj", {L"SOUS-DOSSIER"});
    writeTextLines(folder + L"Rubrique.ope", {L"D ../x", L"D a/b"});
    start();
    const auto before = entriesOf(root);
    const std::string outside = fileBytes(root + L"x.obj");

    form->MenuCommand(L"mnuAfficheRubriqueOperation");
    // Typed names are refused and asked again, until the user cancels.
    tp.inputs = {L"../x", L"a/b", L""};
    form->Click(L"CmdCreation");
    ASSERT_EQ(tp.boxes.size(), 5u);
    EXPECT_NE(tp.boxes[1].find(L"rubrique refusée"), std::wstring::npos);
    EXPECT_NE(tp.boxes[3].find(L"rubrique refusée"), std::wstring::npos);
    EXPECT_EQ(form->lst.opeCount(), 2);
    // The rubriques of the file: no objet screen, and Delete touches no file.
    for (int round = 0; round < 2; ++round) {
        form->MenuCommand(L"mnuAfficheRubriqueOperation");
        form->w.Liste.selected = 1;
        form->Click(L"CmdModifLigne");
        EXPECT_TRUE(form->ent.modes.rubriqueScreenOpe);
        EXPECT_NE(tp.boxes.back().find(L"rubrique refusée"), std::wstring::npos);
        form->w.Liste.selected = 1;
        tp.replies.push_back(MsgResult::Yes);
        deleteKey();
        form->InitYzo();
    }
    EXPECT_EQ(form->lst.opeCount(), 0);
    EXPECT_EQ(entriesOf(root), before);
    EXPECT_EQ(fileBytes(root + L"x.obj"), outside);
    EXPECT_TRUE(FichierExistant(folder + L"a/b.obj"));
}

TEST_F(ListScreens, AStandardObjetListNamedOutsideTheFolderIsNotOpened) {
    writeTextLines(root + L"x.obj", {L"DEHORS"});
    std::wstring header = std::wstring(L" 1 12026 R../x.obj") + RS + L"ESSAI" + RS + L"0" + RS + L"0" + RS + L"EUROS" +
                          RS + L"0";
    writeTextLines(folder + L"compte.yzo", {header});
    tp.folder = folder;
    form = std::make_unique<MainForm>(tp);
    form->Form_Load(folder + L"compte.yzo");
    form->MenuCommand(L"mnuAfficheObjet");
    EXPECT_FALSE(form->ent.modes.objetScreenStandard);
    EXPECT_NE(tp.boxes.back().find(L"nom refusé"), std::wstring::npos);
}

TEST_F(ListScreens, AFailedWriteLeavesThePreviousFileWholeAndSaysSo) {
    writeTextLines(folder + L"Tva.txt", {L"19,6", L"5,5"});
    writeTextLines(folder + L"Dons.obj", {L"RESTOS"});
    // The writer's temporary files cannot be made, as in a read-only folder.
    armWriteFault(WriteFault::ReadOnlyFolder, L".txt");
    const std::string tva = fileBytes(folder + L"Tva.txt");
    std::wstring header = std::wstring(L" 1 12026 RDons.obj") + RS + L"ESSAI" + RS + L"0" + RS + L"0" + RS + L"EUROS" +
                          RS + L"0";
    writeTextLines(folder + L"compte.yzo", {header});
    tp.folder = folder;
    form = std::make_unique<MainForm>(tp);
    form->Form_Load(folder + L"compte.yzo");

    form->mnuAfficheTvaItem();
    tp.inputs.push_back(L"20");
    choose(1);
    tp.replies.push_back(MsgResult::Yes);
    form->Click(L"CmdYzo");
    EXPECT_NE(tp.boxes.back().find(L"sur Sauvetva"), std::wstring::npos);
    EXPECT_EQ(fileBytes(folder + L"Tva.txt"), tva);

    armWriteFault(WriteFault::ReadOnlyFolder, L".obj");
    form->MenuCommand(L"mnuAfficheObjet");
    tp.inputs.push_back(L"CROIX ROUGE");
    form->Click(L"CmdCreation");
    form->Click(L"CmdYzo");
    armWriteFault(WriteFault::None);
    EXPECT_NE(tp.boxes.back().find(L"sur SauveObjet"), std::wstring::npos);
    EXPECT_EQ(fileBytes(folder + L"Dons.obj"), "RESTOS\r\n");
    EXPECT_TRUE(form->app.normalMode);
}

TEST_F(ListScreens, AReadOnlyListIsNotWrittenOver) {
    writeTextLines(folder + L"Rubrique.ope", {L"D Loyer"});
    fs::permissions(fsPath(folder + L"Rubrique.ope"), fs::perms::owner_read | fs::perms::group_read);
    const std::string before = fileBytes(folder + L"Rubrique.ope");
    start();
    form->MenuCommand(L"mnuAfficheRubriqueOperation");
    tp.inputs.push_back(L"Cadeaux");
    form->Click(L"CmdCreation");
    choose(1);
    form->Click(L"CmdYzo");
    EXPECT_NE(tp.boxes.back().find(L"Permission refusée (Rubrique.ope) sur SauveRubrique"), std::wstring::npos);
    EXPECT_EQ(fileBytes(folder + L"Rubrique.ope"), before);
    EXPECT_EQ(form->lst.opeCount(), 2);  // kept in memory all the same
}

TEST_F(ListScreens, ObjetsTypedWithCharactersAFileCannotHoldAreAskedAgain) {
    writeTextLines(folder + L"Rubrique.ope", {L"D Loyer"});
    start();
    form->MenuCommand(L"mnuAfficheRubriqueOperation");
    form->w.Liste.selected = 1;
    form->Click(L"CmdModifLigne");
    ASSERT_TRUE(form->ent.modes.objetScreenOpe);
    tp.inputs = {std::wstring(L"A") + RS + L"B", L"\x0152UVRE \x0100", L"AGENCE"};
    form->Click(L"CmdCreation");
    EXPECT_EQ(form->w.Liste.items, (std::vector<std::wstring>{L"Liste des objets de la rubrique Loyer", L"AGENCE"}));
    form->KeyPress(L"Liste", L'\r');
    EXPECT_EQ(fileBytes(folder + L"Loyer.obj"), "AGENCE\r\n");
}

TEST_F(ListScreens, KeyHelpOnlySaysWhatTheListCommandsDo) {
    writeTextLines(folder + L"Rubrique.ope", {L"D Loyer"});
    start();
    form->MenuCommand(L"mnuAfficheRubriqueOperation");
    form->w.Liste.selected = 1;
    form->app.keyHelp = true;
    deleteKey();
    EXPECT_EQ(trim(tp.messages.back()), L"suppression d'une rubrique");
    EXPECT_EQ(form->lst.opeCount(), 1);
    form->InitYzo();
    for (const wchar_t* menu : {L"mnuAfficheRubriqueOperation", L"mnuAfficheTvaItem"}) {
        form->app.keyHelp = true;
        form->MenuCommand(menu);
        EXPECT_TRUE(form->app.keyDescribed);
        EXPECT_TRUE(form->app.normalMode) << toUtf8(menu);
        form->app.keyDescribed = false;
    }
}

// The lists shipped with the program: text the program reads whole, codes the
// screens create, rates it can compute with, objets for the usual rubriques.
TEST(DefaultLists, AreReadWholeAndOfferRealChoices) {
    const std::wstring data = fromUtf8(YZO_DEFAULT_LISTS) + L"/";
    TestPlatform tp;
    tp.folder = data;
    MainForm form(tp);
    form.app.programFolder = data;
    form.app.pathRubriqueOpe = data + L"Rubrique.ope";
    form.app.pathRubriquePen = data + L"Rubrique.pen";
    form.LitRubrique();
    EXPECT_TRUE(tp.boxes.empty());
    EXPECT_TRUE(form.lst.unreadFiles.empty());
    std::set<wchar_t> opeCodes, penCodes;
    for (size_t i = 1; i < form.lst.rubriquesOpe.size(); ++i) opeCodes.insert(form.lst.rubriquesOpe[i].code);
    for (size_t i = 1; i < form.lst.rubriquesPen.size(); ++i) penCodes.insert(form.lst.rubriquesPen[i].code);
    EXPECT_EQ(opeCodes, (std::set<wchar_t>{L'D', L'R'}));
    EXPECT_EQ(penCodes, (std::set<wchar_t>{L'T', L'P'}));
    for (const wchar_t* name : {L"Alimentation", L"Loyer", L"Électricité", L"Salaire", L"Impôts", L"Chèque"}) {
        bool found = false;
        for (const auto& r : form.lst.rubriquesOpe) found = found || r.name == name;
        EXPECT_TRUE(found) << toUtf8(name);
    }
    std::vector<double> rates;
    for (const std::wstring& rate : readListFile(data + L"Tva.txt")) rates.push_back(tvaRateValue(rate));
    EXPECT_EQ(rates, (std::vector<double>{20, 10, 5.5, 2.1}));
    for (const wchar_t* rubrique : {L"Alimentation", L"Loyer", L"Impôts", L"Salaire"}) {
        std::wstring file = findListFile(data, std::wstring(rubrique) + L".obj");
        ASSERT_FALSE(file.empty()) << toUtf8(rubrique);
        EXPECT_FALSE(readListFile(file).empty());
    }
}
