// Turns a key pressed in the window into the program's key code (the
// virtual-key numbers of window.h) and the character it types.
#pragma once
#include "app/window.h"

class wxKeyEvent;

struct MappedKey {
    KeyEvent key;      // code 0: a key the program has no number for
    wchar_t ch = 0;    // the character typed, 0 when none
    bool alt = false;  // Alt combinations belong to the menus and mnemonics
};

MappedKey mapKey(const wxKeyEvent& event);
