// The command file of the accounting report: its lines classified, the
// account names of a NOM_COMPTE line, and the report's command line.
#include <algorithm>
#include <cwctype>
#include <filesystem>

#include "account/paths.h"
#include "app/textfile.h"
#include "compta/compta.h"

Commande test_commande(const std::wstring& line) {
    static const wchar_t* const keywords[] = {L"NOM_COMPTE", L"SOLDE_PARTIEL", L"SOLDE_TOTAL"};
    Commande c;
    std::wstring text = line;
    for (int k = 0; k < 3; ++k) {
        if (upperCase(text).find(keywords[k]) == std::wstring::npos) continue;
        size_t colon = text.find(L':');
        if (colon == std::wstring::npos) {
            c.manqueDeuxPoints = true;
            continue;
        }
        text.erase(0, colon + 1);
        c.code = k + 1;
        c.texte = text;
    }
    return c;
}

namespace {
bool isFullPath(const std::wstring& name) {
    return name.find(L':') != std::wstring::npos || name[0] == L'/' || name[0] == L'\\';
}

// The folder part as typed, the file name upper-cased: the name is looked for
// in any case, and the folders of the path keep theirs.
std::wstring withUpperFileName(const std::wstring& name) {
    std::wstring file = NomFichSeul(name);
    return name.substr(0, name.size() - file.size()) + upperCase(file);
}
}  // namespace

std::vector<std::wstring> extrait_fichier(const std::wstring& names, const std::wstring& storageFolder,
                                          const std::wstring& programFolder) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (;;) {
        size_t plus = names.find(L'+', start);
        pieces.push_back(trim(names.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start)));
        if (plus == std::wstring::npos) break;
        start = plus + 1;
    }
    std::vector<std::wstring> files;
    files.reserve(pieces.size());
    for (size_t k = 0; k < pieces.size(); ++k) {
        const std::wstring& piece = pieces[k];
        if (piece.empty()) files.emplace_back();
        else if (isFullPath(piece)) files.push_back(withUpperFileName(piece));
        else files.push_back((k + 1 < pieces.size() ? storageFolder : programFolder) + withUpperFileName(piece));
    }
    return files;
}

std::optional<std::wstring> resolveAccountFile(const std::wstring& path) {
    namespace fs = std::filesystem;
    if (path.empty()) return std::nullopt;
    std::error_code ec;
    fs::path p = fsPath(path);
    if (fs::is_regular_file(p, ec)) return path;
    std::wstring found = fileWhateverCase(folderOf(path), NomFichSeul(path));
    if (found.empty()) return std::nullopt;
    return found;
}

namespace {
// A switch "/X" standing as a word: after a blank, a quote or the start, and
// before a blank, a quote, another switch or the end.
bool switchAt(const std::wstring& line, size_t p, wchar_t letter) {
    if (p + 1 >= line.size() || line[p] != L'/' || static_cast<wchar_t>(std::towupper(line[p + 1])) != letter) return false;
    bool endsWord = p + 2 == line.size() || line[p + 2] == L' ' || line[p + 2] == L'/' || line[p + 2] == L'"';
    if (!endsWord) return false;
    if (p == 0 || line[p - 1] == L' ' || line[p - 1] == L'"') return true;
    // Right after another switch ("/C/S").
    return p >= 2 && (switchAt(line, p - 2, L'C') || switchAt(line, p - 2, L'S'));
}
}  // namespace

ArgumentsCompta comptaArguments(const std::wstring& commandLine) {
    ArgumentsCompta a;
    size_t first = std::wstring::npos;
    for (size_t p = 0; p < commandLine.size(); ++p) {
        if (!switchAt(commandLine, p, L'C') && !switchAt(commandLine, p, L'S')) continue;
        if (first == std::wstring::npos) first = p;
        if (switchAt(commandLine, p, L'S')) a.simple = true;
    }
    std::wstring name = trim(commandLine.substr(0, first));
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"') name = trim(name.substr(1, name.size() - 2));
    a.commandFile = name;
    return a;
}

std::wstring prnName(const std::wstring& commandFile) { return withExtension(commandFile, L"prn"); }
