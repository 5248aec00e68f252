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
    std::vector<StandardRubrique> rubriquesOpe{1};  // 1-based, element 0 unused
    std::vector<StandardRubrique> rubriquesPen{1};
    int nameWidth = 1;  // longest rubrique name of both lists, at least 1
    int listPosition = 1;
    int specialCount = 0;        // items between the title and the first standard rubrique
    std::wstring objetFilePath;  // the objet file in use
    bool rubriqueModified = false;
    bool objetModified = false;
    bool tvaModified = false;
    // List files that could not be read whole: they are never written over,
    // so that what the program could not read is not lost.
    std::vector<std::wstring> unreadFiles;

    long opeCount() const { return static_cast<long>(rubriquesOpe.size()) - 1; }
    long penCount() const { return static_cast<long>(rubriquesPen.size()) - 1; }
};

// The longest rubrique name a list accepts: names are padded to the longest
// one in every list, so a runaway line must not widen them all.
constexpr int kMaxRubriqueName = 100;
// The longest objet or TVA text typed on a list screen.
constexpr int kMaxListText = 200;

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
// The lines of a rubrique file for a list: code letter, blank, trimmed name.
std::vector<std::wstring> rubriqueFileLines(const std::vector<StandardRubrique>& list);
// Where a rubrique goes in a list (1-based): before the first name greater in
// upper case than the trimmed name, or count + 1.
long rubriqueInsertPosition(const std::vector<StandardRubrique>& list, const std::wstring& name);
// Where a text goes among list items, looking from item first on: the index
// of the first item greater in upper case than the trimmed text, or the end.
int itemInsertPosition(const std::vector<std::wstring>& items, int first, const std::wstring& text);
// Why a typed text cannot go into a list file (a control character, a
// character Windows-1252 cannot hold, more than maxLength characters), or
// empty when it can.
std::wstring listTextRefusal(const std::wstring& text, int maxLength);
// Why a name cannot name a list file of the list folder (a folder separator,
// "..", a drive colon or a character file names may not hold), or empty.
std::wstring listFileNameRefusal(const std::wstring& name);
// The same for a rubrique, which also names its objet file.
std::wstring rubriqueNameRefusal(const std::wstring& name);
// Writes a list file through the program's writer, unless it could not be
// read whole (throws YzoError then, and the file stays as it is).
void writeListFile(const ListsState& lists, const std::wstring& path, const std::vector<std::wstring>& lines);
// Records whether a list file was read whole.
void markListFileRead(ListsState& lists, const std::wstring& path, bool whole);
