#include "app/folders.h"

#include <filesystem>
#include <system_error>

#include "account/paths.h"
#include "app/errors.h"
#include "app/textfile.h"
#include "ledger/format.h"
#include "platform/files.h"
#include "platform/folders.h"

#ifndef YZO_DATA_FROM_BIN
#define YZO_DATA_FROM_BIN "../share/yzo"
#endif

namespace fs = std::filesystem;

namespace {
bool isFolder(const std::wstring& path) {
    std::error_code ec;
    return fs::is_directory(fsPath(path), ec);
}

std::wstring join(const std::wstring& folder, const std::wstring& name) { return ajoutbackslash(folder) + name; }

// One value of user-dirs.dirs: "$HOME/Documents" or "/an/absolute/path", in
// double quotes, with \" and \\ escaped.
std::wstring dirsValue(std::wstring value, const std::wstring& home) {
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') value = value.substr(1, value.size() - 2);
    std::wstring plain;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == L'\\' && i + 1 < value.size()) ++i;
        plain += value[i];
    }
    if (plain == L"$HOME") return home;
    if (plain.rfind(L"$HOME/", 0) == 0) return home + plain.substr(5);
    return plain;
}
}  // namespace

FolderEnvironment folderEnvironment() {
    FolderEnvironment env;
    env.yzoDossier = platform::environmentVariable("YZO_DOSSIER");
    env.executable = platform::executablePath();
    env.xdgConfigHome = platform::settingsFolder();
    env.xdgDocuments = platform::documentsFolder();
    env.home = platform::homeFolder();
    return env;
}

std::wstring configHome(const FolderEnvironment& env) {
    if (platform::isAbsolutePath(env.xdgConfigHome)) return env.xdgConfigHome;
    return join(env.home, L".config");
}

ProgramFolders programFolders(const FolderEnvironment& env) {
    if (!env.yzoDossier.empty()) return {env.yzoDossier, L""};
    std::wstring own = folderOf(env.executable);
    if (own.empty()) return {L".", L""};
    std::wstring data = platform::pathText((fsPath(own) / YZO_DATA_FROM_BIN).lexically_normal());
    if (!isFolder(data)) return {own, L""};
    return {join(configHome(env), L"yzo"), data};
}

std::wstring documentsFolder(const FolderEnvironment& env) {
    std::wstring found;
    try {
        for (const std::wstring& line : readTextLines(join(configHome(env), L"user-dirs.dirs"))) {
            std::wstring key = L"XDG_DOCUMENTS_DIR=";
            size_t start = line.find_first_not_of(L" \t");
            if (start != std::wstring::npos && line.compare(start, key.size(), key) == 0)
                found = dirsValue(trim(line.substr(start + key.size())), env.home);
        }
    } catch (const YzoError&) {
        // No user-dirs.dirs (or an unreadable one): the environment decides.
    }
    if (found.empty()) found = env.xdgDocuments;
    if (found.empty()) found = env.home;
    return found;
}

std::vector<std::wstring> seedFolder(const std::wstring& from, const std::wstring& to) {
    std::vector<std::wstring> copied;
    fs::path source = fsPath(from);
    fs::path target = fsPath(to);
    std::error_code ec;
    fs::create_directories(target, ec);
    if (ec) throw YzoError(kErrPathAccess, to);
    fs::recursive_directory_iterator walk(source, ec), end;
    if (ec) throw YzoError(kErrPathNotFound, from);
    for (; walk != end; walk.increment(ec)) {
        if (ec) throw YzoError(kErrPathAccess, from);
        fs::path relative = walk->path().lexically_relative(source);
        fs::path destination = target / relative;
        std::wstring name = platform::pathText(destination);
        if (walk->is_directory()) {
            fs::create_directories(destination, ec);
            if (ec) throw YzoError(kErrPathAccess, name);
            continue;
        }
        if (!walk->is_regular_file()) continue;
        // A link, even a broken one, is the user's own: leave it.
        if (fs::exists(fs::symlink_status(destination))) continue;
        copyFileAtomically(platform::pathText(walk->path()), name);
        copied.push_back(platform::pathText(relative));
    }
    return copied;
}
