// "Exporter le compte..." of the "Fichier" menu: the current account written
// as a CSV table or a journal, the type following the name chosen.
#include "account/paths.h"
#include "app/mainform.h"
#include "statements/export.h"

namespace {
const wchar_t* const kExportFilter = L"CSV (*.csv)|*.csv|journal (*.journal;*.ledger)|*.journal;*.ledger";

// "N opérations exportées dans NAME", singular below 2 as French counts.
std::wstring exportedWords(long count, const std::wstring& name) {
    const bool plural = count >= 2;
    return std::to_wstring(count) + (plural ? L" opérations exportées dans " : L" opération exportée dans ") + name;
}

// The stored lines of an array (1-based, element 0 unused).
std::vector<std::wstring> linesOf(const std::vector<LineEntry>& entries) {
    std::vector<std::wstring> lines;
    lines.reserve(entries.size());
    for (size_t k = 1; k < entries.size(); ++k) lines.push_back(entries[k].text);
    return lines;
}
}  // namespace

std::vector<std::wstring> MainForm::displayedLines() const {
    if (isTextView(led.displayMode[acc.currentDoc])) return linesOf(acc.operationLines);
    std::vector<std::wstring> lines;
    lines.reserve(static_cast<size_t>(led.displayCount()));
    for (long k = 1; k <= led.displayCount(); ++k)
        if (const std::wstring& line = led.storedLine(k); !line.empty()) lines.push_back(line);
    return lines;
}

void MainForm::mnuExportCompte() {
    if (describeKey(L"Exporter le compte")) return;
    if (acc.linesUnread[acc.currentDoc]) {
        msgBox(L"Le compte " + NomFichSeul(currentPath()) + L" n'est pas lu : rien n'est exporté");
        return;
    }
    FileDialogRequest request;
    request.filter = kExportFilter;
    request.defaultExt = L"csv";
    const std::wstring account = currentPath() == kUntitled ? app.storageFolder + kUntitled : currentPath();
    request.initialName = withExtension(account, L"csv");
    request.confirmOverwrite = true;
    std::optional<std::wstring> chosen = platform.SaveFileDialog(request);
    if (!chosen) return;
    std::wstring name = *chosen;
    dropDialogDot(name);
    const ExportKind kind = exportKindOf(name);
    if (kind == ExportKind::Unknown) {
        message(L"type de fichier inconnu : " + NomFichSeul(name) +
                L", choisir .csv, .journal ou .ledger ; rien n'est exporté");
        return;
    }
    const AccountHeader& header = acc.table[acc.currentDoc];
    try {
        const ExportedFile file = kind == ExportKind::Csv
                                      ? exportCsv(displayedLines(), header)
                                      : exportJournal(linesOf(acc.operationLines), header, journalAccountName(account));
        writeFileAtomically(name, file.bytes);
        message(exportedWords(file.operations, NomFichSeul(name)));
    } catch (const std::exception& e) {
        reportError(e, L"mnuExportCompte");
    }
}
