// Francs and euros: the rates rounded to the cent, the other unit named
// through the configuration chain, and an account converted to euros.
#include <algorithm>

#include "currency/currency.h"
#include "support.h"

TEST(Rates, RoundedToTheCentOnTheDecimalAmount) {
    EXPECT_EQ(r_franc_euro(100), 15.24);
    EXPECT_EQ(r_euro_franc(10), 65.6);
    EXPECT_EQ(Forme_montant(r_euro_franc(-1.5)), L"-9,84");
    EXPECT_EQ(Forme_montant(r_franc_euro(0.03)), L"0");  // never "-0" nor "0,00"
    EXPECT_EQ(Forme_montant(r_franc_euro(-0.03)), L"0");
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

// Converting to euros converts the traites and pensions too, and adds the
// operation that makes the euro balance the converted franc balance.
TEST_F(ProgramFolder, ConvertingToEurosConvertsTheTraitesAndBalancesTheRounding) {
    start({headerLine(L'S', L"FRANCS"), operationLine(L" 1 12027", L'T', L"Divers", L"TRAITE", L"-123,45", L"0", L"1"),
           operationLine(L" 1 12026", L'R', L"Divers", L"A", L"0,04"),
           operationLine(L" 2 12026", L'R', L"Divers", L"B", L"0,04")});
    tp.replies.push_back(MsgResult::Yes);
    form->MenuCommand(L"mnuConvertirEuroItem");
    EXPECT_EQ(convertit_ChaineYzo(form->acc.pensionLines.at(1).text).montant, -18.82);
    ASSERT_EQ(form->acc.operationCount(), 3);
    const Operation balancing = convertit_ChaineYzo(form->acc.operationLines[3].text);
    EXPECT_EQ(balancing.objet, L"Conversion franc-euro");
    EXPECT_EQ(balancing.montant, -0.01);  // 0,08 francs is 0,01 euro; each line rounds to 0,01
    EXPECT_EQ(form->acc.table[1].unitName, L"EUROS");
}
