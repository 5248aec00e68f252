// Screen colours and fonts, the notepad, the help texts and key-help mode, and
// the copy of the screen reader's files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const wchar_t RSs[] = {RS, 0};

std::wstring makeTempFolder() {
    char tmpl[] = "/tmp/yzo-extras-XXXXXX";
    return fromUtf8(mkdtemp(tmpl)) + L"/";
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A platform whose font dialog answers from a queue too, and whose screen
// reader folders lie in a test tree.
class ExtrasPlatform : public TestPlatform {
public:
    std::deque<std::optional<FontChoice>> fonts;
    ScreenReaderRoots roots;
    std::optional<FontChoice> FontDialog(FontKind, const FontChoice&) override {
        if (fonts.empty()) throw std::logic_error("unexpected font dialog");
        auto f = fonts.front();
        fonts.pop_front();
        return f;
    }
    ScreenReaderRoots ScreenReaderFolders() override { return roots; }
};

class Extras : public ::testing::Test {
protected:
    std::wstring folder = makeTempFolder();
    std::wstring account = folder + L"compte.yzo";
    ExtrasPlatform tp;
    std::unique_ptr<MainForm> form;

    void TearDown() override { fs::remove_all(fsPath(folder)); }

    void open() {
        writeTextLines(account, {std::wstring(L" 1 12026 S") + RSs + L"ESSAI" + RSs + L"0" + RSs + L"0" + RSs +
                                     L"EUROS" + RSs + L"0",
                                 std::wstring(L" 2 12026 DLOYER") + RSs + L"PROPRIO" + RSs + L"500" + RSs + L"0" +
                                     RSs + L"12"});
        tp.folder = folder;
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(account);
    }
    void chooseRow(int row) {
        form->w.Liste.selected = row;
        form->KeyPress(L"Liste", L'\r');
    }
    std::wstring lastMessage() const { return tp.messages.empty() ? L"" : tp.messages.back(); }
};
}  // namespace

TEST_F(Extras, ColourChoiceStoresPaletteIndexesAndRefusesTheSameColourTwice) {
    open();
    form->MenuCommand(L"mnuCouleurEcran");
    ASSERT_TRUE(form->w.Liste.visible);
    EXPECT_EQ(form->w.Liste.items[0], L"Choisissez une couleur des caractères");
    ASSERT_EQ(form->w.Liste.items.size(), 17u);
    chooseRow(0);  // the title row: nothing happens, the list stays
    EXPECT_EQ(form->w.Liste.items[0], L"Choisissez une couleur des caractères");
    chooseRow(2);  // Gris
    EXPECT_EQ(form->w.Liste.items[0], L"Choisissez une couleur d'arrière plan");
    chooseRow(16);  // Blanc pur
    EXPECT_FALSE(form->w.Liste.visible);
    EXPECT_EQ(form->app.config[34], L"8");
    EXPECT_EQ(form->app.config[35], L"15");
    EXPECT_EQ(form->w.ledgerForeColour, 8);
    EXPECT_EQ(form->w.ledgerBackColour, 15);
    // The lists and the dialog box keep their colours until the next start.
    EXPECT_EQ(form->w.foreColour, 2);
    EXPECT_EQ(form->w.backColour, 14);

    form->MenuCommand(L"mnuCouleurEcran");
    chooseRow(15);  // Blanc
    chooseRow(16);  // Blanc pur: 7 and 15 differ
    EXPECT_EQ(form->app.config[34], L"7");
    EXPECT_EQ(form->app.config[35], L"15");

    size_t boxes = tp.boxes.size();
    form->MenuCommand(L"mnuCouleurEcran");
    chooseRow(13);  // Jaune
    chooseRow(13);  // Jaune again
    ASSERT_EQ(tp.boxes.size(), boxes + 1);
    EXPECT_EQ(tp.boxes.back(), L"les couleurs caractère et arrière plan sont identiques");
    EXPECT_EQ(form->app.config[34], L"7");
    EXPECT_EQ(form->w.ledgerForeColour, 7);
    EXPECT_FALSE(form->w.Liste.visible);
    EXPECT_TRUE(form->app.normalMode);
}

TEST_F(Extras, ColoursChosenComeBackAtTheNextStartOnEveryControl) {
    open();
    form->MenuCommand(L"mnuCouleurEcran");
    chooseRow(1);   // Noir
    chooseRow(14);  // Jaune clair
    form->MenuCommand(L"mnuQuitterItem");
    form = std::make_unique<MainForm>(tp);
    form->Form_Load(L"");
    EXPECT_EQ(form->w.foreColour, 0);
    EXPECT_EQ(form->w.backColour, 14);
    EXPECT_EQ(form->w.ledgerForeColour, 0);
}

TEST_F(Extras, FontChoiceKeepsTheOldFontWhenCancelledOrRefused) {
    open();
    std::wstring name = form->app.config[19], size = form->app.config[20];
    tp.replies = {MsgResult::No};
    form->MenuCommand(L"mnuPoliceEcranItem");
    EXPECT_EQ(tp.boxes[tp.boxes.size() - 2], L"police " + name + L" Taille " + size);
    EXPECT_EQ(tp.boxes.back(), L"Voulez vous modifier la police de l'écran");

    tp.replies = {MsgResult::Yes};
    tp.fonts = {std::nullopt};
    form->MenuCommand(L"mnuPoliceImprimanteCheque");
    EXPECT_EQ(tp.boxes.back(), L"Vous n'avez sélectionné aucune police.");
    EXPECT_EQ(form->app.config[26], L"Arial");

    tp.replies = {MsgResult::Yes};
    tp.fonts = {FontChoice{L"DejaVu Sans Mono", 14}};
    form->MenuCommand(L"mnuPoliceEcranItem");
    EXPECT_EQ(form->app.config[19], L"DejaVu Sans Mono");
    EXPECT_EQ(form->app.config[20], L"14");
    EXPECT_EQ(form->w.fontName, L"DejaVu Sans Mono");
    EXPECT_EQ(form->w.fontSize, 14);

    tp.replies = {MsgResult::Yes};
    tp.fonts = {FontChoice{L"Liberation Serif", 9}};
    form->MenuCommand(L"mnuPoliceImprimante");
    EXPECT_EQ(form->app.config[21], L"Liberation Serif");
    EXPECT_EQ(form->app.config[22], L"9");
    EXPECT_EQ(form->w.fontName, L"DejaVu Sans Mono");  // a printer font leaves the screen alone

    form->MenuCommand(L"mnuOrientationImprimanteCheque");
    EXPECT_EQ(lastMessage(), L" mode paysage");
    EXPECT_EQ(form->app.config[28], L"1");
    form->MenuCommand(L"mnuOrientationImprimanteCheque");
    EXPECT_EQ(lastMessage(), L" mode portrait");
    EXPECT_EQ(form->app.config[28], L"0");
}

TEST(NotepadNames, ProposalAndBackupAreNamedFromTheFileNameOnly) {
    EXPECT_EQ(notepadProposal(L"/home/a.b/Banque.yzo"), L"/home/a.b/Banque.txt");
    EXPECT_EQ(notepadProposal(L"/home/a.b/Banque"), L"/home/a.b/Banque.txt");
    EXPECT_EQ(notepadProposal(L"C:\\x.y\\compte.2026.yzo"), L"C:\\x.y\\compte.txt");
    EXPECT_EQ(notepadBackupName(L"/d/compte.txt"), L"/d/compte.txt.bak");
    EXPECT_EQ(notepadLines(L"un\r\ndeux\ntrois"), (std::vector<std::wstring>{L"un", L"deux", L"trois"}));
    EXPECT_EQ(notepadLines(L"un\r\n"), (std::vector<std::wstring>{L"un"}));
    EXPECT_EQ(notepadLines(L""), (std::vector<std::wstring>{L""}));
}

TEST_F(Extras, NotepadSavesTwiceKeepingThePreviousTextInItsOwnBackup) {
    open();
    writeTextLines(folder + L"compte.bak", {L"sauvegarde du compte"});
    std::string accountBackup = fileBytes(folder + L"compte.bak");
    std::wstring note = folder + L"compte.txt";
    tp.files = {note};
    form->KeyDown(L"txt", KeyEvent{keyLetter('B'), true, true});
    ASSERT_TRUE(form->w.RtbNote.visible);
    EXPECT_FALSE(form->w.txt.visible);
    EXPECT_EQ(form->w.CmdQuitter.text, L"Opérations");
    EXPECT_EQ(form->w.title, L"compte.txt");
    EXPECT_EQ(form->app.config[32], note);

    form->w.RtbNote.text = L"première ligne";
    form->TextChanged(L"RtbNote");
    form->KeyDown(L"txt", KeyEvent{keyLetter('S'), false, true});  // Ctrl+S saves the notepad
    EXPECT_EQ(fileBytes(note), "premi\xE8re ligne\r\n");
    EXPECT_FALSE(fs::exists(fsPath(note + L".bak")));

    form->w.RtbNote.text = L"deuxième\r\nversion";
    form->TextChanged(L"RtbNote");
    form->enregistrer();
    EXPECT_EQ(fileBytes(note), "deuxi\xE8me\r\nversion\r\n");
    EXPECT_EQ(fileBytes(note + L".bak"), "premi\xE8re ligne\r\n");
    EXPECT_EQ(fileBytes(folder + L"compte.bak"), accountBackup);  // the account's backup is not touched
    EXPECT_FALSE(form->acc.modified[1]);

    // Escape after typing leaves without a question and without writing.
    form->w.RtbNote.text = L"perdu";
    form->KeyDown(L"RtbNote", KeyEvent{keyLetter('P')});
    size_t boxes = tp.boxes.size();
    form->KeyDown(L"RtbNote", KeyEvent{kKeyEscape});
    EXPECT_EQ(tp.boxes.size(), boxes);
    EXPECT_TRUE(form->w.txt.visible);
    EXPECT_EQ(fileBytes(note), "deuxi\xE8me\r\nversion\r\n");
}

TEST_F(Extras, NotepadReopensWithItsTextAndTheQuitButtonAsksBeforeLeaving) {
    open();
    std::wstring note = folder + L"notes.txt";
    writeTextLines(note, {L"ligne 1", L"ligne 2"});
    tp.files = {note};
    form->MenuCommand(L"mnuBlocNote");
    EXPECT_EQ(form->w.RtbNote.text, L"ligne 1\r\nligne 2");

    form->w.RtbNote.text += L"\r\nligne 3";
    form->TextChanged(L"RtbNote");
    tp.replies = {MsgResult::No};
    form->Click(L"CmdQuitter");
    EXPECT_EQ(tp.boxes.back(), L"Sauvegarder le bloc note");
    EXPECT_EQ(fileBytes(note), "ligne 1\r\nligne 2\r\n");
    EXPECT_TRUE(form->w.txt.visible);
    EXPECT_EQ(form->w.CmdQuitter.text, L"&Quitter");

    // The remembered notepad is proposed next time; Yes saves it.
    tp.files = {note};
    form->MenuCommand(L"mnuBlocNote");
    form->w.RtbNote.text = L"nouveau";
    form->TextChanged(L"RtbNote");
    tp.replies = {MsgResult::Yes};
    form->Click(L"CmdQuitter");
    EXPECT_EQ(fileBytes(note), "nouveau\r\n");

    // Cancelling the dialog leaves the ledger as it was; outside normal mode a beep.
    tp.files = {std::nullopt};
    form->MenuCommand(L"mnuBlocNote");
    EXPECT_TRUE(form->w.txt.visible);
    form->CmdCreation_Click();
    int beeps = tp.beeps;
    form->MenuCommand(L"mnuBlocNote");
    EXPECT_EQ(tp.beeps, beeps + 1);
}

// A notes file that is not text is not bound: the notepad stays closed, the
// next proposal is not that file, and nothing writes over it.
TEST_F(Extras, NotepadRefusesAFileItCannotReadWhole) {
    open();
    const std::pair<const char*, std::string> unreadable[] = {
        {"dos.txt", "mes notes\r\n\x1a"},
        {"utf16.txt", std::string("\xff\xfem\0e\0s\0\r\0\n\0", 12)},
    };
    for (const auto& [name, bytes] : unreadable) {
        std::wstring note = folder + fromUtf8(name);
        std::ofstream(fsPath(note), std::ios::binary) << bytes;
        tp.files = {note};
        form->MenuCommand(L"mnuBlocNote");
        EXPECT_NE(tp.boxes.back().find(L"1001 "), std::wstring::npos) << name;
        EXPECT_EQ(lastMessage(), L" Le bloc note " + fromUtf8(name) + L" n'est pas lu : il n'est pas ouvert");
        EXPECT_FALSE(form->w.RtbNote.visible);
        EXPECT_TRUE(form->w.txt.visible);
        EXPECT_TRUE(form->app.normalMode);
        EXPECT_NE(form->ext.notepadFile, note);
        EXPECT_NE(form->app.config[32], note);
        // Ctrl+S is the account's save again.
        form->KeyDown(L"txt", KeyEvent{keyLetter('S'), false, true});
        EXPECT_EQ(fileBytes(note), bytes);
        EXPECT_FALSE(fs::exists(fsPath(note + L".bak")));
    }
}

// Quitting asks about a modified notepad first: Cancel stays, No drops, Yes saves.
TEST_F(Extras, QuittingAsksAboutTheNotepadText) {
    open();
    std::wstring note = folder + L"compte.txt";
    tp.files = {note};
    form->MenuCommand(L"mnuBlocNote");
    form->w.RtbNote.text = L"à garder";
    form->TextChanged(L"RtbNote");

    tp.replies = {MsgResult::Cancel};
    EXPECT_FALSE(form->QueryClose());
    EXPECT_EQ(tp.boxes.back(), L"Sauvegarder le bloc note compte.txt ?");
    EXPECT_FALSE(tp.endCalled);
    EXPECT_TRUE(form->w.RtbNote.visible);
    EXPECT_FALSE(fs::exists(fsPath(note)));

    tp.replies = {MsgResult::Yes};
    form->MenuCommand(L"mnuQuitterItem");
    EXPECT_TRUE(tp.endCalled);
    EXPECT_EQ(fileBytes(note), "\xE0 garder\r\n");
}

TEST_F(Extras, QuittingWithoutSavingTheNotepadLeavesItsFile) {
    open();
    std::wstring note = folder + L"compte.txt";
    writeTextLines(note, {L"ancien"});
    tp.files = {note};
    form->MenuCommand(L"mnuBlocNote");
    // Left with Escape: the text is still the notepad's, and the quit asks.
    form->w.RtbNote.text = L"nouveau";
    form->KeyDown(L"RtbNote", KeyEvent{keyLetter('N')});
    form->KeyDown(L"RtbNote", KeyEvent{kKeyEscape});
    tp.replies = {MsgResult::No};
    EXPECT_TRUE(form->QueryClose());
    EXPECT_EQ(tp.boxes.back(), L"Sauvegarder le bloc note compte.txt ?");
    EXPECT_EQ(fileBytes(note), "ancien\r\n");
}

TEST_F(Extras, HelpFilesAreShownLineByLineAndAMissingOneIsSaid) {
    open();
    writeTextLines(folder + L"touche.txt", {L"Liste des touches", L"F1 : aide"});
    form->MenuCommand(L"mnuaideListeToucheItem");
    EXPECT_EQ(form->displayMode(), DisplayMode::Text);
    EXPECT_EQ(lastMessage(), L" Liste des touches");
    EXPECT_EQ(textLine(form->w.txt.text, 2), L"F1 : aide");
    EXPECT_EQ(form->w.CmdQuitter.text, L"Annuler");
    EXPECT_FALSE(form->w.CmdCreation.visible);
    form->Click(L"CmdQuitter");
    EXPECT_EQ(form->displayMode(), DisplayMode::Operations);

    form->MenuCommand(L"mnuAideTxtItem");  // no Aide_yzo.txt in this folder
    EXPECT_EQ(lastMessage(), L" fichier d'aide absent : Aide_yzo.txt");
    EXPECT_EQ(form->displayMode(), DisplayMode::Operations);
    EXPECT_TRUE(form->w.CmdCreation.visible);

    form->MenuCommand(L"mnuApropos");
    EXPECT_EQ(form->displayMode(), DisplayMode::Text);
    EXPECT_NE(form->w.txt.text.find(L"licence"), std::wstring::npos);
}

TEST_F(Extras, KeyHelpModeOnlySaysWhatCommandsDo) {
    open();
    std::wstring ledger = form->w.txt.text;
    form->MenuCommand(L"mnuAideToucheItem");
    EXPECT_EQ(lastMessage(), L" Aide Mémoire des touches");
    EXPECT_EQ(form->w.txt.text, L"");
    form->MenuCommand(L"mnuBlocNote");
    EXPECT_EQ(lastMessage(), L" bloc note");
    EXPECT_FALSE(form->w.RtbNote.visible);
    form->MenuCommand(L"mnuCouleurEcran");
    EXPECT_EQ(lastMessage(), L" Choix de la couleur de l'écran");
    EXPECT_FALSE(form->w.Liste.visible);
    std::wstring landscape = form->app.config[28];
    form->MenuCommand(L"mnuOrientationImprimanteCheque");
    EXPECT_EQ(form->app.config[28], landscape);
    size_t said = tp.messages.size();
    form->MenuCommand(L"mnuAideToucheItem");
    ASSERT_GT(tp.messages.size(), said);
    EXPECT_EQ(tp.messages[said], L" compte.yzo");
    EXPECT_EQ(form->w.txt.text, ledger);
    EXPECT_FALSE(form->app.keyHelp);
}

namespace {
void makeFolder(const std::wstring& path) { fs::create_directories(fsPath(path)); }
}  // namespace

TEST_F(Extras, ScreenReaderFilesGoToTheLastVersionFolderFound) {
    std::wstring docs = folder + L"Documents and Settings/";
    makeFolder(docs + L"All Users/Freedom Scientific/JAWS/99/settings/fra");
    makeFolder(docs + L"moi/Application Data/Freedom Scientific/JAWS/10.0/settings/fra");
    makeFolder(docs + L"moi/Application Data/Freedom Scientific/JAWS/11.0/settings/frc");
    tp.roots = {docs, folder + L"users", folder};
    writeTextLines(folder + L"yzo.jdf", {L"dictionnaire"});
    writeTextLines(folder + L"yzo.jcf", {L"configuration"});
    writeTextLines(folder + L"verjaws.ini", {L""});
    std::wstring expected = docs + L"moi/Application Data/Freedom Scientific/JAWS/11.0/settings/frc";
    // The proposal is accepted as it stands, with a trailing separator added by the user.
    tp.inputs = {expected + L"/"};
    open();
    EXPECT_EQ(tp.boxes.front(), L"input: Chemin des scripts de jaws");
    EXPECT_EQ(form->ext.scriptsFolder, expected);
    EXPECT_EQ(fileBytes(expected + L"/yzo.jdf"), "dictionnaire\r\n");
    EXPECT_EQ(fileBytes(expected + L"/yzo.jcf"), "configuration\r\n");
    EXPECT_FALSE(fs::exists(fsPath(folder + L"verjaws.ini")));
    EXPECT_FALSE(fs::exists(fsPath(docs + L"moi/Application Data/Freedom Scientific/JAWS/10.0/settings/fra/yzo.jdf")));
}

TEST_F(Extras, ScreenReaderCopyRefusesAnUnknownFolderAndAClearedAnswer) {
    open();
    tp.inputs = {L""};
    // No roots on this system: nothing found, and nothing proposed (a Windows
    // drive's folder cannot exist here); the question comes with an empty answer.
    form->jaws(L"yzo");
    EXPECT_EQ(form->ext.scriptsFolder, L"");
    EXPECT_EQ(tp.boxes.back(), L"input: Chemin des scripts de jaws");
    writeTextLines(folder + L"yzo.jdf", {L"dictionnaire"});
    size_t boxes = tp.boxes.size();
    tp.inputs = {L""};
    form->jaws(L"yzo");
    EXPECT_EQ(tp.boxes.size(), boxes + 1);  // the question only
    tp.inputs = {folder + L"absent"};
    form->jaws(L"yzo");
    EXPECT_EQ(tp.boxes.back(), L"chemin inconnu");

    // A drive whose folders start with JAWS: the last one in name order.
    makeFolder(folder + L"drive/JAWS9/settings/fra");
    makeFolder(folder + L"drive/Jaws12/settings/fra");
    tp.roots = {L"", L"", folder + L"drive"};
    tp.inputs = {L""};
    // On a case-sensitive system the upper-cased name of "Jaws12" does not exist:
    // the earlier "JAWS9" is not taken instead, the default below that drive is proposed.
    form->jaws(L"yzo");
    EXPECT_EQ(form->ext.scriptsFolder, folder + L"drive/JAWS/settings/fra");
    fs::remove_all(fsPath(folder + L"drive/Jaws12"));
    tp.inputs = {L""};
    form->jaws(L"yzo");
    EXPECT_EQ(form->ext.scriptsFolder, folder + L"drive/JAWS9/settings/fra");
}
