// Screen colours and fonts, the notepad, the help texts and key-help mode, and
// the copy of the screen reader's files.
#include "support.h"

namespace {
// The program started on an account with one operation.
class Extras : public ProgramFolder {
protected:
    void open() { start({headerLine(), operationLine(L" 2 12026", L'D', L"LOYER", L"PROPRIO", L"500", L"0", L"12")}); }
};
}  // namespace

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
    EXPECT_EQ(readBytes(note), "ancien\r\n");
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

TEST_F(Extras, ScreenReaderFilesGoToTheLastVersionFolderFound) {
    std::wstring docs = folder + L"Documents and Settings/";
    fs::create_directories(fsPath(docs + L"All Users/Freedom Scientific/JAWS/99/settings/fra"));
    fs::create_directories(fsPath(docs + L"moi/Application Data/Freedom Scientific/JAWS/10.0/settings/fra"));
    fs::create_directories(fsPath(docs + L"moi/Application Data/Freedom Scientific/JAWS/11.0/settings/frc"));
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
    EXPECT_EQ(readBytes(expected + L"/yzo.jdf"), "dictionnaire\r\n");
    EXPECT_EQ(readBytes(expected + L"/yzo.jcf"), "configuration\r\n");
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
    fs::create_directories(fsPath(folder + L"drive/JAWS9/settings/fra"));
    fs::create_directories(fsPath(folder + L"drive/Jaws12/settings/fra"));
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
