// The window as plain data. The program changes it; a front-end mirrors it
// onto real widgets (or prints it) after each event.
#pragma once
#include <string>
#include <vector>

// Key codes of the keyboard (virtual-key numbers).
enum KeyCode {
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyEnter = 13,
    kKeyShift = 16,
    kKeyCtrl = 17,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyInsert = 45,
    kKeyDelete = 46,
    kKey0 = 48,
    kKeyA = 65,
    kKeyNumMultiply = 106,
    kKeyNumDivide = 111,
    kKeyF1 = 112,
    kKeyNumLock = 144,
    kKeyOem191 = 191,
    kKeyOem220 = 220,
};
inline int keyF(int n) { return kKeyF1 + n - 1; }
inline int keyLetter(char c) { return kKeyA + (c - 'A'); }

struct KeyEvent {
    int code = 0;
    bool shift = false;
    bool ctrl = false;
};

// What is left of a key once the program has had it.
enum class KeyResult {
    Handled,   // the program did all there is to do
    ToWidget,  // the focused widget's own handling: typing into a box, Tab, a button, copying
    NoFocus,   // no control has the focus: nothing was done
};

// The key code of a key known by the character it types, whatever the
// keyboard layout: a letter or a digit is its own code, a punctuation mark
// the code of the key that carries it on a French keyboard ("/" and ":" 191,
// "*" and "µ" 220), else of its key on a US keyboard ("[" 219); "\\" and
// "&" have none, so that no other mark acts as "*". 0: none.
int keyCodeOfCharacter(wchar_t ch);
// The character a key types, as the key protocol takes it: Enter, Escape,
// Backspace and Space their own control characters, Tab none, any other key
// the printable character it typed on the user's layout (0 when none).
wchar_t characterOfKey(int code, wchar_t typed);
// A key that a text box uses to edit its own text or move in it: the
// clipboard and undo keys (Ctrl+A, Ctrl+Z, Ctrl+C, Ctrl+X, Ctrl+V), Home,
// End, the arrows, Backspace and Delete, with any modifier.
bool isTextEditingKey(const KeyEvent& key);
// A key that moves a caret or a selection of its own: the arrows, Home,
// End, Page Up and Page Down.
bool isCaretKey(int code);
// Ctrl+C and Ctrl+Insert: copy the selection of a text view.
bool isCopyKey(const KeyEvent& key);
// A key that a text box answers without changing its text: a caret move,
// selecting all (Ctrl+A), copying (Ctrl+C), Shift or Ctrl alone.
bool leavesTextAsItIs(const KeyEvent& key);

// The captions of the four buttons: what the screen reader says, and what the
// buttons whose action depends on their caption compare.
inline constexpr const wchar_t* kCaptionOk = L"OK";                             // validates a dialog
inline constexpr const wchar_t* kCaptionCancel = L"Annuler";                    // leaves a dialog
inline constexpr const wchar_t* kCaptionChequePreview = L"&Visu.Chèque";        // the ledger: previews a cheque
inline constexpr const wchar_t* kCaptionCreate = L"&Création";                  // the ledger: creates an operation
inline constexpr const wchar_t* kCaptionCreateRubrique = L"Création rubrique";  // a rubrique screen
inline constexpr const wchar_t* kCaptionCreateObjet = L"Création objet";        // an objet screen
inline constexpr const wchar_t* kCaptionModifyLine = L"Modif. &Ligne";          // changes a column or a parameter
inline constexpr const wchar_t* kCaptionObjetList = L"&Liste Objets";           // a rubrique screen: its objets
inline constexpr const wchar_t* kCaptionPrintCheque = L"&Imp.Chèque";           // the cheque preview: prints it
inline constexpr const wchar_t* kCaptionQuit = L"&Quitter";                     // the ledger: ends the program
inline constexpr const wchar_t* kCaptionLeaveNotepad = L"Opérations";  // the notepad: saves it, shows the ledger

enum class ControlKind { TextBox, MultiLineTextBox, Label, ListBox, CheckListBox, Button };

struct Control {
    std::wstring name;
    ControlKind kind = ControlKind::Label;
    std::wstring accessibleName;  // what the screen reader calls it
    std::wstring text;            // caption of a label or button, text of a text box
    bool visible = true;
    bool enabled = true;
    long caret = 0;  // text boxes: characters before the caret (CR LF counts 2)
    // Lists: the items, the selected one (-1 none) and the check marks.
    std::vector<std::wstring> items;
    int selected = -1;
    std::vector<bool> checked;
    // Bumped by every change the program makes to the text or the caret, so
    // that a front-end knows whether a key handler moved the caret itself.
    unsigned revision = 0;
    // Text boxes: what each line is (from the first; empty: nothing), for a
    // screen reader; a new text has none until the program names its lines.
    std::vector<std::wstring> lineNames;

    void setText(const std::wstring& t) {
        text = t;
        caret = 0;
        ++revision;
        lineNames.clear();
    }
    void setCaret(long c) {
        caret = c < 0 ? 0 : c;
        ++revision;
    }
    void show(bool on = true) {
        visible = on;
        enabled = on;
    }
    void clearItems() {
        items.clear();
        checked.clear();
        selected = -1;
    }
    void addItem(const std::wstring& item) {
        items.push_back(item);
        checked.push_back(false);
    }
    bool isTextBox() const { return kind == ControlKind::TextBox || kind == ControlKind::MultiLineTextBox; }
    bool isList() const { return kind == ControlKind::ListBox || kind == ControlKind::CheckListBox; }
};

struct Shortcut {
    int key = 0;  // 0: none
    bool shift = false;
    bool ctrl = false;
    bool matches(const KeyEvent& k) const { return key != 0 && key == k.code && shift == k.shift && ctrl == k.ctrl; }
};

struct MenuEntry {
    std::wstring menu;  // name of its top-level menu
    std::wstring name;
    int index = 0;  // 1..15 for the file entries mnuOuvrirSousMenu, else 0
    std::wstring caption;
    Shortcut shortcut;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    bool ledgerOnly = false;  // its shortcut changes the ledger: never taken from a text box
};

struct TopMenu {
    std::wstring name;
    std::wstring caption;
};

struct WindowModel {
    WindowModel();

    std::wstring title;
    Control txt, LblMessage, LblDial, txtDial, txtDate, txtPasse, Liste, ListeRec, RtbNote;
    Control CmdYzo, CmdCreation, CmdModifLigne, CmdQuitter;
    std::wstring focus = L"txt";
    std::vector<TopMenu> menuBar;
    std::vector<MenuEntry> menus;  // in menu-bar order
    // Screen colours (indexes 0-15 of the standard palette) and font.
    int foreColour = 2;
    int backColour = 14;
    int messageColour = 12;
    // The ledger box takes a new colour choice at once; the other controls at the next start.
    int ledgerForeColour = 2;
    int ledgerBackColour = 14;
    std::wstring fontName = L"Courier";
    int fontSize = 10;

    // nullptr when there is no such control or entry.
    Control* control(const std::wstring& name);
    MenuEntry* menu(const std::wstring& name, int index = 0);
    MenuEntry& entry(const std::wstring& name) { return *menu(name); }
    std::vector<Control*> controls();
    // The visible, enabled entry whose shortcut is this key pressed where the
    // focus is, or nullptr. In a text box its own editing keys and the
    // shortcuts that change the ledger run no entry.
    MenuEntry* menuForKey(const KeyEvent& key);
    // The focus is in a box the user types into (not the read-only ledger).
    bool focusInTypingBox();
};

// Line and column (from 1) of a caret in a CR LF text, and back.
void caretLineColumn(const std::wstring& text, long caret, long& line, long& column);
long caretFromLineColumn(const std::wstring& text, long line, long column);
// The text of line n (from 1) of a CR LF text.
std::wstring textLine(const std::wstring& text, long line);
long textLineCount(const std::wstring& text);
// How a multi-line text box moves its caret on a key of its own (arrows,
// Home, End, Page Up, Page Down). Returns the new caret.
long moveCaretInTextBox(const std::wstring& text, long caret, const KeyEvent& key);
// How a list moves its selection on a key of its own (arrows, Home, End, Page
// Up, Page Down): within its choices, never onto its title (item 0). Returns
// the new selection; any other key leaves it.
int moveListSelection(int selected, int count, const KeyEvent& key);
