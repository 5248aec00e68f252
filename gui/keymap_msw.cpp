// Keys on Windows: the raw key code of a key event is its virtual-key code,
// the program's own numbering.
#include "keymap.h"

#include <wx/event.h>

#include <windows.h>

namespace {
// Bits 16 to 23 of a key message's flags hold the key's scan code.
constexpr int kScanCodeShift = 16;
constexpr unsigned kScanCodeMask = 0xFF;
// ToUnicode leaves the keyboard's state (a dead key waiting) as it was.
constexpr UINT kKeepKeyboardState = 4;
// Room for what one key types.
constexpr int kTypedRoom = 8;

// Keys that type a character: letters, digits and the punctuation keys
// (VK_OEM_1 to VK_OEM_102). Their virtual-key code follows the layout's
// engraving only in part, so they are known by what they type.
bool typingKey(UINT virtualKey) {
    return (virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z') ||
           (virtualKey >= VK_OEM_1 && virtualKey <= VK_OEM_102);
}

// The character the key types on the user's layout with the modifiers held
// (the mark of a dead key); 0 when none.
wchar_t typedCharacter(UINT virtualKey, UINT scanCode) {
    BYTE state[256] = {};
    if (!::GetKeyboardState(state)) return 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_RCONTROL] = 0;  // Ctrl+letter types a control code
    state[VK_MENU] = state[VK_LMENU] = state[VK_RMENU] = 0;
    wchar_t typed[kTypedRoom] = {};
    int n = ::ToUnicodeEx(virtualKey, scanCode, state, typed, kTypedRoom, kKeepKeyboardState, ::GetKeyboardLayout(0));
    if (n == 0) return 0;
    return typed[0];  // a dead key (n < 0) gives its mark
}
}  // namespace

MappedKey mapKey(const wxKeyEvent& event) {
    MappedKey m;
    m.key.shift = event.ShiftDown();
    m.key.ctrl = event.ControlDown();
    m.alt = event.AltDown();
    UINT virtualKey = event.GetRawKeyCode();
    UINT scanCode = (event.GetRawKeyFlags() >> kScanCodeShift) & kScanCodeMask;
    wchar_t typed = typedCharacter(virtualKey, scanCode);
    // A character key is known by the character it types on the user's
    // layout (Shift+8 of a US keyboard is "*", not 8); any other key by its
    // virtual-key code.
    int code = typingKey(virtualKey) ? keyCodeOfCharacter(typed) : 0;
    if (!code) code = static_cast<int>(virtualKey);
    m.key.code = code;
    if (m.key.ctrl || m.alt) return m;
    m.ch = characterOfKey(code, typed);
    return m;
}
