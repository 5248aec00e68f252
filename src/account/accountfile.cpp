// Reading, storing and writing the current account.
#include <algorithm>
#include <filesystem>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"

Date MainForm::newAccountDate() const {
    if (acc.currentDoc <= 1) return platform.Today();
    Date earliest = acc.table[1].startDate;
    for (int k = 2; k < acc.currentDoc; ++k) earliest = std::min(earliest, acc.table[k].startDate);
    return earliest;
}

bool MainForm::litFichierYzo(bool isNew, bool checkPassword) {
    std::wstring headerText;
    pendingFileLines.clear();
    pendingFileSignature = {};
    if (!isNew) {
        try {
            TextFile file = readTextFile(currentPath());
            // What a save of it that was killed left beside it goes now.
            removeLeftTemporaries(currentPath());
            pendingFileLines = std::move(file.lines);
            pendingFileSignature = file.signature;
            if (pendingFileLines.empty()) throw YzoError(kErrPastEnd, currentPath());
            headerText = pendingFileLines.front();
            try {
                acc.header = convertit_ChaineConfiguration(headerText);
            } catch (const YzoError& e) {
                throw e.at(currentPath(), 1);
            }
        } catch (const std::exception& e) {
            // The file cannot be taken as an account: say so, and put an empty
            // untitled account in the slot so that nothing can overwrite the
            // file; its name stays among the recent files, to be tried again.
            reportError(e, L"LitFichierYzo");
            std::wstring refused = currentPath();
            currentPath() = kUntitled;
            keepInRecentFiles(refused);
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
        if (reopen) {
            TextFile file = readTextFile(currentPath());
            pendingFileLines = std::move(file.lines);
            pendingFileSignature = file.signature;
        }
        acc.fileSignature[acc.currentDoc] = pendingFileSignature;
        acc.operationLines.reserve(acc.operationLines.size() + pendingFileLines.size());
        long firstBad = 0, badCount = 0;
        std::wstring firstProblem;
        for (size_t i = 1; i < pendingFileLines.size(); ++i) {
            std::wstring& line = pendingFileLines[i];
            try {
                readOperation(line);
            } catch (const YzoError& e) {
                // The line is kept as it is, so that a save writes it back unchanged.
                if (badCount++ == 0) {
                    firstBad = static_cast<long>(i) + 1;
                    firstProblem = std::to_wstring(e.number()) + L" " + e.at(currentPath(), firstBad).description();
                }
            }
            // Moved, not copied: a long line is held once.
            if (isPensionLine(line)) acc.pensionLines.push_back({std::move(line), 0});
            else acc.operationLines.push_back({std::move(line), 0});
        }
        pendingFileLines.clear();
        acc.linesUnread[acc.currentDoc] = false;
        if (badCount > 0)
            msgBox(firstProblem + (badCount > 1 ? L" et " + std::to_wstring(badCount - 1) + L" autres lignes" : L"") +
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
        DisplayMode notedMode = led.displayMode[slot];
        if (notedMode != DisplayMode::Operations) {
            led.displayMode[slot] = DisplayMode::Operations;
            led.totals.bankAmount = 0;
            led.totals.balance = 0;
            led.totals.tvaSum = 0;
        }
        long total = acc.pensionCount() + acc.operationCount();
        acc.table[slot].lineCount = total;
        if (total == 0) return;
        acc.header = acc.table[slot];
        StoredLines& store = acc.slotStore[slot];
        store.clear();
        size_t characters = 0;
        for (long i = 1; i <= acc.pensionCount(); ++i) characters += acc.pensionLines[i].text.size();
        for (long i = 1; i <= acc.operationCount(); ++i) characters += acc.operationLines[i].text.size();
        store.reserve(total, characters);
        for (long i = 1; i <= acc.pensionCount(); ++i) store.append(acc.pensionLines[i].text, acc.pensionLines[i].mark);
        for (long i = 1; i <= acc.operationCount(); ++i) {
            store.append(acc.operationLines[i].text, acc.operationLines[i].mark);
            if (notedMode != DisplayMode::Operations) {
                try {
                    acc.parsed = convertit_ChaineYzo(acc.operationLines[i].text);
                    double amount = 0;
                    DepenseRecetteSolde(amount, 0);
                } catch (const YzoError&) {
                    // Already reported when the account was read.
                }
            }
        }
        if (notedMode != DisplayMode::Operations) {
            if (acc.table[slot].accountType == kAccountBankCode) led.totals.balance += led.totals.bankAmount;
            acc.table[slot].lastBalance = led.totals.balance;
            acc.table[slot].tvaTotal = led.totals.tvaSum;
            led.displayMode[slot] = notedMode;
        }
    } catch (const std::exception& e) {
        reportError(e, L"RangeSauveTableYzo");
    }
}

void MainForm::RangeTableYzo() {
    try {
        int slot = acc.currentDoc;
        long count = acc.table[slot].lineCount;
        const StoredLines& store = acc.slotStore[slot];
        acc.pensionLines.assign(1, {});
        // The operation lines of the account shown before are overwritten in
        // place, so that switching accounts does not free and allocate every line.
        std::vector<LineEntry>& operations = acc.operationLines;
        if (operations.empty()) operations.emplace_back();
        operations[0] = LineEntry{};
        long last = std::min(count, store.count());
        operations.reserve(static_cast<size_t>(std::max(last, 0L)) + 1);
        size_t used = 0;
        for (long i = 1; i <= last; ++i) {
            if (used + 1 >= operations.size()) operations.emplace_back();
            LineEntry& entry = operations[used + 1];
            store.lineInto(i, entry.text);
            entry.mark = store.mark(i);
            if (isPensionLine(entry.text)) acc.pensionLines.push_back({std::move(entry.text), entry.mark});
            else ++used;
        }
        operations.resize(used + 1);
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
        // The file is written under the name it has: a name the naming rule
        // would cut was settled when it was chosen (enregistrersous).
        int slot = acc.currentDoc;
        // Another program may have changed the file since it was read: ask before replacing it.
        const FileSignature& known = acc.fileSignature[slot];
        if (known.known && FichierExistant(currentPath()) && signatureOf(currentPath()) != known &&
            ask(L"Le fichier " + NomFichSeul(currentPath()) +
                    L" a été modifié par un autre programme depuis son ouverture. Le remplacer ?",
                MsgButtons::YesNo, 2) != MsgResult::Yes)
            return false;
        sauvebak();
        RangeSauveTableYzo();
        // The file's bytes are made line by line from the store, so that the
        // account is not held a second time as texts while it is written.
        const StoredLines& store = acc.slotStore[slot];
        long count = std::min<long>(acc.table[slot].lineCount, store.count());
        std::string bytes;
        bytes.reserve(store.bytes.size() + 2 * static_cast<size_t>(std::max(count, 0L)) + 256);
        appendCp1252Line(bytes, FormeConfiguration(acc.table[slot]));
        for (long i = 1; i <= count; ++i) appendCp1252Line(bytes, store.line(i));
        acc.fileSignature[slot] = writeFileAtomically(currentPath(), bytes, kPrivateFileMode);
        acc.modified[slot] = false;
        return true;
    } catch (const std::exception& e) {
        reportError(e, L"RangeFichierYzo");
        return false;
    }
}

// The backup is replaced whole like any file, so that a failed copy leaves the
// previous backup as it was. A copy that cannot be made does not stop the save:
// the user is told that no backup exists.
void MainForm::sauvebak() {
    acc.backupFailed = false;
    if (!FichierExistant(currentPath())) return;
    try {
        copyFileAtomically(currentPath(), backupName(currentPath()));
    } catch (const YzoError&) {
        acc.backupFailed = true;
        message(L"copie de sauvegarde impossible");
    }
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
