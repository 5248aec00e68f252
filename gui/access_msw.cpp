// What the screen reader sees of the widgets on Windows. Names and
// descriptions go through MSAA (a wxAccessible on the control; what it does
// not say, the system's own accessible object says). Status messages and
// questions are raised as UI Automation notifications, which NVDA, JAWS and
// Narrator speak wherever the focus is, with no script; where UI Automation
// has no notifications (Wine, systems before Windows 10 1709), the status
// area's accessible name changes and MSAA tells of the change.
#include "access.h"

#include <wx/access.h>
#include <wx/control.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/window.h>

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "app/textfile.h"
#include "platform/folders.h"

namespace {
// A control's accessible object: the name and description the program gives
// it, or the text of the label that labels it; all else is the system's.
class NamedAccessible : public wxAccessible {
public:
    explicit NamedAccessible(wxWindow* window) : wxAccessible(window) {}

    wxAccStatus GetName(int childId, wxString* name) override {
        if (childId != wxACC_SELF) return wxACC_NOT_IMPLEMENTED;
        if (label) *name = label->GetLabelText();
        else if (named) *name = wxString(this->name.c_str());
        else return wxACC_NOT_IMPLEMENTED;
        return wxACC_OK;
    }
    // The notification area is an alert: a screen reader's script finds it so.
    wxAccStatus GetRole(int childId, wxAccRole* role) override {
        if (childId != wxACC_SELF || !notification) return wxACC_NOT_IMPLEMENTED;
        *role = wxROLE_SYSTEM_ALERT;
        return wxACC_OK;
    }
    wxAccStatus GetDescription(int childId, wxString* text) override {
        if (childId != wxACC_SELF || description.empty()) return wxACC_NOT_IMPLEMENTED;
        *text = wxString(description.c_str());
        return wxACC_OK;
    }

    std::wstring name;           // the name the program gave
    bool named = false;          // false: the system's name stands
    std::wstring description;    // empty: the system's description stands
    wxControl* label = nullptr;  // the label whose text names the control
    bool notification = false;   // each new name is raised as a notification
};

NamedAccessible* accessibleOf(wxWindow* window) {
    if (!window) return nullptr;
    if (auto* named = dynamic_cast<NamedAccessible*>(window->GetAccessible())) return named;
    auto* named = new NamedAccessible(window);
    window->SetAccessible(named);  // the window owns it
    return named;
}

HWND handleOf(wxWindow* window) { return window ? static_cast<HWND>(window->GetHandle()) : nullptr; }

// Tells MSAA clients that the control's name changed.
void nameChanged(wxWindow* window) {
    if (HWND hwnd = handleOf(window)) ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

// UI Automation's notification call, declared here: the MinGW headers lack
// it, and it is looked up at run time in UIAutomationCore.dll, which Wine
// and older systems do not provide with it.
enum UiaNotificationKind { kNotificationKindOther = 4 };
enum UiaNotificationProcessing { kNotificationProcessingMostRecent = 3 };
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown* provider, int kind, int processing, BSTR displayString,
                                                BSTR activityId);
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND hwnd, IUnknown** provider);

struct UiaNotifications {
    RaiseNotificationEvent raise = nullptr;
    HostProviderFromHwnd hostProvider = nullptr;
};

const UiaNotifications& uiaNotifications() {
    static const UiaNotifications found = [] {
        UiaNotifications n;
        HMODULE core = ::LoadLibraryW(L"UIAutomationCore.dll");
        if (!core) return n;  // stays loaded for the whole run
        n.raise = reinterpret_cast<RaiseNotificationEvent>(
            reinterpret_cast<void*>(::GetProcAddress(core, "UiaRaiseNotificationEvent")));
        n.hostProvider = reinterpret_cast<HostProviderFromHwnd>(
            reinterpret_cast<void*>(::GetProcAddress(core, "UiaHostProviderFromHwnd")));
        return n;
    }();
    return found;
}

// Every message of the program shares one activity: a screen reader drops a
// message not yet said when the next one comes.
constexpr const wchar_t* kActivityId = L"yzo.message";

// Raises the text as a notification of the window; false where UI
// Automation cannot.
bool raiseNotification(wxWindow* window, const std::wstring& text) {
    const UiaNotifications& uia = uiaNotifications();
    HWND hwnd = handleOf(window);
    if (!uia.raise || !uia.hostProvider || !hwnd) return false;
    IUnknown* provider = nullptr;
    if (FAILED(uia.hostProvider(hwnd, &provider)) || !provider) return false;
    BSTR display = ::SysAllocString(text.c_str());
    BSTR activity = ::SysAllocString(kActivityId);
    HRESULT result = uia.raise(provider, kNotificationKindOther, kNotificationProcessingMostRecent, display, activity);
    ::SysFreeString(display);
    ::SysFreeString(activity);
    provider->Release();
    return SUCCEEDED(result);
}

// YZO_JOURNAL_PAROLE names a file where each text handed to the screen
// reader is written as a line "route: text" (uia or msaa), for the tests
// that cannot hear it.
void journal(const char* route, const std::wstring& text) {
    static const std::wstring path = platform::environmentVariable("YZO_JOURNAL_PAROLE");
    static std::string lines;
    if (path.empty()) return;
    lines += std::string(route) + ": " + toUtf8(text) + "\r\n";
    try {
        writeFileAtomically(path, lines);
    } catch (const std::exception&) {
        // the journal is for tests: the window goes on without it
    }
}

// Says the text through a notification, else through the window's name.
void speak(wxWindow* window, const std::wstring& text) {
    if (raiseNotification(window, text)) {
        journal("uia", text);
        return;
    }
    nameChanged(window);
    journal("msaa", text);
}
}  // namespace

void setAccessibleName(wxWindow* window, const std::wstring& name) {
    NamedAccessible* a = accessibleOf(window);
    if (!a) return;
    // A message said again (Down on the last line, twice) is spoken again.
    if (a->notification && !name.empty()) {
        a->name = name;
        a->named = true;
        speak(window, name);
        return;
    }
    if (a->named && a->name == name) return;
    a->name = name;
    a->named = true;
    nameChanged(window);
}

void setAccessibleDescription(wxWindow* window, const std::wstring& description) {
    NamedAccessible* a = accessibleOf(window);
    if (!a || a->description == description) return;  // a change is spoken: say nothing new twice
    a->description = description;
    if (HWND hwnd = handleOf(window))
        ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void setLabelledBy(wxWindow* box, wxWindow* label, bool labelled) {
    NamedAccessible* a = accessibleOf(box);
    if (!a || (a->label != nullptr && a->label == label) == labelled) return;
    a->label = labelled ? dynamic_cast<wxControl*>(label) : nullptr;
    nameChanged(box);
}

void makeNotification(wxWindow* window) {
    if (NamedAccessible* a = accessibleOf(window)) a->notification = true;
}

// The messages of one event reach the screen reader together, as the name of
// the notification area: one by one they would replace each other.
void announce(wxWindow*, const std::wstring&) {}

void announceQuestion(wxWindow* owner, const std::wstring& question) {
    if (!question.empty()) speak(owner, question);
}

// A wxDialog is a dialog for MSAA and UI Automation already.
void makeDialog(wxWindow*) {}

void setListCursor(wxWindow* list, int row) {
    HWND hwnd = handleOf(list);
    if (!hwnd || row < 0) return;
    if (::SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0) != row) ::SendMessageW(hwnd, LB_SETCARETINDEX, row, FALSE);
}

void openFirstMenu(wxWindow* menuBar) {
    auto* bar = dynamic_cast<wxMenuBar*>(menuBar);
    if (!bar || bar->GetMenuCount() == 0 || !bar->GetFrame()) return;
    // The system opens a menu of the bar by its mnemonic, as Alt+letter does.
    wxString label = bar->GetMenuLabel(0);
    int amp = label.Find('&');
    wchar_t mnemonic = amp != wxNOT_FOUND && amp + 1 < static_cast<int>(label.length())
                           ? static_cast<wchar_t>(wxTolower(label[amp + 1]))
                           : 0;
    ::PostMessageW(handleOf(bar->GetFrame()), WM_SYSCOMMAND, SC_KEYMENU, mnemonic);
}

// A Windows list box is a list for MSAA and UI Automation already.
void makeListBox(wxWindow*) {}

// A rule line is shown as blanks; where the text box takes styles, they get a
// grey background so that the rule is still seen.
void markRules(wxWindow* textBox, const std::vector<std::pair<long, long>>& ranges) {
    auto* text = dynamic_cast<wxTextCtrl*>(textBox);
    if (!text) return;
    static const wxColour kRuleColour(0xa0, 0xa0, 0xa0);
    for (const auto& [from, to] : ranges) text->SetStyle(from, to, wxTextAttr(wxNullColour, kRuleColour));
}
