#include "account/paths.h"

#include <filesystem>
#include <system_error>

#include "app/textfile.h"
#include "platform/files.h"
#include "ledger/format.h"

namespace {
bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
}  // namespace

std::wstring NomFichSeul(const std::wstring& path) {
    size_t p = path.find_last_of(L"\\/:");
    return p == std::wstring::npos ? path : path.substr(p + 1);
}

bool FichierExistant(const std::wstring& path) {
    if (path.empty()) return false;
    std::error_code ec;
    auto p = fsPath(path);
    if (!std::filesystem::is_regular_file(p, ec)) return false;
    (void)std::filesystem::file_size(p, ec);
    return !ec;
}

bool DossierExistant(const std::wstring& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_directory(fsPath(path), ec);
}

std::wstring ajoutbackslash(const std::wstring& path) {
    if (!path.empty() && isSeparator(path.back())) return path;
    return path + kPathSeparator;
}

std::wstring Sansbackslash(const std::wstring& path) {
    if (path.size() < 2) return L"";
    if (isSeparator(path.back())) return path.substr(0, path.size() - 1);
    return path;
}

std::wstring fileWhateverCase(const std::wstring& folder, const std::wstring& name) {
    const std::wstring wanted = upperCase(name);
    if (wanted.empty()) return L"";
    std::wstring found;
    std::error_code ec;
    const std::filesystem::path where = fsPath(folder.empty() ? L"." : folder);
    for (std::filesystem::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
        std::wstring entry = platform::pathText(it->path().filename());
        if (upperCase(entry) != wanted || !it->is_regular_file(ec)) continue;
        if (found.empty() || entry < found) found = entry;
    }
    return found.empty() ? L"" : (folder.empty() ? L"" : ajoutbackslash(folder)) + found;
}

std::wstring folderOf(const std::wstring& path) {
    size_t p = path.find_last_of(L"\\/");
    return p == std::wstring::npos ? L"" : path.substr(0, p + 1);
}
