// Copying the selection: it needs another open account and a chosen one.
#include "support.h"

TEST_F(ProgramFolder, CopyingTheSelectionNeedsAnotherAccountAndAChosenOne) {
    const std::wstring line = operationLine(L" 2122026", L'D', L"Courses", L"MARCHE", L"-20", L"0", L"ES");
    const std::wstring other = folder + L"b.yzo";
    writeTextLines(other, {headerLine(L'S', L"EUROS", false, L"B")});
    start({headerLine(L'S', L"EUROS", false, L"A"), line});
    form->MenuCommand(L"MnuSelectionToutItem");
    form->MenuCommand(L"MnuCopieSelectionItem");
    EXPECT_EQ(lastMessage(), L" un seul fichier!");
    EXPECT_FALSE(form->w.Liste.visible);
    tp.files.push_back(other);
    form->MenuCommand(L"mnuOuvrirItem");
    form->switchTo(1);
    form->MenuCommand(L"MnuSelectionToutItem");
    form->MenuCommand(L"MnuCopieSelectionItem");
    // Validated on its title: nothing happens, the list stays.
    form->w.Liste.selected = 0;
    form->Click(L"CmdYzo");
    EXPECT_TRUE(form->w.Liste.visible);
    EXPECT_FALSE(form->acc.modified[2]);
    // Esc leaves it; nothing was copied. Then into the empty account.
    form->KeyDown(L"Liste", KeyEvent{kKeyEscape});
    form->KeyPress(L"Liste", 27);
    EXPECT_FALSE(form->ent.modes.copyList);
    EXPECT_EQ(form->acc.table[2].lineCount, 0);
    form->MenuCommand(L"MnuCopieSelectionItem");
    form->w.Liste.selected = 1;
    form->Click(L"CmdYzo");
    form->switchTo(2);
    ASSERT_EQ(form->acc.operationCount(), 1);
    EXPECT_EQ(form->acc.operationLines[1].text, line);
}
