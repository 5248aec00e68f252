#include "frame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "access.h"
#include "buttonclick.h"
#include "app/textfile.h"
#include "ledger/format.h"
#include "keymap.h"
#include "textpos.h"
#include "wxplatform.h"

namespace {
wxString wx(const std::wstring& s) { return wxString(s.c_str()); }
std::wstring ws(const wxString& s) { return s.ToStdWstring(); }

// The 16 colours of the classic palette, by number.
wxColour paletteColour(int n) {
    static const unsigned char rgb[16][3] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                             {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                             {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                             {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    if (n < 0 || n > 15) n = 0;
    return wxColour(rgb[n][0], rgb[n][1], rgb[n][2]);
}

std::wstring keyName(int code) {
    if (code >= kKeyF1 && code < kKeyF1 + 24) return L"F" + std::to_wstring(code - kKeyF1 + 1);
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return std::wstring(1, static_cast<wchar_t>(code));
    return L"";
}

// The status area holds the status label. It is no Tab stop: the label is
// read to the user when it changes, not visited.
class StatusArea : public wxPanel {
public:
    using wxPanel::wxPanel;
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
};

// Replaces only the part of a text view's text that changed, so that the
// screen reader hears of the changed line, not of the whole text again.
void replaceChangedPart(wxTextCtrl* box, const wxString& before, const wxString& after) {
    size_t prefix = 0;
    while (prefix < before.length() && prefix < after.length() && before[prefix] == after[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < before.length() - prefix && suffix < after.length() - prefix &&
           before[before.length() - 1 - suffix] == after[after.length() - 1 - suffix])
        ++suffix;
    long from = static_cast<long>(prefix), to = static_cast<long>(before.length() - suffix);
    box->Replace(from, to, after.Mid(prefix, after.length() - prefix - suffix));
}

// The program's lists hold their question as item 0 and their choices after
// it; a list widget holds the choices only.
constexpr int kTitleRows = 1;

}  // namespace

MainFrame::MainFrame(WxPlatform& platform)
    : wxFrame(nullptr, wxID_ANY, "yzo", wxDefaultPosition, wxSize(1000, 720)), form_(platform), platform_(platform) {
    const char* trace = std::getenv("YZO_TRACE_KEYS");
    trace_ = trace && trace[0] == '1';
    WindowModel& w = form_.w;
    panel_ = new wxPanel(this);

    // Creation order is the tab order: the dialog boxes, the ledger and the
    // lists that take its place, then the buttons.
    statusArea_ = new StatusArea(panel_);
    lblMessage_ = new wxStaticText(statusArea_, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
    lblDial_ = new wxStaticText(panel_, wxID_ANY, "");
    txtDial_ = new wxTextCtrl(panel_, wxID_ANY);
    txtDate_ = new wxTextCtrl(panel_, wxID_ANY);
    txtPasse_ = new wxTextCtrl(panel_, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    txt_ = new wxTextCtrl(panel_, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                          wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    lblListe_ = new wxStaticText(panel_, wxID_ANY, "");
    liste_ = new wxListBox(panel_, wxID_ANY);
    otherListe_ = new wxListBox(panel_, wxID_ANY);
    listeRec_ = new wxCheckListBox(panel_, wxID_ANY);
    rtbNote_ = new wxTextCtrl(panel_, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_MULTILINE);
    widgets_ = {{L"LblMessage", lblMessage_}, {L"LblDial", lblDial_},   {L"txt", txt_},
                {L"txtDial", txtDial_},       {L"txtDate", txtDate_},   {L"txtPasse", txtPasse_},
                {L"Liste", liste_},           {L"ListeRec", listeRec_}, {L"RtbNote", rtbNote_}};
    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    for (Control* c : {&w.CmdYzo, &w.CmdCreation, &w.CmdModifLigne, &w.CmdQuitter}) {
        auto* b = new wxButton(panel_, wxID_ANY, wx(c->text));
        buttons_[c->name] = b;
        widgets_[c->name] = b;
        buttonRow->Add(b, 0, wxALL, 4);
        clickWhenActivated(b);  // its mnemonic, Enter or Space clicks it as the key goes down
        std::wstring name = c->name;
        b->Bind(wxEVT_BUTTON, [this, name](wxCommandEvent&) {
            if (trace_) std::fprintf(stderr, "click %s\n", toUtf8(name).c_str());
            dispatch([this, name] { form_.Click(name); });
        });
    }

    auto* statusSizer = new wxBoxSizer(wxVERTICAL);
    statusSizer->Add(lblMessage_, 0, wxEXPAND | wxALL, 4);
    statusArea_->SetSizer(statusSizer);
    auto* dialogRow = new wxBoxSizer(wxHORIZONTAL);
    dialogRow->Add(txtDial_, 1, wxALL, 2);
    dialogRow->Add(txtDate_, 0, wxALL, 2);
    dialogRow->Add(txtPasse_, 0, wxALL, 2);
    auto* main = new wxBoxSizer(wxVERTICAL);
    main->Add(statusArea_, 0, wxEXPAND);
    main->Add(lblDial_, 0, wxEXPAND | wxALL, 4);
    main->Add(dialogRow, 0, wxEXPAND);
    main->Add(lblListe_, 0, wxEXPAND | wxALL, 4);
    for (wxWindow* big : std::initializer_list<wxWindow*>{txt_, liste_, otherListe_, listeRec_, rtbNote_})
        main->Add(big, 1, wxEXPAND | wxALL, 4);
    main->Add(buttonRow, 0, wxALIGN_CENTER_HORIZONTAL);
    panel_->SetSizer(main);

    for (Control* c : w.controls()) {
        if (!c->accessibleName.empty()) setAccessibleName(widget(*c), c->accessibleName);
        std::wstring name = c->name;
        std::vector<wxWindow*> shown{widget(*c)};
        if (c == &w.Liste) shown.push_back(otherListe_);
        for (wxWindow* win : shown)
            win->Bind(wxEVT_SET_FOCUS, [this, name](wxFocusEvent& e) {
                // The user moved the focus (Tab or a click): the program follows.
                Control* c = form_.w.control(name);
                if (depth_ == 0 && c && c->visible && c->enabled) form_.w.focus = name;
                e.Skip();
            });
    }
    lblListe_->Hide();
    otherListe_->Hide();
    // The list of check boxes stays a table: a screen reader reads a table's
    // whole row, its check box and its text, and a list box's focused cell only.
    for (wxListBox* list : {liste_, otherListe_}) makeListBox(list);
    makeNotification(statusArea_);
    // ATK announces no name given to an object that had none: start with one.
    setAccessibleName(statusArea_, L"");
    for (wxTextCtrl* box : {txtDial_, txtDate_, txtPasse_, rtbNote_}) {
        Control* c = controlOf(box);
        box->Bind(wxEVT_TEXT, [this, c](wxCommandEvent&) { onText(*c); });
    }
    bindListe(liste_);
    bindListe(otherListe_);
    bindListe(listeRec_);
    listeRec_->Bind(wxEVT_CHECKLISTBOX, [this](wxCommandEvent& e) {
        if (mirroring_) return;
        int n = e.GetInt() + kTitleRows;
        dispatch([this, n] {
            Control& c = form_.w.ListeRec;
            if (n < kTitleRows || n >= static_cast<int>(c.checked.size())) return;
            c.checked[n] = listeRec_->IsChecked(n - kTitleRows);
            form_.ItemCheck(n);
        });
    });
    // A list turns Enter into an activation of its row and keeps the key: it
    // is the Enter key of the program all the same (a double click too).
    for (wxListBox* list : {liste_, otherListe_, static_cast<wxListBox*>(listeRec_)}) {
        list->Bind(wxEVT_LISTBOX_DCLICK, [this, list](wxCommandEvent&) {
            Control* c = controlOf(list);
            if (depth_ > 0 || closing_ || !c) return;
            MappedKey enter;
            enter.key.code = kKeyEnter;
            enter.ch = L'\r';
            form_.w.focus = c->name;
            runKey(enter);
        });
    }

    // The menu bar, every entry with its shortcut shown and bound.
    firstMenuId_ = wxWindow::NewControlId(static_cast<int>(w.menus.size()));
    auto* bar = new wxMenuBar;
    for (const TopMenu& top : w.menuBar) {
        topMenus_.push_back(new wxMenu);
        shownEntries_.emplace_back();
        bar->Append(topMenus_.back(), wx(top.caption));
    }
    SetMenuBar(bar);
    Bind(wxEVT_MENU, [this](wxCommandEvent& e) {
        size_t i = static_cast<size_t>(e.GetId() - firstMenuId_);
        if (i >= form_.w.menus.size() || i == blockedEntry_) return;
        std::wstring name = form_.w.menus[i].name;
        int index = form_.w.menus[i].index;
        dispatch([this, name, index] { form_.MenuCommand(name, index); });
    });
    Bind(wxEVT_CHAR_HOOK, &MainFrame::onCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onClose, this);
    platform_.attach(this);
    mirror();
}

// A row chosen with the mouse or by the list itself is the program's
// choice of the same item (the question is no row).
void MainFrame::bindListe(wxListBox* list) {
    list->Bind(wxEVT_LISTBOX, [this, list](wxCommandEvent&) {
        Control* c = controlOf(list);
        if (mirroring_ || !c) return;
        std::wstring name = c->name;
        dispatch([this, list, name] {
            int row = list->GetSelection();
            form_.w.control(name)->selected = row == wxNOT_FOUND ? -1 : row + kTitleRows;
            form_.ListClick(name);
        });
    });
}

wxWindow* MainFrame::widget(const Control& c) const {
    auto it = widgets_.find(c.name);
    return it == widgets_.end() ? nullptr : it->second;
}

Control* MainFrame::controlOf(wxWindow* window) {
    for (const auto& [name, w] : widgets_)
        if (w == window) return form_.w.control(name);
    return nullptr;
}

void MainFrame::start(const std::wstring& commandLine) {
    dispatch([this, commandLine] { form_.Form_Load(commandLine); });
}

void MainFrame::showStatus(const std::wstring& text) {
    pendingMessages_.push_back(text);
    if (depth_ == 0) flushStatus();
}

void MainFrame::flushStatus() {
    if (pendingMessages_.empty()) return;
    std::vector<std::wstring> messages;
    messages.swap(pendingMessages_);
    // yzo's Orca script speaks each new text of the label; screen readers
    // that handle ATK announcements get each one too.
    std::wstring spoken;
    for (const std::wstring& text : messages) {
        std::wstring said = trim(text);
        lblMessage_->SetLabelText(wx(text));
        // Named by its text without the blanks around it: a screen reader
        // that reads the notification below sees the label's text in the
        // notification's name and does not say it a second time.
        setAccessibleName(lblMessage_, said);
        announce(lblMessage_, text);
        if (!said.empty()) spoken += (spoken.empty() ? L"" : L" ") + said;
    }
    // Without that script, Orca speaks no label that changes away from the
    // focus, but it speaks an object of role notification when it appears,
    // by the name it has then: the status area is one, named by all the
    // messages of the event, so that none is lost to the next.
    if (!spoken.empty()) {
        setAccessibleName(statusArea_, spoken);
        statusArea_->Hide();
        statusArea_->Show();
    }
    platform_.sayDirectly(messages);
}

void MainFrame::dispatch(const std::function<void()>& event) {
    if (closing_) return;
    if (depth_ == 0) copyUserEdits();
    ++depth_;
    event();
    --depth_;
    if (depth_ > 0) return;  // the outer event mirrors when it is over
    mirror();
    flushStatus();
    if (form_.ended()) endWindow();
}

void MainFrame::endWindow() {
    closing_ = true;
    // Hidden at once, so that the screen reader leaves it now; taking its
    // widgets down takes the toolkit a tenth of a second more.
    Hide();
    Destroy();
    // An event that came through the accessibility bridge wakes no idle
    // processing, and the window is only deleted when idle.
    wxWakeUpIdle();
}

void MainFrame::copyUserEdits() {
    // Text typed into the boxes is copied as it is typed (onText); the carets
    // the user moved are copied here, before the program sees the next event.
    for (Control* c : form_.w.controls()) {
        if (!c->isTextBox()) continue;
        auto* box = static_cast<wxTextCtrl*>(widget(*c));
        if (ws(box->GetValue()) != shownText(*c)) continue;
        c->caret = box == txt_ ? fromShownPosition(c->text, c->lineNames, box->GetInsertionPoint())
                               : toModelPosition(c->text, box->GetInsertionPoint());
    }
}

std::wstring MainFrame::shownText(const Control& c) const {
    // The ledger shows its rules and the names of its lines for the screen
    // reader; a box the user types into shows its text as it is.
    return widget(c) == txt_ ? toShownText(c.text, c.lineNames) : toControlText(c.text);
}

void MainFrame::markRules(const Control& c) { ::markRules(txt_, shownRules(c.text, c.lineNames)); }

void MainFrame::onText(Control& c) {
    if (depth_ > 0 || closing_) return;  // the program's own change, mirrored
    auto* box = static_cast<wxTextCtrl*>(widget(c));
    std::wstring typed = toModelText(ws(box->GetValue()));
    if (typed == c.text) return;
    ++depth_;
    c.text = typed;
    c.caret = toModelPosition(c.text, box->GetInsertionPoint());
    form_.TextChanged(c.name);
    --depth_;
    // The text buffer is in the middle of its change: mirror afterwards.
    CallAfter([this] {
        if (closing_ || depth_ > 0) return;
        mirror();
        flushStatus();
        if (form_.ended()) endWindow();
    });
}

void MainFrame::onCharHook(wxKeyEvent& event) {
    if (depth_ > 0 || closing_) {
        event.Skip();
        return;
    }
    // A key the focused widget leaves unhandled goes on to its parents, and
    // each of them hooks it again: one key press is one command.
    PressedKey pressed{event.GetTimestamp(), event.GetRawKeyCode(), event.GetRawKeyFlags()};
    if (pressed == lastKey_) {
        event.Skip();
        return;
    }
    lastKey_ = pressed;
    MappedKey m = mapKey(event);
    Control* c = controlOf(wxWindow::FindFocus());
    if (trace_) {
        std::fprintf(stderr, "key %d shift=%d ctrl=%d char=%d control=%s\n", m.key.code, m.key.shift ? 1 : 0,
                     m.key.ctrl ? 1 : 0, static_cast<int>(m.ch), c ? toUtf8(c->name).c_str() : "-");
    }
    if (m.alt || (m.key.code == 0 && m.ch == 0)) {
        event.Skip();  // menus and button mnemonics
        return;
    }
    // F10 opens the menu bar, as Alt+F does, once the key is over: opened
    // while the ledger handles the key, the menu would not get the keys that
    // follow. The program has no use for F10.
    if (m.key.code == keyF(10) && !m.key.shift && !m.key.ctrl) {
        CallAfter([this] { openFirstMenu(GetMenuBar()); });
        return;
    }
    // The shortcuts depend on where the key is typed.
    if (c && c->visible && c->enabled) form_.w.focus = c->name;
    blockAcceleratorOf(m.key);
    if (!c && !form_.w.menuForKey(m.key)) {
        event.Skip();
        return;
    }
    if (runKey(m)) event.Skip();
}

bool MainFrame::runKey(const MappedKey& m) {
    KeyResult result = KeyResult::Handled;
    dispatch([&] { result = form_.PressKey(m.key, m.ch); });
    return result != KeyResult::Handled;
}

// A shortcut that the focused text box keeps (its editing keys, the
// selection's shortcuts) reaches the menu bar's accelerator when the box
// leaves the key unhandled: that entry is switched off until the key is over.
void MainFrame::blockAcceleratorOf(const KeyEvent& key) {
    WindowModel& w = form_.w;
    if (!w.focusInTypingBox() || w.menuForKey(key)) return;
    for (size_t i = 0; i < w.menus.size(); ++i) {
        const MenuEntry& entry = w.menus[i];
        if (entry.visible && entry.enabled && entry.shortcut.matches(key)) {
            blockedEntry_ = i;
            CallAfter([this] { blockedEntry_ = kNoEntry; });
            return;
        }
    }
}

void MainFrame::onClose(wxCloseEvent& event) {
    if (closing_ || form_.ended() || !event.CanVeto()) {
        closing_ = true;
        Destroy();
        return;
    }
    if (depth_ > 0) {
        event.Veto();
        return;
    }
    bool mayClose = false;
    dispatch([&] { mayClose = form_.QueryClose(); });
    if (closing_) return;  // the program ended during the question
    if (mayClose) {
        endWindow();
    } else {
        event.Veto();
    }
}

// --- Mirroring the model onto the widgets ---------------------------------

void MainFrame::mirror() {
    mirroring_ = true;
    WindowModel& w = form_.w;
    changeListeWhenAsked();
    wxString title = w.title.empty() ? wxString("yzo") : wx(w.title);
    if (GetTitle() != title) SetTitle(title);
    bool layout = false;
    for (Control* c : w.controls()) {
        wxWindow* win = widget(*c);
        if (win->IsShown() != c->visible) {
            win->Show(c->visible);
            layout = true;
        }
        if (win->IsThisEnabled() != c->enabled) win->Enable(c->enabled);
        mirrorControl(*c);
    }
    // The question of the list shown stands above it.
    const Control* shownList = w.Liste.visible ? &w.Liste : w.ListeRec.visible ? &w.ListeRec : nullptr;
    std::wstring listQuestion = shownList && !shownList->items.empty() ? shownList->items[0] : L"";
    if (ws(lblListe_->GetLabelText()) != listQuestion) lblListe_->SetLabelText(wx(listQuestion));
    if (lblListe_->IsShown() == listQuestion.empty()) {
        lblListe_->Show(!listQuestion.empty());
        layout = true;
    }
    mirrorLook();
    mirrorMenus();
    if (layout) panel_->Layout();
    if (Control* f = w.control(w.focus)) {
        wxWindow* target = widget(*f);
        if (f->visible && f->enabled && wxWindow::FindFocus() != target) target->SetFocus();
    }
    // The list left for the other is hidden once the keyboard has moved.
    if (leftListe_) {
        leftListe_->Hide();
        leftListe_ = nullptr;
        panel_->Layout();
    }
    describeAnswers();
    mirroring_ = false;
}

void MainFrame::describeAnswers() {
    // The question of a dialog describes the box or list that answers it,
    // and its label labels it: a screen reader says the question with it.
    // Set after the focus moved: GTK has then sent the box's selection, which
    // Orca takes as the focus without saying it, and Orca says a new
    // description of the focus.
    std::wstring question = form_.w.LblDial.visible ? form_.w.LblDial.text : L"";
    for (wxWindow* answer : std::initializer_list<wxWindow*>{txtDial_, txtDate_, txtPasse_, liste_, listeRec_})
        setAccessibleDescription(answer, question);
    // A list is named by its own question (its title row): the label would hide it.
    for (wxWindow* box : std::initializer_list<wxWindow*>{txtDial_, txtDate_, txtPasse_})
        setLabelledBy(box, lblDial_, !trim(question).empty());
}

// A screen reader says a list's question when the keyboard enters the list,
// not when the rows of the list that has it change. A new question of the
// list shown is therefore shown in the other list, which takes the keyboard.
void MainFrame::changeListeWhenAsked() {
    const Control& c = form_.w.Liste;
    if (!c.visible || c.items.empty() || !liste_->IsShown()) return;
    auto named = listQuestions_.find(liste_);
    if (named == listQuestions_.end() || named->second == c.items[0]) return;
    leftListe_ = liste_;
    std::swap(liste_, otherListe_);
    widgets_[L"Liste"] = liste_;
}

// The list's question is its accessible name, said before its first item.
void MainFrame::mirrorListQuestion(Control& c, wxListBox* list) {
    std::wstring question = c.items.empty() ? c.accessibleName : c.items[0];
    std::wstring& named = listQuestions_[list];
    if (named == question) return;
    setAccessibleName(list, question);
    named = question;
}

// The choices of the program's list, its question left out, and its selection.
void MainFrame::mirrorListRows(Control& c, wxListBox* list) {
    const int count = static_cast<int>(c.items.size());
    const int first = std::min(kTitleRows, count);
    if (static_cast<int>(list->GetCount()) == count - first) {
        // The same rows, some reworded: each is changed in place, so that the
        // screen reader does not hear a new list.
        for (int i = first; i < count; ++i)
            if (ws(list->GetString(i - first)) != c.items[i]) list->SetString(i - first, wx(c.items[i]));
    } else {
        wxArrayString rows;
        for (int i = first; i < count; ++i) rows.Add(wx(c.items[i]));
        list->Set(rows);
    }
    // The boxes are ticked before a row is selected: a tick of the focused row
    // would be said on its own, before the row.
    if (c.kind == ControlKind::CheckListBox) {
        for (int i = first; i < count && i < static_cast<int>(c.checked.size()); ++i)
            if (listeRec_->IsChecked(i - first) != c.checked[i]) listeRec_->Check(i - first, c.checked[i]);
    }
    int row = c.selected >= first && c.selected < count ? c.selected - first : wxNOT_FOUND;
    if (list->GetSelection() != row) {
        if (row == wxNOT_FOUND) list->DeselectAll();
        else list->SetSelection(row);
    }
    // The screen reader reads the list's focused row: it is the selected one.
    setListCursor(list, row);
}

void MainFrame::mirrorControl(Control& c) {
    switch (c.kind) {
    case ControlKind::Label: {
        if (&c == &form_.w.LblMessage) break;  // set message by message by flushStatus
        auto* label = static_cast<wxStaticText*>(widget(c));
        if (ws(label->GetLabelText()) != c.text) label->SetLabelText(wx(c.text));
        break;
    }
    case ControlKind::Button: {
        wxButton* b = buttons_[c.name];
        if (ws(b->GetLabel()) != c.text) b->SetLabel(wx(c.text));
        break;
    }
    case ControlKind::TextBox:
    case ControlKind::MultiLineTextBox: {
        auto* box = static_cast<wxTextCtrl*>(widget(c));
        std::wstring shown = shownText(c);
        if (std::wstring current = ws(box->GetValue()); current != shown) {
            if (box == txt_) {
                replaceChangedPart(box, wx(current), wx(shown));
                markRules(c);
            } else {
                box->ChangeValue(wx(shown));
            }
        }
        long position =
            box == txt_ ? toShownPosition(c.text, c.lineNames, c.caret) : toControlPosition(c.text, c.caret);
        if (box->GetInsertionPoint() != position) {
            box->SetInsertionPoint(position);
            box->ShowPosition(position);
        }
        break;
    }
    case ControlKind::ListBox:
    case ControlKind::CheckListBox: {
        auto* list = static_cast<wxListBox*>(widget(c));
        mirrorListQuestion(c, list);
        mirrorListRows(c, list);
        break;
    }
    }
}

void MainFrame::mirrorLook() {
    WindowModel& w = form_.w;
    auto colour = [](wxWindow* win, int foreIndex, int backIndex) {
        wxColour fore = paletteColour(foreIndex), back = paletteColour(backIndex);
        if (win->GetForegroundColour() != fore) win->SetForegroundColour(fore);
        if (win->GetBackgroundColour() != back) {
            win->SetBackgroundColour(back);
            win->Refresh();
        }
    };
    // A new colour choice reaches the ledger at once, the lists and the dialog box at the next start.
    // GTK keeps a background of its own behind the characters of a text view
    // once it has been given one: the characters take the colours as well.
    if (txt_->GetBackgroundColour() != paletteColour(w.ledgerBackColour) ||
        txt_->GetForegroundColour() != paletteColour(w.ledgerForeColour)) {
        wxTextAttr attr(paletteColour(w.ledgerForeColour), paletteColour(w.ledgerBackColour));
        txt_->SetDefaultStyle(attr);
        txt_->SetStyle(0, txt_->GetLastPosition(), attr);
    }
    colour(txt_, w.ledgerForeColour, w.ledgerBackColour);
    for (wxWindow* win : std::initializer_list<wxWindow*>{liste_, otherListe_, listeRec_, txtDial_, txtDate_})
        colour(win, w.foreColour, w.backColour);
    wxColour message = paletteColour(w.messageColour);
    if (statusArea_->GetBackgroundColour() != message) {
        statusArea_->SetBackgroundColour(message);
        lblMessage_->SetBackgroundColour(message);
        lblMessage_->SetForegroundColour(*wxBLACK);
    }
    // The ledger and the lists are in a fixed-pitch font, so that columns line up.
    wxFont font(wxFontInfo(w.fontSize > 0 ? w.fontSize : 10).Family(wxFONTFAMILY_TELETYPE).FaceName(wx(w.fontName)));
    for (wxWindow* win : std::initializer_list<wxWindow*>{txt_, liste_, otherListe_, listeRec_}) {
        wxFont current = win->GetFont();
        if (current.GetFaceName() != font.GetFaceName() || current.GetPointSize() != font.GetPointSize())
            win->SetFont(font);
    }
}

wxString MainFrame::entryLabel(const MenuEntry& m) const {
    wxString label = wx(m.caption);
    if (label.empty()) label = " ";  // an empty caption would make a separator
    std::wstring key = keyName(m.shortcut.key);
    if (!key.empty()) {
        std::wstring accel =
            std::wstring(m.shortcut.ctrl ? L"Ctrl+" : L"") + (m.shortcut.shift ? L"Shift+" : L"") + key;
        label += "\t" + wx(accel);
    }
    return label;
}

void MainFrame::rebuildMenu(size_t top) {
    wxMenu* menu = topMenus_[top];
    while (menu->GetMenuItemCount() > 0) menu->Destroy(menu->FindItemByPosition(0));
    for (size_t i : shownEntries_[top]) {
        const MenuEntry& m = form_.w.menus[i];
        int id = firstMenuId_ + static_cast<int>(i);
        menu->Append(id, entryLabel(m), wxEmptyString, checkable_.count(i) ? wxITEM_CHECK : wxITEM_NORMAL);
    }
}

void MainFrame::mirrorMenus() {
    WindowModel& w = form_.w;
    for (size_t i = 0; i < w.menus.size(); ++i)
        if (w.menus[i].checked) checkable_.insert(i);
    for (size_t top = 0; top < w.menuBar.size(); ++top) {
        std::vector<size_t> shown;
        for (size_t i = 0; i < w.menus.size(); ++i)
            if (w.menus[i].menu == w.menuBar[top].name && w.menus[i].visible) shown.push_back(i);
        bool rebuild = shown != shownEntries_[top];
        for (size_t i : shown) {
            wxMenuItem* item = topMenus_[top]->FindItem(firstMenuId_ + static_cast<int>(i));
            if (!item || item->IsCheckable() != (checkable_.count(i) > 0)) rebuild = true;
        }
        if (rebuild) {
            shownEntries_[top] = shown;
            rebuildMenu(top);
        }
        for (size_t i : shown) {
            const MenuEntry& m = w.menus[i];
            wxMenuItem* item = topMenus_[top]->FindItem(firstMenuId_ + static_cast<int>(i));
            wxString label = entryLabel(m);
            if (item->GetItemLabel() != label) item->SetItemLabel(label);
            if (item->IsEnabled() != m.enabled) item->Enable(m.enabled);
            if (item->IsCheckable() && item->IsChecked() != m.checked) item->Check(m.checked);
        }
    }
}
