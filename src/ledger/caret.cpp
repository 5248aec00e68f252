// The 20-line window over the screen lines, and the caret in the ledger text box.
#include "app/mainform.h"

void MainForm::InitTableINdex() {
    std::wstring text;
    long last = std::min(led.windowStart + kWindowLines - 1, led.screenCount());
    for (long k = led.windowStart; k <= last; ++k) {
        if (k > led.windowStart) text += L"\r\n";
        led.screenLines.appendTo(text, k);
    }
    w.txt.setText(text);
}

long MainForm::NumeroTxt(long position) const {
    const std::wstring& t = w.txt.text;
    long n = 1;
    for (long i = 0; i < position && i < static_cast<long>(t.size()); ++i)
        if (t[i] == L'\r') ++n;
    return n;
}

long MainForm::Debutligne() const {
    const std::wstring& t = w.txt.text;
    long p = w.txt.caret;  // characters before the caret
    while (p > 0 && t[p - 1] != L'\n') --p;
    return p + 1;
}

long MainForm::FinLigne() const {
    const std::wstring& t = w.txt.text;
    size_t p = t.find(L'\r', static_cast<size_t>(w.txt.caret));
    return p == std::wstring::npos ? static_cast<long>(t.size()) + 1 : static_cast<long>(p) + 1;
}

std::wstring MainForm::extraitLigne(long position) const {
    const std::wstring& t = w.txt.text;
    long p = std::min<long>(std::max<long>(position, 1), static_cast<long>(t.size()) + 1) - 1;
    // The line feed of a line break belongs to the line it ends.
    if (p > 0 && p < static_cast<long>(t.size()) && t[p] == L'\n') --p;
    long start = p;
    while (start > 0 && t[start - 1] != L'\n') --start;
    size_t end = t.find(L'\r', static_cast<size_t>(p));
    if (end == std::wstring::npos) end = t.size();
    return t.substr(start, end - start);
}

long MainForm::WhereX() const { return w.txt.caret - Debutligne() + 2; }

long MainForm::IndexAbsolu() { return led.windowStart + NumeroTxt(w.txt.caret) - 2; }

void MainForm::NumeroAffiche() {
    long index = IndexAbsolu();
    if (index > led.displayCount()) index = led.displayCount();
    if (index < 1) index = 1;
    cursorIndex() = index;
}

bool MainForm::TestNumeroAffiche(long index) const { return index >= 1 && index <= led.displayCount(); }

void MainForm::SurNumero(long n) {
    if (n >= kWindowLines) {
        led.windowStart = std::min(n + 1, led.screenCount());
        InitTableINdex();
        led.topEdge = true;
        w.txt.setCaret(0);
        message(extraitLigne(1));
    } else {
        led.windowStart = 1;
        InitTableINdex();
        led.topEdge = false;
        SurNumeroTxt(n + 1);
    }
}

void MainForm::SurNumeroTxt(long m) {
    const std::wstring& t = w.txt.text;
    long pos = 0;
    for (long line = 1; line < m; ++line) {
        size_t p = t.find(L"\r\n", static_cast<size_t>(pos));
        if (p == std::wstring::npos) break;
        pos = static_cast<long>(p) + 2;
    }
    w.txt.setCaret(pos);
    message(extraitLigne(pos + 1));
}

// --- Paging the window ------------------------------------------------------

namespace {
// Offset of the start of the last line of a CR LF text.
long lastLineStart(const std::wstring& t) {
    size_t p = t.rfind(L'\n');
    return p == std::wstring::npos ? 0 : static_cast<long>(p) + 1;
}
}  // namespace

void MainForm::FlecheHaut() {
    if (NumeroTxt(w.txt.caret) == 1) {
        if (led.topEdge) Indexprecedent();
        else led.topEdge = true;
    } else {
        led.topEdge = led.bottomEdge = false;
    }
}

void MainForm::sayNotAnOperation() {
    if (w.Liste.visible || !w.txt.visible) return;
    platform.Beep();
    message(extraitLigne(w.txt.caret + 1));
}

void MainForm::FlecheBas() {
    long shownLines = textLineCount(w.txt.text);
    if (FinLigne() <= static_cast<long>(w.txt.text.size())) {
        led.topEdge = led.bottomEdge = false;
    } else if (led.windowStart + shownLines - 1 >= led.screenCount()) {
        // Nothing follows: no page to turn, and the caret does not move.
        platform.Beep();
        message(kLastLineWord);
    } else if (led.bottomEdge) {
        Indexsuivant();
    } else {
        led.bottomEdge = true;
    }
}

void MainForm::Indexprecedent() {
    if (led.windowStart == 1) {
        led.topEdge = true;
        return;
    }
    led.windowStart = std::max(led.windowStart - kWindowLines, 1L);
    InitTableINdex();
    w.txt.setCaret(lastLineStart(w.txt.text));
    led.topEdge = false;
    led.bottomEdge = true;
}

void MainForm::Indexsuivant() {
    long next = led.windowStart + kWindowLines;
    if (next <= led.screenCount()) {
        led.windowStart = next;
        InitTableINdex();
        w.txt.setCaret(0);
    } else if (led.screenCount() < kWindowLines + 1) {
        led.windowStart = 1;
        platform.Beep();
        InitTableINdex();
        w.txt.setCaret(lastLineStart(w.txt.text));
        led.topEdge = false;
        led.bottomEdge = true;
        return;
    } else {
        led.windowStart = led.screenCount();
        InitTableINdex();
        w.txt.setCaret(0);
    }
    led.topEdge = true;
    led.bottomEdge = false;
}

void MainForm::AppelDebutIndex() {
    if (led.windowStart == 1) return;
    led.windowStart = 1;
    InitTableINdex();
}

void MainForm::AppelFinIndex() {
    led.windowStart = std::max(led.screenCount() - (kWindowLines - 1), 1L);
    InitTableINdex();
    w.txt.setCaret(lastLineStart(w.txt.text));
}

void MainForm::retourMicro() {
    if (describeKey(L"Opérations du jour en cours")) return;
    DisplayMode mode = displayMode();
    if (mode == DisplayMode::Text || mode == DisplayMode::Report || led.displayCount() == 0) return;
    Date now = today();
    long index = led.displayCount() + 1;
    for (long k = 1; k <= led.displayCount(); ++k) {
        try {
            if (readDateField(led.storedLine(k).substr(0, 8)) >= now) {
                index = k;
                break;
            }
        } catch (const std::exception&) {
            // a line without a date is never the day's operation
        }
    }
    SurNumero(index);  // speaks the line the caret is put on
}

void MainForm::CoordonneesCurseur() {
    if (describeKey(L"coordonnées du curseur")) return;
    long line = 0, column = 0;
    if (app.notepadShown) {
        caretLineColumn(w.RtbNote.text, w.RtbNote.caret, line, column);
    } else {
        line = IndexAbsolu();
        column = WhereX();
    }
    auto number = [](long n) { return n < 0 ? std::to_wstring(n) : L" " + std::to_wstring(n); };
    message(L"colonne" + number(column) + L" ligne" + number(line));
}

// --- Reading lines of a text -------------------------------------------------

bool LireLigne(std::wstring& line, const std::wstring& text, long& position, bool& lastLine) {
    long size = static_cast<long>(text.size());
    line.clear();
    if (position < 1) position = 1;
    if (position > size) {
        lastLine = true;
        return false;
    }
    size_t from = static_cast<size_t>(position - 1);
    size_t brk = text.find(L"\r\n", from);
    if (brk == std::wstring::npos) {
        line = text.substr(from);
        // A last lone carriage return or line feed ends the line, it is not part of it.
        if (!line.empty() && (line.back() == L'\r' || line.back() == L'\n')) line.pop_back();
        position = size + 1;
    } else {
        line = text.substr(from, brk - from);
        position = static_cast<long>(brk) + 3;
    }
    lastLine = position > size;
    return true;
}

std::vector<std::wstring> textLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    long position = 1;
    bool last = false;
    while (!last && LireLigne(line, text, position, last)) lines.push_back(line);
    return lines;
}
