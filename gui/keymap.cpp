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
    case WXK_TAB: case WXK_NUMPAD_TAB: return kKeyTab;
    case WXK_RETURN: case WXK_NUMPAD_ENTER: return kKeyEnter;
    case WXK_SHIFT: return kKeyShift;
    case WXK_CONTROL: return kKeyCtrl;
    case WXK_ESCAPE: return kKeyEscape;
    case WXK_SPACE: case WXK_NUMPAD_SPACE: return kKeySpace;
    case WXK_PAGEUP: case WXK_NUMPAD_PAGEUP: return kKeyPageUp;
    case WXK_PAGEDOWN: case WXK_NUMPAD_PAGEDOWN: return kKeyPageDown;
    case WXK_END: case WXK_NUMPAD_END: return kKeyEnd;
    case WXK_HOME: case WXK_NUMPAD_HOME: return kKeyHome;
    case WXK_LEFT: case WXK_NUMPAD_LEFT: return kKeyLeft;
    case WXK_UP: case WXK_NUMPAD_UP: return kKeyUp;
    case WXK_RIGHT: case WXK_NUMPAD_RIGHT: return kKeyRight;
    case WXK_DOWN: case WXK_NUMPAD_DOWN: return kKeyDown;
    case WXK_INSERT: case WXK_NUMPAD_INSERT: return 45;
    case WXK_DELETE: case WXK_NUMPAD_DELETE: return kKeyDelete;
    case WXK_NUMPAD_MULTIPLY: return kKeyNumMultiply;
    case WXK_NUMPAD_ADD: return 107;
    case WXK_NUMPAD_SUBTRACT: return 109;
    case WXK_NUMPAD_DECIMAL: case WXK_NUMPAD_SEPARATOR: return 110;
    case WXK_NUMPAD_DIVIDE: return kKeyNumDivide;
    case WXK_NUMLOCK: return kKeyNumLock;
    default: return 0;
    }
}

// The punctuation keys, by a symbol they carry. A French keyboard's ":/" key
// is 191 and its "*µ" key 220; the other symbols give the numbers the same
// keys have on a French keyboard, or on a US one for symbols it alone has.
int punctuationKey(guint keyval) {
    switch (keyval) {
    case GDK_KEY_colon: case GDK_KEY_slash: return kKeyOem191;
    case GDK_KEY_asterisk: case GDK_KEY_mu: case GDK_KEY_backslash: return kKeyOem220;
    case GDK_KEY_comma: case GDK_KEY_question: return 188;
    case GDK_KEY_semicolon: case GDK_KEY_period: return 190;
    case GDK_KEY_exclam: case GDK_KEY_section: return 223;
    case GDK_KEY_ugrave: case GDK_KEY_percent: case GDK_KEY_grave: return 192;
    case GDK_KEY_dead_circumflex: case GDK_KEY_asciicircum: case GDK_KEY_dead_diaeresis:
    case GDK_KEY_bracketright: return 221;
    case GDK_KEY_dollar: case GDK_KEY_sterling: return 186;
    case GDK_KEY_parenright: case GDK_KEY_degree: case GDK_KEY_bracketleft: return 219;
    case GDK_KEY_equal: case GDK_KEY_plus: return 187;
    case GDK_KEY_twosuperior: case GDK_KEY_apostrophe: return 222;
    case GDK_KEY_less: case GDK_KEY_greater: return 226;
    case GDK_KEY_minus: return 189;
    default: return 0;
    }
}

// A character key is known by the physical key that typed it, as a layout
// names its keys: the key that carries a digit is that digit (on a French
// keyboard "&" and "1" share the key of 1), a letter key is its letter.
int characterKey(guint keyval, guint hardwareCode) {
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
    GdkKeymapKey* keys = nullptr;
    guint* keyvals = nullptr;
    gint count = 0;
    guint levels[2] = {keyval, 0};
    if (keymap && gdk_keymap_get_entries_for_keycode(keymap, hardwareCode, &keys, &keyvals, &count)) {
        int group = -1;
        for (gint i = 0; i < count; ++i)
            if (keyvals[i] == keyval) { group = keys[i].group; break; }
        if (group < 0 && count > 0) group = keys[0].group;
        levels[0] = levels[1] = 0;
        for (gint i = 0; i < count; ++i)
            if (keys[i].group == group && keys[i].level < 2) levels[keys[i].level] = keyvals[i];
        g_free(keys);
        g_free(keyvals);
        if (!levels[0]) levels[0] = keyval;
    }
    for (guint v : levels)
        if (v >= GDK_KEY_0 && v <= GDK_KEY_9) return '0' + static_cast<int>(v - GDK_KEY_0);
    guint upper = gdk_keyval_to_upper(levels[0]);
    if (upper >= GDK_KEY_A && upper <= GDK_KEY_Z) return 'A' + static_cast<int>(upper - GDK_KEY_A);
    for (guint v : levels)
        if (int code = punctuationKey(v)) return code;
    return 0;
}
}  // namespace

MappedKey mapKey(const wxKeyEvent& event) {
    MappedKey m;
    m.key.shift = event.ShiftDown();
    m.key.ctrl = event.ControlDown();
    m.alt = event.AltDown();
    int code = namedKey(event.GetKeyCode());
    guint keyval = event.GetRawKeyCode();
    if (!code) code = characterKey(keyval, event.GetRawKeyFlags());
    m.key.code = code;
    if (m.key.ctrl || m.alt) return m;
    switch (code) {
    case kKeyEnter: m.ch = L'\r'; break;
    case kKeyEscape: m.ch = 27; break;
    case kKeyBackspace: m.ch = 8; break;
    case kKeySpace: m.ch = L' '; break;
    case kKeyTab: break;
    default: {
        gunichar u = gdk_keyval_to_unicode(keyval);
        if (u >= 32 && u != 127 && u <= 0xFFFF) m.ch = static_cast<wchar_t>(u);
    }
    }
    return m;
}
