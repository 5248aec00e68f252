#include "script_runner.h"

#include <algorithm>

#include "app/textfile.h"

namespace {
std::string narrow(const std::wstring& s) { return toUtf8(s); }

// The largest number a script may write: an item, a line, a column, a menu
// entry or a font size are all far below it, and it fits an int with room.
constexpr int kMaxScriptNumber = 1000000;

// A number of the script: digits only, at most kMaxScriptNumber.
int parseIndex(const std::wstring& word) {
    if (word.empty()) throw ScriptError("a number is missing");
    int v = 0;
    for (wchar_t c : word) {
        if (c < L'0' || c > L'9') throw ScriptError("not a number: " + narrow(word));
        v = v * 10 + (c - L'0');
        if (v > kMaxScriptNumber) throw ScriptError("number too large: " + narrow(word));
    }
    return v;
}

// An item of a list: a number below its count.
size_t parseItem(const std::wstring& word, size_t count) {
    int n = parseIndex(word);
    if (static_cast<size_t>(n) >= count) throw ScriptError("no such item: " + narrow(word));
    return static_cast<size_t>(n);
}

std::wstring trimBlanks(const std::wstring& s) {
    size_t a = s.find_first_not_of(L' ');
    if (a == std::wstring::npos) return L"";
    return s.substr(a, s.find_last_not_of(L' ') - a + 1);
}

wchar_t keyChar(const KeyEvent& k) {
    if (k.ctrl) return 0;
    if (k.code >= 'A' && k.code <= 'Z') return static_cast<wchar_t>(k.shift ? k.code : k.code + 32);
    if (k.code >= '0' && k.code <= '9') return static_cast<wchar_t>(k.code);
    switch (k.code) {
    case kKeySpace: return L' ';
    case kKeyEnter: return L'\r';
    case kKeyEscape: return 27;
    case kKeyBackspace: return 8;
    case kKeyNumDivide: return L'/';
    case kKeyNumMultiply: return L'*';
    case kKeyOem191: return k.shift ? L'/' : L':';
    case kKeyOem220: return L'*';
    default: return 0;
    }
}
}  // namespace

std::vector<std::wstring> splitScriptLine(const std::wstring& line) {
    std::vector<std::wstring> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= line.size()) break;
        std::wstring word;
        if (line[i] == L'"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                wchar_t c = line[i++];
                if (c == L'\\' && i < line.size()) {
                    word += line[i++];
                } else if (c == L'"') {
                    closed = true;
                    break;
                } else {
                    word += c;
                }
            }
            if (!closed) throw ScriptError("a quoted text is not closed");
            // Marks the word as quoted so that "yes" in quotes stays a text.
            word.insert(word.begin(), L'\x01');
        } else {
            while (i < line.size() && line[i] != L' ' && line[i] != L'\t') word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

namespace {
bool quoted(const std::wstring& w) { return !w.empty() && w[0] == L'\x01'; }
std::wstring unquote(const std::wstring& w) { return quoted(w) ? w.substr(1) : w; }
}  // namespace

KeyEvent parseKeyName(const std::wstring& spec) {
    KeyEvent k;
    std::wstring rest = spec;
    for (;;) {
        if (rest.rfind(L"shift+", 0) == 0) {
            k.shift = true;
            rest = rest.substr(6);
        } else if (rest.rfind(L"ctrl+", 0) == 0) {
            k.ctrl = true;
            rest = rest.substr(5);
        } else break;
    }
    if (rest.size() == 1 && rest[0] >= L'A' && rest[0] <= L'Z') {
        k.code = rest[0];
        return k;
    }
    if (rest.size() == 1 && rest[0] >= L'a' && rest[0] <= L'z') {
        k.code = rest[0] - 32;
        return k;
    }
    if (rest.size() == 1 && rest[0] >= L'0' && rest[0] <= L'9') {
        k.code = rest[0];
        return k;
    }
    if (rest.size() >= 2 && rest[0] == L'F') {
        bool digits = true;
        for (size_t i = 1; i < rest.size(); ++i) digits = digits && rest[i] >= L'0' && rest[i] <= L'9';
        // F1 to F12: two digits at most, so that a long run of digits is no number to read.
        if (digits && rest.size() <= 3) {
            int n = parseIndex(rest.substr(1));
            if (n >= 1 && n <= 12) {
                k.code = keyF(n);
                return k;
            }
        }
    }
    static const std::pair<const wchar_t*, int> names[] = {{L"Up", kKeyUp},
                                                           {L"Down", kKeyDown},
                                                           {L"Left", kKeyLeft},
                                                           {L"Right", kKeyRight},
                                                           {L"PageUp", kKeyPageUp},
                                                           {L"PageDown", kKeyPageDown},
                                                           {L"Home", kKeyHome},
                                                           {L"End", kKeyEnd},
                                                           {L"Enter", kKeyEnter},
                                                           {L"Escape", kKeyEscape},
                                                           {L"Space", kKeySpace},
                                                           {L"Delete", kKeyDelete},
                                                           {L"Backspace", kKeyBackspace},
                                                           {L"Tab", kKeyTab},
                                                           {L"NumDivide", kKeyNumDivide},
                                                           {L"NumMultiply", kKeyNumMultiply},
                                                           {L"Oem191", kKeyOem191},
                                                           {L"Oem220", kKeyOem220}};
    for (const auto& [name, code] : names)
        if (rest == name) {
            k.code = code;
            return k;
        }
    throw ScriptError("unknown key: " + narrow(spec));
}

ScriptRunner::ScriptRunner(MainForm& form, ScriptPlatform& platform, std::ostream& out)
    : form_(form), platform_(platform), out_(out) {}

void ScriptRunner::print(const std::wstring& text) { out_ << narrow(text) << '\n' << std::flush; }

void ScriptRunner::run(const std::vector<std::string>& lines) {
    for (const std::string& raw : lines) {
        std::wstring line = fromUtf8(raw);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        std::wstring t = trimBlanks(line);
        if (t.empty() || t[0] == L'#') continue;
        std::vector<std::wstring> words = splitScriptLine(t);
        if (words.empty()) continue;  // white space of other kinds only: a blank line too
        if (echo_) out_ << kEchoPrefix << narrow(t) << '\n' << std::flush;
        command(words, t);
    }
}

void ScriptRunner::requireRunning() {
    if (!started_) throw ScriptError("the first event must be start");
    if (form_.ended()) throw ScriptError("the program has ended");
}

Control& ScriptRunner::usable(const std::wstring& name) {
    Control* c = form_.w.control(name);
    if (!c) throw ScriptError("no control named " + narrow(name));
    if (!c->visible || !c->enabled) throw ScriptError(narrow(name) + " is hidden or disabled");
    return *c;
}

void ScriptRunner::command(const std::vector<std::wstring>& words, const std::wstring& rawLine) {
    const std::wstring& verb = words[0];
    auto arg = [&](size_t i) -> std::wstring {
        if (i >= words.size()) throw ScriptError("missing argument: " + narrow(rawLine));
        return unquote(words[i]);
    };
    if (verb == L"start") {
        if (started_) throw ScriptError("start is given twice");
        started_ = true;
        form_.Form_Load(words.size() > 1 ? arg(1) : L"");
    } else if (verb == L"key") {
        requireRunning();
        key(arg(1));
    } else if (verb == L"text") {
        requireRunning();
        Control& c = usable(form_.w.focus);
        if (!c.isTextBox() || c.name == L"txt") throw ScriptError("text needs a focused text box");
        c.text = arg(1);
        c.caret = static_cast<long>(c.text.size());
        form_.TextChanged(c.name);
    } else if (verb == L"click") {
        requireRunning();
        Control& c = usable(arg(1));
        if (c.kind != ControlKind::Button) throw ScriptError(narrow(c.name) + " is not a button");
        form_.Click(c.name);
    } else if (verb == L"menu") {
        requireRunning();
        int index = words.size() > 2 ? parseIndex(arg(2)) : 0;
        MenuEntry* m = form_.w.menu(arg(1), index);
        if (!m) throw ScriptError("no menu entry " + narrow(arg(1)));
        if (!m->visible || !m->enabled) throw ScriptError(narrow(arg(1)) + " is hidden or disabled");
        form_.MenuCommand(m->name, m->index);
    } else if (verb == L"select") {
        requireRunning();
        Control& c = usable(arg(1));
        if (!c.isList()) throw ScriptError(narrow(c.name) + " is not a list");
        c.selected = static_cast<int>(parseItem(arg(2), c.items.size()));
        form_.ListClick(c.name);
    } else if (verb == L"check") {
        requireRunning();
        Control& c = usable(L"ListeRec");
        size_t n = parseItem(arg(1), std::min(c.items.size(), c.checked.size()));
        c.checked[n] = !c.checked[n];
        form_.ItemCheck(static_cast<int>(n));
    } else if (verb == L"caret") {
        requireRunning();
        Control& c = usable(L"txt");
        long line = parseIndex(arg(1));
        long column = words.size() > 2 ? parseIndex(arg(2)) : 1;
        c.caret = caretFromLineColumn(c.text, line, column);
    } else if (verb == L"focus") {
        requireRunning();
        Control& c = usable(arg(1));
        form_.w.focus = c.name;
    } else if (verb == L"close") {
        requireRunning();
        if (form_.QueryClose() && !form_.ended()) platform_.EndProgram();
    } else if (verb == L"answer") {
        answer(words);
    } else if (verb == L"show") {
        show(words);
    } else if (verb == L"expect") {
        expect(words);
    } else {
        throw ScriptError("unknown command: " + narrow(verb));
    }
}

void ScriptRunner::answer(const std::vector<std::wstring>& words) {
    if (words.size() < 2) throw ScriptError("answer needs a value");
    const std::wstring& a = words[1];
    Answer ans{Answer::Text, L"", 0};
    if (quoted(a)) {
        ans.text = unquote(a);
    } else if (a == L"yes") {
        ans.kind = Answer::Yes;
    } else if (a == L"no") {
        ans.kind = Answer::No;
    } else if (a == L"cancel") {
        ans.kind = Answer::Cancel;
    } else if (a == L"ok") {
        ans.kind = Answer::Ok;
    } else if (a == L"file" && words.size() > 2) {
        if (!quoted(words[2]) && words[2] == L"cancel") ans.kind = Answer::FileCancel;
        else {
            ans.kind = Answer::File;
            ans.text = unquote(words[2]);
        }
    } else if (a == L"font" && words.size() > 2) {
        if (!quoted(words[2]) && words[2] == L"cancel") ans.kind = Answer::FontCancel;
        else {
            if (words.size() < 4) throw ScriptError("answer font needs a name and a size");
            ans.kind = Answer::Font;
            ans.text = unquote(words[2]);
            ans.size = parseIndex(unquote(words[3]));
        }
    } else if (a == L"printer" && words.size() > 2 && (words[2] == L"ok" || words[2] == L"cancel")) {
        ans.kind = words[2] == L"ok" ? Answer::PrinterOk : Answer::PrinterCancel;
    } else {
        throw ScriptError("unknown answer: " + narrow(a));
    }
    platform_.answers.push_back(ans);
}

void ScriptRunner::key(const std::wstring& spec) {
    KeyEvent k = parseKeyName(spec);
    KeyResult result = form_.PressKey(k, keyChar(k));
    if (result == KeyResult::NoFocus) throw ScriptError("no control has the focus");
    if (result == KeyResult::ToWidget) typeIntoBox(*form_.w.control(form_.w.focus), k);
}

// What a text box the user types into does with a key of its own: the
// window's widget does it there.
void ScriptRunner::typeIntoBox(Control& c, const KeyEvent& k) {
    if (!c.isTextBox() || c.name == L"txt") return;
    if (isCaretKey(k.code)) {
        c.caret = moveCaretInTextBox(c.text, c.caret, k);
        return;
    }
    if (k.code == kKeyBackspace) {
        if (c.caret > 0) {
            c.text.erase(static_cast<size_t>(c.caret - 1), 1);
            --c.caret;
            form_.TextChanged(c.name);
        }
        return;
    }
    if (k.code == kKeyDelete) {
        if (c.caret < static_cast<long>(c.text.size())) {
            c.text.erase(static_cast<size_t>(c.caret), 1);
            form_.TextChanged(c.name);
        }
        return;
    }
    wchar_t ch = keyChar(k);
    if (k.code == kKeyEnter && c.kind == ControlKind::MultiLineTextBox) {
        c.text.insert(static_cast<size_t>(c.caret), L"\r\n");
        c.caret += 2;
        form_.TextChanged(c.name);
    } else if (ch >= 32) {
        c.text.insert(c.text.begin() + c.caret, ch);
        ++c.caret;
        form_.TextChanged(c.name);
    }
}

void ScriptRunner::show(const std::vector<std::wstring>& words) {
    if (words.size() < 2) throw ScriptError("show needs a target");
    WindowModel& w = form_.w;
    std::wstring target = unquote(words[1]);
    auto state = [](bool visible, bool enabled) {
        return std::wstring(visible ? L" visible" : L" hidden") + (enabled ? L" enabled" : L" disabled");
    };
    if (target == L"txt") {
        long count = textLineCount(w.txt.text);
        for (long i = 1; i <= count; ++i) print(L"  | " + textLine(w.txt.text, i));
        long line, column;
        caretLineColumn(w.txt.text, w.txt.caret, line, column);
        print(L"  caret: " + std::to_wstring(line) + L" " + std::to_wstring(column));
    } else if (target == L"buttons") {
        for (Control* c : {&w.CmdYzo, &w.CmdCreation, &w.CmdModifLigne, &w.CmdQuitter})
            print(L"  " + c->name + L" \"" + c->text + L"\"" + state(c->visible, c->enabled));
    } else if (target == L"menu") {
        if (words.size() < 3) throw ScriptError("show menu needs an entry");
        int index = words.size() > 3 ? parseIndex(unquote(words[3])) : 0;
        MenuEntry* m = w.menu(unquote(words[2]), index);
        if (!m) throw ScriptError("no menu entry " + narrow(unquote(words[2])));
        print(L"  " + m->name + L" \"" + m->caption + L"\"" + (m->checked ? L" checked" : L" unchecked") +
              (m->enabled ? L" enabled" : L" disabled") + (m->visible ? L" visible" : L" hidden"));
    } else if (target == L"Liste" || target == L"ListeRec") {
        Control& c = *w.control(target);
        for (size_t i = 0; i < c.items.size(); ++i) {
            std::wstring tag = std::to_wstring(i);
            if (static_cast<int>(i) == c.selected) tag += L"*";
            if (i < c.checked.size() && c.checked[i]) tag += L"x";
            print(L"  " + tag + L": " + c.items[i]);
        }
    } else if (Control* c = w.control(target)) {
        print(L"  " + c->name + L" \"" + c->text + L"\"" + state(c->visible, c->enabled));
    } else {
        throw ScriptError("nothing to show named " + narrow(target));
    }
}

void ScriptRunner::expect(const std::vector<std::wstring>& words) {
    if (words.size() < 3) throw ScriptError("expect needs a kind and a text");
    std::wstring wanted = trimBlanks(unquote(words[2]));
    std::wstring found;
    if (words[1] == L"message") {
        found = trimBlanks(form_.w.LblMessage.text);
    } else if (words[1] == L"line") {
        long line, column;
        caretLineColumn(form_.w.txt.text, form_.w.txt.caret, line, column);
        found = trimBlanks(textLine(form_.w.txt.text, line));
    } else {
        throw ScriptError("unknown expectation: " + narrow(words[1]));
    }
    if (found != wanted) {
        failed_ = true;
        print(L"FAIL: expect " + words[1] + L" \"" + wanted + L"\", found \"" + found + L"\"");
    }
}
