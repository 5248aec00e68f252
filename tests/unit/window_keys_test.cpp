// Which key a character is, and which menu entry a key runs where the focus is.
#include <gtest/gtest.h>

#include "app/window.h"

namespace {
KeyEvent key(int code, bool shift = false, bool ctrl = false) { return {code, shift, ctrl}; }

// The entry a key runs with the focus on a control, or "" for none.
std::wstring entryRun(WindowModel& w, const std::wstring& focus, const KeyEvent& k) {
    w.focus = focus;
    const MenuEntry* m = w.menuForKey(k);
    return m ? m->name : L"";
}
}  // namespace

TEST(WindowKeys, ACharacterKeyIsKnownByTheCharacterItTypes) {
    EXPECT_EQ(keyCodeOfCharacter(L'a'), keyLetter('A'));
    EXPECT_EQ(keyCodeOfCharacter(L'Z'), keyLetter('Z'));
    EXPECT_EQ(keyCodeOfCharacter(L'0'), kKey0);
    EXPECT_EQ(keyCodeOfCharacter(L'8'), kKey0 + 8);
    // The mark and the registration, on any layout: Shift+8 of a US keyboard
    // types "*", Shift+":" of a French one "/".
    EXPECT_EQ(keyCodeOfCharacter(L'*'), kKeyOem220);
    EXPECT_EQ(keyCodeOfCharacter(L'/'), kKeyOem191);
    EXPECT_EQ(keyCodeOfCharacter(L':'), kKeyOem191);
    EXPECT_EQ(keyCodeOfCharacter(L'\u00b5'), kKeyOem220);  // µ, Shift of the French "*" key
    // A character that shares a key with a digit is not that digit.
    EXPECT_EQ(keyCodeOfCharacter(L'&'), 0);
    EXPECT_EQ(keyCodeOfCharacter(L'\\'), 0);  // the US key 220 types no mark
    EXPECT_EQ(keyCodeOfCharacter(L'\u00e9'), 0);  // é
    EXPECT_EQ(keyCodeOfCharacter(0), 0);
}

TEST(WindowKeys, TextBoxesKeepTheirEditingKeys) {
    for (int code : {kKeyHome, kKeyEnd, kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeyBackspace, kKeyDelete})
        EXPECT_TRUE(isTextEditingKey(key(code))) << code;
    EXPECT_TRUE(isTextEditingKey(key(kKeyHome, true, true)));
    for (char letter : {'A', 'Z', 'C', 'X', 'V'}) {
        EXPECT_TRUE(isTextEditingKey(key(keyLetter(letter), false, true))) << letter;
        EXPECT_FALSE(isTextEditingKey(key(keyLetter(letter)))) << letter;
    }
    EXPECT_FALSE(isTextEditingKey(key(keyLetter('S'), false, true)));
    EXPECT_FALSE(isTextEditingKey(key(kKeyEnter)));
    // Of those, the ones that cannot change the text.
    for (const KeyEvent& k : {key(kKeyDown), key(kKeyEnd, true, true), key(keyLetter('A'), false, true),
                              key(keyLetter('C'), false, true), key(kKeyCtrl, false, true)})
        EXPECT_TRUE(leavesTextAsItIs(k)) << k.code;
    for (const KeyEvent& k : {key(kKeyBackspace), key(kKeyDelete), key(keyLetter('A')), key(keyLetter('V'), false, true),
                              key(keyLetter('X'), false, true), key(keyLetter('Z'), false, true), key(kKeyEnter)})
        EXPECT_FALSE(leavesTextAsItIs(k)) << k.code;
}

TEST(WindowKeys, TheSelectionShortcutsActWhereTheLedgerAListOrAButtonHasTheFocus) {
    WindowModel w;
    const KeyEvent selectAll = key(keyLetter('A'), false, true), unselectAll = key(keyLetter('Z'), false, true);
    const KeyEvent eraseSelected = key(keyF(5), true, false), save = key(keyLetter('S'), false, true);
    for (const wchar_t* where : {L"txt", L"Liste", L"ListeRec", L"CmdYzo"}) {
        EXPECT_EQ(entryRun(w, where, selectAll), L"MnuSelectionToutItem") << where;
        EXPECT_EQ(entryRun(w, where, unselectAll), L"MnuDeSelectionToutItem") << where;
        EXPECT_EQ(entryRun(w, where, eraseSelected), L"MnuEffaceSelectionItem") << where;
    }
    for (const wchar_t* box : {L"txtDial", L"txtDate", L"txtPasse", L"RtbNote"}) {
        EXPECT_EQ(entryRun(w, box, selectAll), L"") << box;
        EXPECT_EQ(entryRun(w, box, unselectAll), L"") << box;
        EXPECT_EQ(entryRun(w, box, eraseSelected), L"") << box;
        EXPECT_EQ(entryRun(w, box, key(keyF(6), true, true)), L"") << box;
        // The other shortcuts are the window's, wherever the focus is.
        EXPECT_EQ(entryRun(w, box, save), L"mnuEnregistrer") << box;
        EXPECT_EQ(entryRun(w, box, key(keyF(9))), L"MnuInformationItem") << box;
    }
    // A switched-off entry runs nowhere.
    w.entry(L"MnuSelectionToutItem").enabled = false;
    EXPECT_EQ(entryRun(w, L"txt", selectAll), L"");
}

// A list's item 0 is its title: the keys move among its choices only.
TEST(WindowKeys, ListKeysNeverMoveOntoTheTitle) {
    const int count = 23;  // the title and 22 choices
    EXPECT_EQ(moveListSelection(1, count, key(kKeyUp)), 1);
    EXPECT_EQ(moveListSelection(5, count, key(kKeyUp)), 4);
    EXPECT_EQ(moveListSelection(9, count, key(kKeyHome)), 1);
    EXPECT_EQ(moveListSelection(6, count, key(kKeyPageUp)), 1);
    EXPECT_EQ(moveListSelection(15, count, key(kKeyPageUp)), 5);
    EXPECT_EQ(moveListSelection(-1, count, key(kKeyDown)), 1);
    EXPECT_EQ(moveListSelection(-1, count, key(kKeyPageDown)), 11);
    EXPECT_EQ(moveListSelection(0, count, key(kKeyDown)), 1);  // from the title the program chose
    EXPECT_EQ(moveListSelection(21, count, key(kKeyDown)), 22);
    EXPECT_EQ(moveListSelection(22, count, key(kKeyDown)), 22);
    EXPECT_EQ(moveListSelection(3, count, key(kKeyEnd)), 22);
    EXPECT_EQ(moveListSelection(3, count, key(keyLetter('A'))), 3);
    // A list of its title alone, and an empty one.
    EXPECT_EQ(moveListSelection(-1, 1, key(kKeyDown)), 0);
    EXPECT_EQ(moveListSelection(0, 1, key(kKeyHome)), 0);
    EXPECT_EQ(moveListSelection(-1, 0, key(kKeyDown)), -1);
}
