// The reference lists: damaged list files read as far as they can be and never
// written over, and an objet list named outside the program's folder.
#include "account/paths.h"
#include "support.h"

// The program's folder (which holds the lists) inside the test folder, which
// holds files beside it.
class ListScreens : public ProgramFolder {
protected:
    std::wstring root = folder;
    ListScreens() {
        folder += L"liste/";
        account = folder + L"compte.yzo";
        fs::create_directories(fsPath(folder));
    }
    void open(wchar_t typeLetter = L'S', const std::wstring& objetList = L"") {
        start({L" 1 12026 " + (typeLetter + objetList) + fields({L"", L"ESSAI", L"0", L"0", L"EUROS", L"0"})});
    }
    std::vector<std::wstring> names(const std::vector<StandardRubrique>& list) {
        std::vector<std::wstring> out;
        for (size_t i = 1; i < list.size(); ++i) out.push_back(list[i].name);
        return out;
    }
};

TEST_F(ListScreens, DamagedRubriqueFilesGiveWhatCanBeReadAndAreNeverWrittenOver) {
    // Blank lines and a code letter alone are skipped; a runaway line is reported.
    std::string ope = "D Loyer\r\n\r\n   \r\nD\r\nR " + std::string(kMaxRubriqueName + 1, 'x') + "\r\nR Salaire\r\n";
    writeBytes(fsPath(folder + L"Rubrique.ope"), ope);
    std::string pen = std::string("T Assurance\r\nP Re\x00traite\r\n", 25);  // a NUL: not text
    writeBytes(fsPath(folder + L"Rubrique.pen"), pen);
    open();
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
    chooseRow(1);
    EXPECT_EQ(names(form->lst.rubriquesOpe), (std::vector<std::wstring>{L"Cadeaux", L"Loyer", L"Salaire"}));
    form->Click(L"CmdYzo");
    EXPECT_NE(tp.boxes.back().find(L"sur SauveRubrique"), std::wstring::npos);
    EXPECT_EQ(readBytes(fsPath(folder + L"Rubrique.ope")), ope);
    EXPECT_TRUE(form->w.txt.visible);  // back to the ledger, the program goes on
    form->MenuCommand(L"mnuAfficheRubriquePension");
    tp.inputs.push_back(L"Mutuelle");
    form->Click(L"CmdCreation");
    chooseRow(1);
    form->Click(L"CmdYzo");
    EXPECT_EQ(readBytes(fsPath(folder + L"Rubrique.pen")), pen);
}

TEST_F(ListScreens, AStandardObjetListNamedOutsideTheFolderIsNotOpened) {
    writeTextLines(root + L"x.obj", {L"DEHORS"});
    open(L'R', L"../x.obj");
    form->MenuCommand(L"mnuAfficheObjet");
    EXPECT_FALSE(form->ent.modes.objetScreenStandard);
    EXPECT_NE(tp.boxes.back().find(L"nom refusé"), std::wstring::npos);
}
