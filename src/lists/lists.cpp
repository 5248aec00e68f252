// Reading the list files, and the rubrique and objet lists of the entry steps.
#include "lists/lists.h"

#include <filesystem>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"

StandardRubrique parseRubriqueLine(const std::wstring& line) {
    StandardRubrique r;
    r.code = line.empty() ? L' ' : line[0];
    r.name = line.size() > 2 ? line.substr(2) : L"";
    return r;
}

std::wstring rubriqueItem(const std::wstring& name, wchar_t code, int width) {
    return complete(name, width + 1) + formecode(code);
}

int entryListWidth(int nameWidth) {
    const int autreLength = 5;  // "Autre"
    return std::max(nameWidth, autreLength - 1);
}

std::wstring findListFile(const std::wstring& folder, const std::wstring& name) {
    if (name.empty() || name.find_first_of(L"/\\:") != std::wstring::npos) return L"";
    std::wstring wanted = upperCase(name);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(fsPath(folder), ec)) {
        std::wstring found = fromUtf8(entry.path().filename().string());
        if (upperCase(found) == wanted && entry.is_regular_file(ec)) return ajoutbackslash(folder) + found;
    }
    return L"";
}

std::vector<std::wstring> readListFile(const std::wstring& path) {
    std::vector<std::wstring> out;
    if (path.empty() || !FichierExistant(path)) return out;
    for (std::wstring& line : readTextLines(path))
        if (!trim(line).empty()) out.push_back(std::move(line));
    return out;
}

double tvaRateValue(const std::wstring& item) {
    std::string number;
    for (wchar_t c : trim(item)) {
        if (c == L',') c = L'.';
        if ((c >= L'0' && c <= L'9') || (c == L'.' && number.find('.') == std::string::npos)) number.push_back(char(c));
        else break;
    }
    return number.empty() ? 0 : std::strtod(number.c_str(), nullptr);
}

void MainForm::LitRubrique() {
    lst.nameWidth = 1;
    lst.rubriquesPen.assign(1, {});
    lst.rubriquesOpe.assign(1, {});
    auto readInto = [&](const std::wstring& path, std::vector<StandardRubrique>& list) {
        try {
            for (const std::wstring& line : readListFile(path)) {
                StandardRubrique r = parseRubriqueLine(line);
                lst.nameWidth = std::max(lst.nameWidth, static_cast<int>(r.name.size()));
                list.push_back(r);
            }
        } catch (const std::exception& e) {
            reportError(e, L"LitRubrique");
        }
    };
    readInto(app.pathRubriquePen, lst.rubriquesPen);
    readInto(app.pathRubriqueOpe, lst.rubriquesOpe);
}

void MainForm::AfficheRubrique() {
    ent.typeAhead.clear();
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    w.focus = L"Liste";
    try {
        int width = entryListWidth(lst.nameWidth);
        bool pensions = displayMode() == 1;
        bool search = searchRunning();
        const std::wstring autreAlone = complete(L"Autre", width + 2);
        if (pensions) {
            l.addItem(L"Liste des rubriques des traites et pensions");
            if (search) {
                l.addItem(autreAlone);
            } else {
                l.addItem(rubriqueItem(L"Autre", L'T', width));
                l.addItem(rubriqueItem(L"Autre", L'P', width));
            }
        } else {
            l.addItem(L"Liste des rubriques des opérations");
            if (search) {
                l.addItem(autreAlone);
            } else {
                l.addItem(rubriqueItem(L"Autre", L'D', width));
                l.addItem(rubriqueItem(L"Autre", L'R', width));
            }
            if (acc.header.accountType == 1) l.addItem(std::wstring(width + 1, L' ') + formecode(L'B'));
        }
        lst.specialCount = static_cast<int>(l.items.size()) - 1;
        const std::vector<StandardRubrique>& list = pensions ? lst.rubriquesPen : lst.rubriquesOpe;
        l.selected = 1;
        int same = 0;
        std::wstring wanted = trim(acc.work.rubrique);
        for (size_t i = 1; i < list.size(); ++i) {
            l.addItem(rubriqueItem(list[i].name, list[i].code, width));
            if (same == 0 && trim(list[i].name) == wanted) same = static_cast<int>(l.items.size()) - 1;
        }
        long count = static_cast<long>(list.size()) - 1;
        if (same != 0) l.selected = same;
        else if (count + 1 > lst.specialCount) l.selected = lst.specialCount + 1;
    } catch (const std::exception& e) {
        reportError(e, L"AfficheRubrique");
    }
}

void MainForm::AfficheObjet() {
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    w.focus = L"Liste";
    int type = acc.header.accountType;
    if (type == 4 || type == 5) l.addItem(L"Liste des objets standards");
    else l.addItem(L"Liste des objets de la rubrique " + trim(acc.work.rubrique));
    bool creation = !ent.columnModification && !searchRunning();
    l.addItem(creation ? L"création d'un objet" : L"Entrée d'un autre objet");
    l.selected = 1;
    try {
        std::wstring wanted = trim(acc.work.objet);
        int same = 0;
        for (const std::wstring& line : readListFile(lst.objetFilePath)) {
            l.addItem(line);
            if (same == 0 && line == wanted) same = static_cast<int>(l.items.size()) - 1;
        }
        if (same != 0) l.selected = same;
        else if (l.items.size() > 2) l.selected = 2;
    } catch (const std::exception& e) {
        reportError(e, L"AfficheObjet");
    }
}

void MainForm::validationObjet() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected >= static_cast<int>(l.items.size())) return;
    if (l.selected == 1) {
        std::wstring answer = trim(inputLineText(L"objet", acc.work.objet));
        if (answer.empty()) {
            InitYzo();
            return;
        }
        acc.work.objet = answer;
    } else {
        acc.work.objet = l.items[l.selected];
    }
    l.show(false);
    ent.modes.objetStep = false;
    showLedger();
    if (ent.columnModification) {
        finishColumnModification();
        InitYzo();
    } else if (searchRunning()) {
        acc.work.objet = upperCase(acc.work.objet);
        // The criteria search takes the work operation from here once it exists.
    } else {
        dial_montant();
    }
}
