// The reference lists: standard rubriques of operations and of traites and
// pensions, objet files and TVA rates, all in the list folder.
#pragma once
#include <string>
#include <vector>

struct StandardRubrique {
    std::wstring name;
    wchar_t code = L'D';
};

struct ListsState {
    std::vector<StandardRubrique> rubriquesOpe{1};   // 1-based, element 0 unused
    std::vector<StandardRubrique> rubriquesPen{1};
    int nameWidth = 1;              // longest rubrique name of both lists, at least 1
    int listPosition = 1;
    int specialCount = 0;           // items between the title and the first standard rubrique
    std::wstring objetFilePath;     // the objet file in use
    bool rubriqueModified = false;
    bool objetModified = false;
    bool tvaModified = false;

    long opeCount() const { return static_cast<long>(rubriquesOpe.size()) - 1; }
    long penCount() const { return static_cast<long>(rubriquesPen.size()) - 1; }
};

// A line of a rubrique file: the code letter, a blank, the name.
StandardRubrique parseRubriqueLine(const std::wstring& line);
// The item of a rubrique in a list: the name padded to width + 1, then the
// name of its code letter, so that position width + 2 holds the letter.
std::wstring rubriqueItem(const std::wstring& name, wchar_t code, int width);
// The width the entry lists pad names to: the name width, but never less
// than the "Autre" item needs to keep its code letter at width + 2.
int entryListWidth(int nameWidth);
// The file of the folder whose name equals the given one without regard to
// case, or empty. A name holding a folder separator never names a list file.
std::wstring findListFile(const std::wstring& folder, const std::wstring& name);
// The non-empty lines of a list file, in file order; none when it is missing.
std::vector<std::wstring> readListFile(const std::wstring& path);
// The leading number of a TVA rate text ("19,6" -> 19.6, "5,5 %" -> 5.5); 0 when none.
double tvaRateValue(const std::wstring& item);
