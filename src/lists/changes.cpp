// Inserting into, deleting from and saving the reference lists.
#include <algorithm>
#include <filesystem>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "lists/lists.h"

namespace {
void insertRubrique(std::vector<StandardRubrique>& list, long position, const StandardRubrique& r) {
    position = std::clamp(position, 1L, static_cast<long>(list.size()));
    list.insert(list.begin() + position, r);
}

void removeRubrique(std::vector<StandardRubrique>& list, long index) {
    if (index < 1 || index >= static_cast<long>(list.size())) return;
    list.erase(list.begin() + index);
}

// Inserts a text among the items of a list from item first on, in order, and selects it.
void insertItemInOrder(Control& list, int first, const std::wstring& text) {
    int at = itemInsertPosition(list.items, first, text);
    list.items.insert(list.items.begin() + at, text);
    list.checked.insert(list.checked.begin() + at, false);
    list.selected = at;
}

// Removes the selected item; the selection stays at its place, or on the new last item.
void removeSelectedItem(Control& list) {
    int at = list.selected;
    list.items.erase(list.items.begin() + at);
    list.checked.erase(list.checked.begin() + at);
    list.selected = std::min(at, static_cast<int>(list.items.size()) - 1);
}

bool selectedFrom(const Control& list, int first) {
    return list.selected >= first && list.selected < static_cast<int>(list.items.size());
}
}  // namespace

void MainForm::AjoutRubriqueOperation() {
    long position = rubriqueInsertPosition(lst.rubriquesOpe, acc.work.rubrique);
    insertionRubriqueOperation(position);
    lst.listPosition = static_cast<int>(position);
}

void MainForm::insertionRubriqueOperation(long position) {
    insertRubrique(lst.rubriquesOpe, position, {acc.work.rubrique, acc.work.code});
    lst.nameWidth = std::max(lst.nameWidth, static_cast<int>(acc.work.rubrique.size()));
}

void MainForm::AjoutRubriquePension() {
    long position = rubriqueInsertPosition(lst.rubriquesPen, acc.work.rubrique);
    insertionRubriquePension(position);
    lst.listPosition = static_cast<int>(position);
}

void MainForm::insertionRubriquePension(long position) {
    insertRubrique(lst.rubriquesPen, position, {acc.work.rubrique, acc.work.code});
    lst.nameWidth = std::max(lst.nameWidth, static_cast<int>(acc.work.rubrique.size()));
}

// The name width stays as it is: the lists shown keep their columns.
void MainForm::supprimeRubriqueOperation(long index) { removeRubrique(lst.rubriquesOpe, index); }

void MainForm::supprimeRubriquePension(long index) { removeRubrique(lst.rubriquesPen, index); }

void MainForm::AjoutObjet() {
    lst.objetModified = true;
    insertItemInOrder(w.Liste, 1, trim(acc.work.objet));
}

void MainForm::Ajouttva(const std::wstring& rate) {
    lst.tvaModified = true;
    insertItemInOrder(w.Liste, 2, trim(rate));
}

void MainForm::effacementRubrique() {
    if (describeKey(L"suppression d'une rubrique")) return;
    Control& l = w.Liste;
    bool pensions = ent.modes.rubriqueScreenPen;
    const std::vector<StandardRubrique>& list = pensions ? lst.rubriquesPen : lst.rubriquesOpe;
    int index = l.selected;
    if (index < 1 || index >= static_cast<int>(list.size()) || index >= static_cast<int>(l.items.size())) return;
    if (ask(L"Effacer l'rubrique " + l.items[index], MsgButtons::YesNo) != MsgResult::Yes) return;
    lst.rubriqueModified = true;
    lst.listPosition = index - 1;
    std::wstring rubrique = trim(list[index].name);
    try {
        // Only a file of the list folder itself is ever found here.
        std::wstring objets = findListFile(app.programFolder, rubrique + L".obj");
        std::error_code ec;
        if (!objets.empty() && !std::filesystem::remove(fsPath(objets), ec) && ec)
            throw YzoError(kErrPermission, NomFichSeul(objets));
    } catch (const std::exception& e) {
        reportError(e, L"EffacementRubrique");
    }
    if (pensions) {
        supprimeRubriquePension(index);
        AfficheRubriquePension();
    } else {
        supprimeRubriqueOperation(index);
        AfficheRubriqueOperation();
    }
}

void MainForm::effacementObjet() {
    if (describeKey(L"suppression d'un objet")) return;
    Control& l = w.Liste;
    if (!selectedFrom(l, 1)) return;
    if (ask(L"Effacer l'objet " + l.items[l.selected], MsgButtons::YesNo) != MsgResult::Yes) return;
    removeSelectedItem(l);
    lst.objetModified = true;
}

void MainForm::effacementtva() {
    if (describeKey(L"suppression d'une T V A")) return;
    Control& l = w.Liste;
    if (!selectedFrom(l, 2)) return;
    if (ask(L"Effacer la T V A " + l.items[l.selected], MsgButtons::YesNo) != MsgResult::Yes) return;
    removeSelectedItem(l);
    lst.tvaModified = true;
}

// Written from the list kept in memory, which holds each code letter as it was
// read or chosen: the screen only shows the name of the letters it knows.
void MainForm::SauveRubrique(bool askFirst) {
    lst.rubriqueModified = false;
    if (askFirst && ask(L"Sauvegarder les rubriques modifiées", MsgButtons::YesNo) != MsgResult::Yes) return;
    bool pensions = ent.modes.rubriqueScreenPen;
    try {
        writeListFile(lst, pensions ? app.pathRubriquePen : app.pathRubriqueOpe,
                      rubriqueFileLines(pensions ? lst.rubriquesPen : lst.rubriquesOpe));
    } catch (const std::exception& e) {
        reportError(e, L"SauveRubrique");
    }
}

void MainForm::SauveObjet() {
    lst.objetModified = false;
    const Control& l = w.Liste;
    try {
        std::vector<std::wstring> lines(l.items.begin() + std::min<size_t>(1, l.items.size()), l.items.end());
        writeListFile(lst, lst.objetFilePath, lines);
    } catch (const std::exception& e) {
        reportError(e, L"SauveObjet");
    }
}

void MainForm::SauveTva() {
    lst.tvaModified = false;
    if (ask(L"Sauvegarder les T V A modifiés", MsgButtons::YesNo) != MsgResult::Yes) return;
    const Control& l = w.Liste;
    try {
        std::vector<std::wstring> lines(l.items.begin() + std::min<size_t>(2, l.items.size()), l.items.end());
        writeListFile(lst, app.pathTva, lines);
    } catch (const std::exception& e) {
        reportError(e, L"Sauvetva");
    }
}
