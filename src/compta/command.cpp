// The command file of the accounting report: its lines classified, the
// account names of a NOM_COMPTE line, and the report's command line.
#include <algorithm>
#include <cwctype>
#include <filesystem>

#include "account/paths.h"
#include "app/textfile.h"
#include "compta/compta.h"
#include "platform/files.h"

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

namespace {
// The same folder: the same entry on the disk, or the same text when either is missing.
bool sameFolder(const std::wstring& a, const std::wstring& b) {
    std::error_code ec;
    return a == b || std::filesystem::equivalent(fsPath(a), fsPath(b), ec);
}

// The files a name without a folder may stand for: the name in each folder, in
// order, each folder once.
std::vector<std::wstring> inFolders(const std::wstring& name, const std::vector<std::wstring>& folders) {
    std::vector<std::wstring> kept;
    std::vector<std::wstring> files;
    for (const std::wstring& folder : folders) {
        if (std::any_of(kept.begin(), kept.end(), [&](const std::wstring& k) { return sameFolder(k, folder); }))
            continue;
        kept.push_back(folder);
        files.push_back(folder + name);
    }
    return files;
}
}  // namespace

std::vector<NomCompte> extrait_fichier(const std::wstring& names, const ComptaFolders& folders) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (;;) {
        size_t plus = names.find(L'+', start);
        pieces.push_back(trim(names.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start)));
        if (plus == std::wstring::npos) break;
        start = plus + 1;
    }
    std::vector<NomCompte> accounts;
    accounts.reserve(pieces.size());
    for (size_t k = 0; k < pieces.size(); ++k) {
        NomCompte account{pieces[k], {}};
        const std::wstring& piece = pieces[k];
        if (piece.empty()) {
        } else if (isFullPath(piece)) {
            account.candidates.push_back(withUpperFileName(piece));
        } else {
            const std::wstring& ruleFolder = k + 1 < pieces.size() ? folders.storage : folders.program;
            account.candidates =
                inFolders(withUpperFileName(piece), {ruleFolder, folders.storage, folders.commandFile});
        }
        accounts.push_back(std::move(account));
    }
    return accounts;
}

std::optional<std::wstring> resolveAccountFile(const std::wstring& path) {
    namespace fs = std::filesystem;
    if (path.empty()) return std::nullopt;
    std::error_code ec;
    fs::path p = fsPath(path);
    // Where any case finds the file, the folder listing gives its real
    // spelling, which the reports show.
    if (!platform::caseBlindNames() && fs::is_regular_file(p, ec)) return path;
    std::wstring found = fileWhateverCase(folderOf(path), NomFichSeul(path));
    if (!found.empty()) return found;
    if (fs::is_regular_file(p, ec)) return path;
    return std::nullopt;
}

std::optional<std::wstring> findAccountFile(const NomCompte& name) {
    for (const std::wstring& candidate : name.candidates)
        if (std::optional<std::wstring> file = resolveAccountFile(candidate)) return file;
    return std::nullopt;
}

namespace {
// A switch "/X" standing as a word: after a blank, a quote or the start, and
// before a blank, a quote, another switch or the end.
bool switchAt(const std::wstring& line, size_t p, wchar_t letter) {
    if (p + 1 >= line.size() || line[p] != L'/' || static_cast<wchar_t>(std::towupper(line[p + 1])) != letter)
        return false;
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

bool hasReportSwitch(const std::wstring& commandLine) {
    for (size_t p = 0; p < commandLine.size(); ++p)
        if (switchAt(commandLine, p, L'C')) return true;
    return false;
}

std::wstring prnName(const std::wstring& commandFile) { return withExtension(commandFile, L"prn"); }
