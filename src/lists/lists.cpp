// Reading the list files, and the rubrique and objet lists of the entry steps.
#include "lists/lists.h"

#include <algorithm>
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
    return fileWhateverCase(folder, name);
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

std::vector<std::wstring> rubriqueFileLines(const std::vector<StandardRubrique>& list) {
    std::vector<std::wstring> lines;
    for (size_t i = 1; i < list.size(); ++i) lines.push_back(std::wstring(1, list[i].code) + L" " + trim(list[i].name));
    return lines;
}

long rubriqueInsertPosition(const std::vector<StandardRubrique>& list, const std::wstring& name) {
    std::wstring wanted = upperCase(trim(name));
    for (size_t i = 1; i < list.size(); ++i)
        if (upperCase(list[i].name) > wanted) return static_cast<long>(i);
    return static_cast<long>(list.size());
}

int itemInsertPosition(const std::vector<std::wstring>& items, int first, const std::wstring& text) {
    std::wstring wanted = upperCase(trim(text));
    for (size_t i = static_cast<size_t>(std::max(first, 0)); i < items.size(); ++i)
        if (upperCase(items[i]) > wanted) return static_cast<int>(i);
    return static_cast<int>(items.size());
}

std::wstring listTextRefusal(const std::wstring& text, int maxLength) {
    for (wchar_t c : text) {
        if (c < 32 || c == 127) return L"texte refusé : il contient un caractère de contrôle";
        if (!encodableCp1252(c))
            return std::wstring(L"texte refusé : le caractère ") + c + L" ne peut pas être enregistré";
    }
    if (static_cast<int>(text.size()) > maxLength)
        return L"texte refusé : plus de " + std::to_wstring(maxLength) + L" caractères";
    return L"";
}

std::wstring listFileNameRefusal(const std::wstring& name) {
    constexpr const wchar_t* refused = L"nom refusé : un nom de fichier ne peut contenir ni / \\ : * ? \" < > | ni ..";
    if (name.find_first_of(L"/\\:*?\"<>|") != std::wstring::npos || name.find(L"..") != std::wstring::npos)
        return refused;
    for (wchar_t c : name)
        if (c < 32 || c == 127) return refused;
    return L"";
}

std::wstring rubriqueNameRefusal(const std::wstring& name) {
    std::wstring refusal = listTextRefusal(name, kMaxRubriqueName);
    if (!refusal.empty()) return refusal;
    if (!listFileNameRefusal(name).empty())
        return L"rubrique refusée : elle nomme son fichier d'objets, qui ne peut contenir ni / \\ : * ? \" < > | ni ..";
    return L"";
}

void markListFileRead(ListsState& lists, const std::wstring& path, bool whole) {
    auto& unread = lists.unreadFiles;
    auto found = std::find(unread.begin(), unread.end(), path);
    if (whole && found != unread.end()) unread.erase(found);
    if (!whole && found == unread.end()) unread.push_back(path);
}

void writeListFile(const ListsState& lists, const std::wstring& path, const std::vector<std::wstring>& lines) {
    const auto& unread = lists.unreadFiles;
    if (std::find(unread.begin(), unread.end(), path) != unread.end())
        throw YzoError(kErrUnreadNotWritten, NomFichSeul(path));
    // A list the user made read-only stays as it is, whoever runs the program.
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::file_status status = fs::status(fsPath(path), ec);
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (!ec && fs::exists(status) && (status.permissions() & writable) == fs::perms::none)
        throw YzoError(kErrPermission, NomFichSeul(path));
    writeTextLines(path, lines);
}

void MainForm::LitRubrique() {
    lst.nameWidth = 1;
    lst.rubriquesPen.assign(1, {});
    lst.rubriquesOpe.assign(1, {});
    auto readInto = [&](const std::wstring& path, std::vector<StandardRubrique>& list) {
        bool whole = true;
        try {
            for (const std::wstring& line : readListFile(path)) {
                StandardRubrique r = parseRubriqueLine(line);
                if (trim(r.name).empty()) continue;  // a code letter alone names nothing
                if (static_cast<int>(r.name.size()) > kMaxRubriqueName) {
                    whole = false;
                    reportError(YzoError(kErrLineTooLong, NomFichSeul(path)), L"LitRubrique");
                    continue;
                }
                lst.nameWidth = std::max(lst.nameWidth, static_cast<int>(r.name.size()));
                list.push_back(r);
            }
        } catch (const std::exception& e) {
            whole = false;
            reportError(e, L"LitRubrique");
        }
        markListFileRead(lst, path, whole);
    };
    readInto(app.pathRubriquePen, lst.rubriquesPen);
    readInto(app.pathRubriqueOpe, lst.rubriquesOpe);
}

std::vector<std::wstring> MainForm::readListChecked(const std::wstring& path, const std::wstring& procedure) {
    try {
        std::vector<std::wstring> lines = readListFile(path);
        markListFileRead(lst, path, true);
        return lines;
    } catch (const std::exception& e) {
        markListFileRead(lst, path, false);
        reportError(e, procedure);
        return {};
    }
}

void MainForm::AfficheRubrique() {
    ent.typeAhead.clear();
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    w.focus = L"Liste";
    try {
        int width = entryListWidth(lst.nameWidth);
        bool pensions = displayMode() == DisplayMode::Pensions;
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
            if (acc.header.accountType == kAccountBankCode) l.addItem(std::wstring(width + 1, L' ') + formecode(L'B'));
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
    if (type == kAccountReceipts || type == kAccountExpenses) l.addItem(L"Liste des objets standards");
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
        suiteRecherche(kFieldObjet);
    } else {
        dial_montant();
    }
}
