// The 20-line window over the screen lines, and the caret in the ledger text box.
#include "app/mainform.h"

void MainForm::InitTableINdex() {
    std::wstring text;
    long last = std::min(led.windowStart + kWindowLines - 1, led.screenCount());
    for (long k = led.windowStart; k <= last; ++k) {
        if (k > led.windowStart) text += L"\r\n";
        text += led.screenLines[k];
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
        led.windowStart = n + 1;
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
