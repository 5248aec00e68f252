#include "keymap.h"

#include <wx/event.h>

#include <gdk/gdk.h>
#include <gdk/gdkkeysyms.h>

namespace {
// Keys named by the toolkit, whatever the keyboard layout.
int namedKey(int wxCode) {
    if (wxCode >= WXK_F1 && wxCode <= WXK_F24) return kKeyF1 + (wxCode - WXK_F1);
    if (wxCode >= WXK_NUMPAD0 && wxCode <= WXK_NUMPAD9) return 96 + (wxCode - WXK_NUMPAD0);
    switch (wxCode) {
    case WXK_BACK: return kKeyBackspace;
    case WXK_TAB:
    case WXK_NUMPAD_TAB: return kKeyTab;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: return kKeyEnter;
    case WXK_SHIFT: return kKeyShift;
    case WXK_CONTROL: return kKeyCtrl;
    case WXK_ESCAPE: return kKeyEscape;
    case WXK_SPACE:
    case WXK_NUMPAD_SPACE: return kKeySpace;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP: return kKeyPageUp;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN: return kKeyPageDown;
    case WXK_END:
    case WXK_NUMPAD_END: return kKeyEnd;
    case WXK_HOME:
    case WXK_NUMPAD_HOME: return kKeyHome;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT: return kKeyLeft;
    case WXK_UP:
    case WXK_NUMPAD_UP: return kKeyUp;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT: return kKeyRight;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN: return kKeyDown;
    case WXK_INSERT:
    case WXK_NUMPAD_INSERT: return kKeyInsert;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE: return kKeyDelete;
    case WXK_NUMPAD_MULTIPLY: return kKeyNumMultiply;
    case WXK_NUMPAD_ADD: return 107;
    case WXK_NUMPAD_SUBTRACT: return 109;
    case WXK_NUMPAD_DECIMAL:
    case WXK_NUMPAD_SEPARATOR: return 110;
    case WXK_NUMPAD_DIVIDE: return kKeyNumDivide;
    case WXK_NUMLOCK: return kKeyNumLock;
    default: return 0;
    }
}

// The character a key types: the one GDK names, or the mark of a dead key.
wchar_t typedCharacter(guint keyval) {
    switch (keyval) {
    case GDK_KEY_dead_circumflex: return L'^';
    case GDK_KEY_dead_diaeresis: return L'\u00a8';
    default: break;
    }
    gunichar u = gdk_keyval_to_unicode(keyval);
    return u > 0 && u <= 0xFFFF ? static_cast<wchar_t>(u) : 0;
}
}  // namespace

MappedKey mapKey(const wxKeyEvent& event) {
    MappedKey m;
    m.key.shift = event.ShiftDown();
    m.key.ctrl = event.ControlDown();
    m.alt = event.AltDown();
    int code = namedKey(event.GetKeyCode());
    // A character key is known by the character it types on the user's
    // layout (Shift+8 of a US keyboard is "*", not 8).
    guint keyval = event.GetRawKeyCode();
    if (!code) code = keyCodeOfCharacter(typedCharacter(keyval));
    m.key.code = code;
    if (m.key.ctrl || m.alt) return m;
    gunichar u = gdk_keyval_to_unicode(keyval);
    m.ch = characterOfKey(code, u <= 0xFFFF ? static_cast<wchar_t>(u) : 0);
    return m;
}
