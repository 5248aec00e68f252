// Francs and euros: the rates rounded to the cent, and the other unit named
// through the configuration chain.
#include <algorithm>

#include "currency/currency.h"
#include "support.h"

TEST(Rates, RoundedToTheCentOnTheDecimalAmount) {
    EXPECT_EQ(r_franc_euro(100), 15.24);
    EXPECT_EQ(r_euro_franc(10), 65.6);
    EXPECT_EQ(c_franc_euro(L"100"), L"15,24");
    EXPECT_EQ(c_euro_franc(L"10"), L"65,60");
    EXPECT_EQ(c_euro_franc(L"-1,5"), L"-9,84");
    EXPECT_EQ(c_franc_euro(L"0,03"), L"0");  // never "-0" nor "0,00"
    EXPECT_EQ(c_franc_euro(L"-0,03"), L"0");
    EXPECT_EQ(c_franc_euro(L"abc"), L"0");
}

TEST_F(ProgramFolder, AnOtherUnitThatWouldBreakTheHeaderIsRefused) {
    start({headerLine()});
    // The chain up to the unit list: title, start date kept, account type 1,
    // then the other unit's name, refused twice.
    tp.inputs = {L"ESSAI", L"", std::wstring(L"DOL") + RS + L"LARS", L"DOLLARS\r\nX", L"DOLLARS"};
    form->MenuCommand(L"mnuModifConfiguration");
    chooseRow(1);
    ASSERT_TRUE(form->ent.modes.unitChoice);
    chooseRow(1);
    EXPECT_EQ(std::count(tp.boxes.begin(), tp.boxes.end(), L"caractère interdit dans unité"), 2);
    EXPECT_EQ(form->acc.table[1].unitName, L"DOLLARS");
    EXPECT_EQ(form->acc.table[1].unitCode, 3);
    form->enregistrer();
    AccountHeader reread = convertit_ChaineConfiguration(readTextLines(account).at(0));
    EXPECT_EQ(reread.unitName, L"DOLLARS");
    EXPECT_EQ(reread.accountType, 1);
}
