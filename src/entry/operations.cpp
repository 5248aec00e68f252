// Inserting, replacing and deleting the lines of the current account.
#include "app/errors.h"
#include "app/mainform.h"
#include "entry/rules.h"

namespace {
void insertAt(std::vector<LineEntry>& lines, long position, const std::wstring& text) {
    if (position < 1) position = 1;
    if (position > static_cast<long>(lines.size())) position = static_cast<long>(lines.size());
    lines.insert(lines.begin() + position, LineEntry{text, 0});
}

void removeAt(std::vector<LineEntry>& lines, long index) {
    if (index < 1 || index >= static_cast<long>(lines.size())) return;
    lines.erase(lines.begin() + index);
}
}  // namespace

void MainForm::markModified() { acc.modified[acc.currentDoc] = true; }

// A column of an existing operation has its new value: the line under the
// cursor takes it, and the account is modified.
void MainForm::finishColumnModification() {
    ent.columnModification = false;
    replaceCurrentLine();
    markModified();
}

long MainForm::AjoutOperation(long searchFrom) {
    long position = insertionPosition(acc.operationLines, acc.work, searchFrom);
    cursorIndex() = position;
    insertionYzo(position);
    return position;
}

void MainForm::insertionYzo(long position) { insertAt(acc.operationLines, position, FormeYzo(acc.work)); }

void MainForm::supprimeYzo(long index) { removeAt(acc.operationLines, index); }

void MainForm::AjoutPension() {
    long position = insertionPosition(acc.pensionLines, acc.work);
    cursorIndex() = position;
    insertionPension(position);
}

void MainForm::insertionPension(long position) { insertAt(acc.pensionLines, position, FormeYzo(acc.work)); }

void MainForm::supprimePension(long index) { removeAt(acc.pensionLines, index); }

void MainForm::storeOperation() {
    if (displayMode() == DisplayMode::Pensions) AjoutPension();
    else AjoutOperation();
    markModified();
}

long MainForm::cursorSourceIndex() const {
    long index = led.cursorIndex[acc.currentDoc];
    if (index < 1 || index > led.displayCount()) return 0;
    return led.displayTable[index].sourceIndex;
}

void MainForm::replaceCurrentLine() {
    long source = cursorSourceIndex();
    std::vector<LineEntry>& lines = displayMode() == DisplayMode::Pensions ? acc.pensionLines : acc.operationLines;
    if (source < 1 || source >= static_cast<long>(lines.size())) return;
    lines[source].text = FormeYzo(acc.work);
}

void MainForm::moveCurrentLine() {
    long source = cursorSourceIndex();
    if (displayMode() == DisplayMode::Pensions) {
        supprimePension(source);
        AjoutPension();
    } else {
        supprimeYzo(source);
        AjoutOperation();
    }
}

void MainForm::effacementYzo() {
    if (describeKey(L"suppression d'une opération")) return;
    long index = IndexAbsolu();
    if (!TestNumeroAffiche(index)) return;
    if (ask(L"Effacer l'opération", MsgButtons::YesNo) != MsgResult::Yes) return;
    long source = led.displayTable[index].sourceIndex;
    if (displayMode() == DisplayMode::Pensions) supprimePension(source);
    else supprimeYzo(source);
    markModified();
    cursorIndex() = std::min(index, displayMode() == DisplayMode::Pensions ? acc.pensionCount() : acc.operationCount());
    AfficheYzo();
}
