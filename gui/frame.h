// The main window: the program's window model mirrored onto real widgets,
// and widget events turned into the program's events.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "app/mainform.h"
#include "keymap.h"

class wxButton;
class wxCheckListBox;
class wxListBox;
class wxMenu;
class wxPanel;
class wxStaticText;
class wxTextCtrl;
class WxPlatform;

class MainFrame : public wxFrame {
public:
    explicit MainFrame(WxPlatform& platform);

    // The launch event, once the window is on the screen.
    void start(const std::wstring& commandLine);
    // A new status message. The messages of an event are shown and spoken
    // together when it is over (flushStatus), once the focus has moved, so
    // that the screen reader hears the new focus first and then each message.
    void showStatus(const std::wstring& text);
    void flushStatus();

private:
    // Runs one event of the program: the user's edits are copied into the
    // model first, the model is mirrored onto the widgets after.
    void dispatch(const std::function<void()>& event);
    void copyUserEdits();
    void mirror();
    // Gives the dialog's question to the boxes and lists that answer it.
    void describeAnswers();
    void mirrorControl(Control& c);
    // The text a text box shows of the control's text.
    std::wstring shownText(const Control& c) const;
    // Draws the rules of the ledger's text (shown as blanks) as bands.
    void markRules(const Control& c);
    void mirrorMenus();
    void mirrorLook();
    void rebuildMenu(size_t top);
    wxString entryLabel(const MenuEntry& m) const;

    void onCharHook(wxKeyEvent& event);
    // Runs a key where the model's focus is; true when the widget is to
    // handle the key itself.
    bool runKey(const MappedKey& m);
    void blockAcceleratorOf(const KeyEvent& key);
    void onText(Control& c);
    void onClose(wxCloseEvent& event);
    // Takes the window down once the program has ended.
    void endWindow();

    // The choice lists: the program's item 0 is the list's question, which
    // the widget shows as its name and in lblListe_, not as a row.
    void bindListe(wxListBox* list);
    void changeListeWhenAsked();
    void mirrorListQuestion(Control& c, wxListBox* list);
    void mirrorListRows(Control& c, wxListBox* list);

    wxWindow* widget(const Control& c) const;
    Control* controlOf(wxWindow* window);

    MainForm form_;
    WxPlatform& platform_;
    wxPanel* panel_ = nullptr;
    wxPanel* statusArea_ = nullptr;
    wxStaticText* lblMessage_ = nullptr;
    wxStaticText* lblDial_ = nullptr;
    wxTextCtrl* txt_ = nullptr;
    wxTextCtrl* txtDial_ = nullptr;
    wxTextCtrl* txtDate_ = nullptr;
    wxTextCtrl* txtPasse_ = nullptr;
    wxTextCtrl* rtbNote_ = nullptr;
    wxListBox* liste_ = nullptr;                       // the list that shows Liste now
    wxListBox* otherListe_ = nullptr;                  // the one that takes Liste's next question
    wxListBox* leftListe_ = nullptr;                   // the list just left, hidden once the focus moved
    wxStaticText* lblListe_ = nullptr;                 // the question of the list shown, for the eye
    std::map<wxWindow*, std::wstring> listQuestions_;  // the question each list is named by
    wxCheckListBox* listeRec_ = nullptr;
    std::map<std::wstring, wxWindow*> widgets_;
    std::map<std::wstring, wxButton*> buttons_;

    // Menus: one wx item id per entry of the model, in the model's order.
    int firstMenuId_ = 0;
    std::vector<wxMenu*> topMenus_;
    std::vector<std::vector<size_t>> shownEntries_;  // per top menu: the entries it holds
    std::vector<std::wstring> pendingMessages_;      // set during the event running
    bool mirroring_ = false;                         // the widgets are being set from the model
    std::set<size_t> checkable_;                     // entries that have ever been ticked
    int depth_ = 0;                                  // events running (a modal dialog nests them)
    bool closing_ = false;
    bool trace_ = false;  // YZO_TRACE_KEYS=1: each key on standard error
    // One key press as the system sent it, to know it again when it comes
    // back through a parent widget.
    struct PressedKey {
        long time = 0;
        unsigned raw = 0;
        unsigned flags = 0;
        bool operator==(const PressedKey&) const = default;
    };
    PressedKey lastKey_;  // the last key press hooked
    static constexpr size_t kNoEntry = static_cast<size_t>(-1);
    size_t blockedEntry_ = kNoEntry;  // the entry the key being typed must not run
};
