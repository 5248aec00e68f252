// The lines of the ledger text box: the shown operations are built from their
// stored lines only when they are read, so that a display of many operations
// holds no text of its own for them.
#include "ledger/ledger.h"

const std::wstring& LedgerState::storedLine(long k) const {
    static const std::wstring none;
    const long index = displayTable[k].sourceIndex;
    if (shownLines_ == nullptr || index < 1 || index >= static_cast<long>(shownLines_->size())) return none;
    return (*shownLines_)[index].text;
}

std::wstring_view LedgerState::shownText(long k) const {
    const std::wstring& line = storedLine(k);
    std::wstring_view text(line);
    return line.size() > kMaxLineLength ? text.substr(0, 10) : text;
}

void LedgerState::formeLigneAffichee(std::wstring& s, std::array<int16_t, 8>& colStart, long k) const {
    formeLigne(s, colStart, shownText(k), displayTable[k].mark, layout, shownSettings);
}

std::array<int16_t, 8> LedgerState::columnStarts(long k) const {
    std::array<int16_t, 8> starts{};
    std::wstring text;
    formeLigneAffichee(text, starts, k);
    return starts;
}

void ScreenLines::appendTo(std::wstring& out, long k) const {
    if (k <= 1 || k > rows_ + 1) {
        long index = k <= 1 ? k : k - rows_;
        if (index >= 0 && index < static_cast<long>(plain_.size())) out += plain_[index];
        return;
    }
    std::wstring text;
    std::array<int16_t, 8> starts{};
    ledger_->formeLigneAffichee(text, starts, k - 1);
    out += text;
}

std::wstring ScreenLines::operator[](long k) const {
    std::wstring out;
    appendTo(out, k);
    return out;
}

void ScreenLines::setText(const std::vector<std::wstring>& lines) {
    plain_.assign(1, {});
    plain_.insert(plain_.end(), lines.begin(), lines.end());
    rows_ = 0;
}

void ScreenLines::setHeader(const std::wstring& header) {
    plain_.resize(2);
    plain_[1] = header;
    rows_ = 0;
}
