// Reading, storing and writing the current account.
#include <algorithm>
#include <filesystem>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"

namespace {
// A short fingerprint of a file's bytes, to notice changes made by another program.
std::string fileSignature(const std::wstring& path) {
    std::error_code ec;
    auto p = fsPath(path);
    auto size = std::filesystem::file_size(p, ec);
    if (ec) return {};
    auto time = std::filesystem::last_write_time(p, ec);
    if (ec) return {};
    return std::to_string(size) + ":" + std::to_string(time.time_since_epoch().count());
}
}  // namespace

Date MainForm::newAccountDate() const {
    if (acc.currentDoc <= 1) return platform.Today();
    Date earliest = acc.table[1].startDate;
    for (int k = 2; k < acc.currentDoc; ++k) earliest = std::min(earliest, acc.table[k].startDate);
    return earliest;
}

bool MainForm::litFichierYzo(bool isNew, bool checkPassword) {
    std::wstring headerText;
    pendingFileLines.clear();
    if (!isNew) {
        try {
            pendingFileLines = readTextLines(currentPath());
            if (pendingFileLines.empty()) throw YzoError(kErrPastEnd, currentPath());
            headerText = pendingFileLines.front();
            acc.header = convertit_ChaineConfiguration(headerText);
        } catch (const std::exception& e) {
            // The file cannot be taken as an account: say so, and put an empty
            // untitled account in the slot so that nothing can overwrite the file.
            reportError(e, L"LitFichierYzo");
            currentPath() = kUntitled;
            acc.modified[acc.currentDoc] = false;
            pendingFileLines.clear();
            isNew = true;
        }
    }
    if (isNew) {
        message(L"Modifier la configuration avec Maj-Ctrl F9");
        acc.header = convertit_ChaineConfiguration(newAccountHeaderText(newAccountDate()));
    }
    if (checkPassword && !acc.header.password.empty()) {
        // The lines stay unread until the password is typed. The slot holds
        // none of them, nor any of the account shown before it.
        pendingFileLines.clear();
        acc.linesUnread[acc.currentDoc] = true;
        acc.table[acc.currentDoc] = acc.header;
        acc.table[acc.currentDoc].lineCount = 0;
        acc.pensionLines.assign(1, {});
        acc.operationLines.assign(1, {});
        DialMotDePasse();
        return false;
    }
    acc.launching = false;
    acc.table[acc.currentDoc] = acc.header;
    configuration();
    InitModeNormal();
    acc.pensionLines.assign(1, {});
    acc.operationLines.assign(1, {});
    acc.linesUnread[acc.currentDoc] = !isNew;
    if (!isNew) RangeLitFichierYzo(false);
    return true;
}

void MainForm::RangeLitFichierYzo(bool reopen) {
    try {
        if (reopen) pendingFileLines = readTextLines(currentPath());
        acc.fileSignature[acc.currentDoc] = fileSignature(currentPath());
        long firstBad = 0, badCount = 0;
        std::wstring firstProblem;
        for (size_t i = 1; i < pendingFileLines.size(); ++i) {
            std::wstring& line = pendingFileLines[i];
            try {
                convertit_ChaineYzo(line);
            } catch (const YzoError& e) {
                // The line is kept as it is, so that a save writes it back unchanged.
                if (badCount++ == 0) {
                    firstBad = static_cast<long>(i) + 1;
                    firstProblem = std::to_wstring(e.number()) + L" " + e.description();
                }
            }
            // Moved, not copied: a long line is held once.
            if (isPensionLine(line)) acc.pensionLines.push_back({std::move(line), 0});
            else acc.operationLines.push_back({std::move(line), 0});
        }
        pendingFileLines.clear();
        acc.linesUnread[acc.currentDoc] = false;
        if (badCount > 0)
            msgBox(firstProblem + L" ligne " + std::to_wstring(firstBad) +
                   (badCount > 1 ? L" et " + std::to_wstring(badCount - 1) + L" autres lignes" : L"") +
                   L" sur LitFichierYzo");
    } catch (const std::exception& e) {
        reportError(e, L"LitFichierYzo");
    }
    acc.table[acc.currentDoc].lineCount = acc.pensionCount() + acc.operationCount();
    AfficheStatus();
}

void MainForm::RangeSauveTableYzo() {
    try {
        int slot = acc.currentDoc;
        // The arrays do not belong to a slot whose lines were never read.
        if (acc.linesUnread[slot]) return;
        int notedMode = led.displayMode[slot];
        if (notedMode != 2) {
            led.displayMode[slot] = 2;
            led.totals.bankAmount = 0;
            led.totals.balance = 0;
            led.totals.tvaSum = 0;
        }
        long total = acc.pensionCount() + acc.operationCount();
        acc.table[slot].lineCount = total;
        if (total == 0) return;
        acc.header = acc.table[slot];
        acc.mergedLines.assign(1, {});
        acc.mergedLines.reserve(total + 1);
        for (long i = 1; i <= acc.pensionCount(); ++i) acc.mergedLines.push_back(acc.pensionLines[i]);
        for (long i = 1; i <= acc.operationCount(); ++i) {
            acc.mergedLines.push_back(acc.operationLines[i]);
            if (notedMode != 2) {
                try {
                    acc.parsed = convertit_ChaineYzo(acc.operationLines[i].text);
                    double amount = 0;
                    DepenseRecetteSolde(amount, 0);
                } catch (const YzoError&) {
                    // Already reported when the account was read.
                }
            }
        }
        if (notedMode != 2) {
            if (acc.table[slot].accountType == 1) led.totals.balance += led.totals.bankAmount;
            acc.table[slot].lastBalance = led.totals.balance;
            acc.table[slot].tvaTotal = led.totals.tvaSum;
            led.displayMode[slot] = notedMode;
        }
        acc.slotStore[slot] = std::move(acc.mergedLines);
        acc.mergedLines.assign(1, {});
    } catch (const std::exception& e) {
        reportError(e, L"RangeSauveTableYzo");
    }
}

void MainForm::RangeTableYzo() {
    try {
        int slot = acc.currentDoc;
        long count = acc.table[slot].lineCount;
        const std::vector<LineEntry>& store = acc.slotStore[slot];
        acc.pensionLines.assign(1, {});
        acc.operationLines.assign(1, {});
        for (long i = 1; i <= count && i < static_cast<long>(store.size()); ++i) {
            if (isPensionLine(store[i].text)) acc.pensionLines.push_back(store[i]);
            else acc.operationLines.push_back(store[i]);
        }
        acc.header = acc.table[slot];
        configuration();
    } catch (const std::exception& e) {
        reportError(e, L"RangeTableYzo");
    }
}

bool MainForm::refuseUnreadAccount() {
    if (!acc.linesUnread[acc.currentDoc]) return false;
    msgBox(L"Le compte " + NomFichSeul(currentPath()) + L" n'est pas lu : il n'est pas enregistré");
    return true;
}

bool MainForm::rangefichierYzo() {
    // Writing a slot whose lines were never read would replace the file by its header alone.
    if (refuseUnreadAccount()) return false;
    try {
        currentPath() = cutExtension(currentPath());
        int slot = acc.currentDoc;
        // Another program may have changed the file since it was read: ask before replacing it.
        const std::string& known = acc.fileSignature[slot];
        if (!known.empty() && FichierExistant(currentPath()) && fileSignature(currentPath()) != known &&
            ask(L"Le fichier " + NomFichSeul(currentPath()) +
                    L" a été modifié par un autre programme depuis son ouverture. Le remplacer ?",
                MsgButtons::YesNo, 2) != MsgResult::Yes)
            return false;
        sauvebak();
        RangeSauveTableYzo();
        std::vector<std::wstring> lines{FormeConfiguration(acc.table[slot])};
        // The texts are lent to the writer and given back, written or not, so
        // that a long account is not held twice more while it is written.
        std::vector<LineEntry>& store = acc.slotStore[slot];
        long count = std::min<long>(acc.table[slot].lineCount, static_cast<long>(store.size()) - 1);
        lines.reserve(count + 1);
        for (long i = 1; i <= count; ++i) lines.push_back(std::move(store[i].text));
        auto giveBack = [&] {
            for (long i = 1; i <= count; ++i) store[i].text = std::move(lines[i]);
        };
        try {
            writeTextLines(currentPath(), lines);
        } catch (...) {
            giveBack();
            throw;
        }
        giveBack();
        acc.fileSignature[slot] = fileSignature(currentPath());
        acc.modified[slot] = false;
        return true;
    } catch (const std::exception& e) {
        reportError(e, L"RangeFichierYzo");
        return false;
    }
}

void MainForm::sauvebak() {
    std::error_code ec;
    if (!FichierExistant(currentPath())) return;
    std::filesystem::copy_file(fsPath(currentPath()), fsPath(backupName(currentPath())),
                               std::filesystem::copy_options::overwrite_existing, ec);
}

bool MainForm::sauvegarde() {
    int slot = acc.currentDoc;
    if (!acc.modified[slot] || acc.linesUnread[slot]) return true;
    MsgResult r = ask(L"enregistrer sur " + NomFichSeul(currentPath()) + L" ?", MsgButtons::YesNoCancel);
    if (r == MsgResult::Cancel) return false;
    if (r == MsgResult::Yes) {
        // A save that did not happen (dialog cancelled, write refused or failed)
        // stops the caller, so that the changes are not lost.
        if (currentPath() == kUntitled || upperCase(currentPath()).find(L".BAK") != std::wstring::npos)
            return enregistrersous();
        return rangefichierYzo();
    }
    return true;
}
