// yzo.INI read at launch: defaults, short files, fallbacks and the storage folder.
#include "support.h"

namespace {
// The program started in a folder of its own, with or without a yzo.INI.
class IniLaunch : public ProgramFolder {
protected:
    void launch(const std::vector<std::wstring>* ini) {
        if (ini) writeTextLines(folder + L"yzo.INI", *ini);
        start();
    }
    const std::wstring& line(int n) const { return form->app.config[n]; }
};
}  // namespace

TEST_F(IniLaunch, MissingFileGivesTheDefaults) {
    launch(nullptr);
    const std::pair<int, std::wstring> defaults[] = {{1, L"sanstitre.yzo"}, {17, L"1"}, {19, L"Courier"}, {24, folder},
                                                     {33, L"en tableau"},   {34, L"2"}, {35, L"14"}};
    for (const auto& [n, value] : defaults) EXPECT_EQ(line(n), value) << "line " << n;
    EXPECT_TRUE(form->w.entry(L"mnuIncrementationNumero").checked);
    EXPECT_EQ(form->w.entry(L"mnuDossierStockage").caption, L"Dossier de stockage des comptes par defaut : " + folder);
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
    EXPECT_TRUE(fs::is_directory(fsPath(made)));
    EXPECT_EQ(line(24), made + L"/");
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
