// Field rules shared by the entry dialogs and the spoken readers: the field
// under the caret and the last cheque number.
#include "app/errors.h"
#include "app/mainform.h"

namespace {
bool digitsOnly(const std::wstring& text) {
    if (text.empty()) return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    return true;
}
}  // namespace

bool MainForm::InitNumeroCours(int column) {
    if (w.Liste.visible || displayMode() == DisplayMode::Text || displayMode() == DisplayMode::Report) {
        w.txt.setCaret(0);
        return false;
    }
    long index = IndexAbsolu();
    if (index <= 0) {
        w.txt.setCaret(0);
        return false;
    }
    long lineStart = Debutligne() - 1;  // offset of the caret line's first character
    if (index > led.displayCount()) {
        // A balance line: the caret goes to its start.
        w.txt.setCaret(lineStart);
        return false;
    }
    cursorIndex() = index;
    led.currentColumn[acc.currentDoc] = column;
    try {
        acc.work = convertit_ChaineYzo(std::wstring(led.shownText(index)));
    } catch (const std::exception&) {
        w.txt.setCaret(lineStart);
        return false;
    }
    long offset = 0;
    const std::array<int16_t, 8> start = led.columnStarts(index);
    bool onField =
        led.pendingColumn == kNoColumn && column > kColumnDate && column <= kColumnNumero && start[column - 1] > 0;
    if (onField) offset = start[column - 1] - 1;
    // A start past the end of its line (the numéro of a bank line) stays on the line.
    long lineLength = FinLigne() - 1 - lineStart;
    w.txt.setCaret(lineStart + std::min(offset, lineLength));
    return true;
}

std::wstring MainForm::dernierNUMERO() const {
    for (long i = acc.operationCount(); i >= 1; --i) {
        try {
            std::wstring numero = trim(convertit_ChaineYzo(acc.operationLines[i].text).numero);
            if (digitsOnly(numero)) return numero;
        } catch (const std::exception&) {
            // a malformed line holds no number
        }
    }
    return L"";
}
