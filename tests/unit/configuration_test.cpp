// yzo.INI read at launch: defaults, short files, fallbacks and the storage folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace {
class IniLaunch : public ::testing::Test {
protected:
    std::wstring folder;
    TestPlatform tp;
    std::unique_ptr<MainForm> form;

    void SetUp() override {
        char tmpl[] = "/tmp/yzo-ini-XXXXXX";
        folder = fromUtf8(mkdtemp(tmpl)) + L"/";
        tp.folder = folder;
    }
    void TearDown() override { std::filesystem::remove_all(fsPath(folder)); }
    void launch(const std::vector<std::wstring>* ini) {
        if (ini) writeTextLines(folder + L"yzo.INI", *ini);
        form = std::make_unique<MainForm>(tp);
        form->Form_Load(L"");
    }
    const std::wstring& line(int n) const { return form->app.config[n]; }
};
}  // namespace

TEST_F(IniLaunch, MissingFileGivesTheDefaults) {
    launch(nullptr);
    EXPECT_EQ(line(1), L"sanstitre.yzo");
    EXPECT_EQ(line(17), L"1");
    EXPECT_EQ(line(19), L"Courier");
    EXPECT_EQ(line(24), folder);
    EXPECT_EQ(line(33), L"en tableau");
    EXPECT_EQ(line(34), L"2");
    EXPECT_EQ(line(35), L"14");
    EXPECT_TRUE(form->w.entry(L"mnuIncrementationNumero").checked);
    EXPECT_EQ(form->w.entry(L"mnuDossierStockage").caption, L"Dossier de stockage des comptes par defaut : " + folder);
}

TEST_F(IniLaunch, EmptyFileLeavesLinesEmptyBeforeTheFallbacks) {
    std::vector<std::wstring> none;
    tp.inputs.push_back(L"");  // the storage folder question is left unanswered
    launch(&none);
    EXPECT_EQ(tp.boxes.front(), L"input: Dossier de stockage des comptes par défaut");
    EXPECT_EQ(line(16), L"");
    EXPECT_EQ(line(24), L"");
    EXPECT_EQ(line(26), L"Arial");
    EXPECT_EQ(line(27), L"8");
    EXPECT_EQ(line(31), L"1");
    EXPECT_EQ(line(33), L"en tableau");
    EXPECT_EQ(line(34), L"2");
    EXPECT_EQ(line(35), L"14");
    EXPECT_FALSE(form->w.entry(L"mnuIncrementationNumero").checked);
}

TEST_F(IniLaunch, TwentyLinesAsksForTheStorageFolder) {
    std::vector<std::wstring> ini(15, L"sanstitre.yzo");
    for (const wchar_t* v : {L"0", L"0", L"1", L"Arial", L"14"}) ini.push_back(v);
    std::wstring made = folder + L"comptes";
    tp.inputs.push_back(made);
    tp.replies.push_back(MsgResult::Yes);  // "Création du dossier ..."
    launch(&ini);
    EXPECT_TRUE(form->w.entry(L"mnuNumeroSurCheque").checked);
    EXPECT_FALSE(form->w.entry(L"mnuAutreUniteItem").checked);
    EXPECT_EQ(form->w.fontName, L"Arial");
    EXPECT_EQ(form->w.fontSize, 14);
    EXPECT_EQ(line(21), L"");
    EXPECT_TRUE(std::filesystem::is_directory(fsPath(made)));
    EXPECT_EQ(line(24), made + L"/");
}

TEST_F(IniLaunch, BadValuesFallBack) {
    std::vector<std::wstring> ini(36, L"");
    for (int k = 0; k < 15; ++k) ini[k] = L"sanstitre.yzo";
    ini[23] = folder;
    ini[30] = L"16";
    ini[33] = L"3";
    ini[34] = L"3";
    ini.push_back(L"a 37th line is ignored");
    launch(&ini);
    EXPECT_EQ(line(31), L"1");
    EXPECT_EQ(line(34), L"2");
    EXPECT_EQ(line(35), L"14");
    ini[30] = L" 7";
    ini[33] = L"0";
    ini[34] = L"15";
    launch(&ini);
    EXPECT_EQ(line(31), L" 7");
    EXPECT_EQ(form->w.entry(L"mnuDeuxFichiersItem").caption, L"Nombre de fichier à ouvrir au lancement :  7");
    EXPECT_EQ(form->w.foreColour, 0);
    EXPECT_EQ(form->w.backColour, 15);
}

TEST_F(IniLaunch, MissingStorageFolder) {
    std::vector<std::wstring> ini(24, L"sanstitre.yzo");
    ini[23] = folder + L"absent/";
    tp.replies.push_back(MsgResult::No);
    launch(&ini);
    EXPECT_TRUE(tp.endCalled);
    EXPECT_EQ(tp.boxes.back(), L"Le dossier de stockage " + folder + L"absent/ est absent, continuez ?");
    tp.endCalled = false;
    tp.replies.push_back(MsgResult::Yes);
    launch(&ini);
    EXPECT_FALSE(tp.endCalled);
    EXPECT_EQ(form->app.storageFolder, folder);
}

TEST_F(IniLaunch, LaunchCountOption) {
    launch(nullptr);
    for (const wchar_t* refused : {L"0", L"16", L"x"}) {
        tp.inputs.push_back(refused);
        form->MenuCommand(L"mnuDeuxFichiersItem");
        EXPECT_EQ(tp.boxes.back(), L"le nombre doit être compris entre 1 et 15");
        EXPECT_EQ(line(31), L"1");
    }
    tp.inputs.push_back(L" 7");
    form->MenuCommand(L"mnuDeuxFichiersItem");
    EXPECT_EQ(line(31), L" 7");
    EXPECT_EQ(form->w.LblMessage.text, L" avec  7 fichiers au lancement");
    form->MenuCommand(L"mnuEnTableau");
    EXPECT_EQ(line(33), L"compacté");
    form->MenuCommand(L"mnuEnTableau");
    EXPECT_EQ(line(33), L"en tableau");
}
