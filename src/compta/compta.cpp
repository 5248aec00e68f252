// The accounting report of the main window: the four menu commands, the
// command file and date range asked, the accounts found and summed, the report
// viewed or printed, and the run from the command line.
#include <filesystem>
#include <new>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"

namespace {
const std::wstring kLineEnd = L"\r\n";
// Said with "Mémoire insuffisante" when a report runs out of memory.
const std::wstring kRapportAbandonne = L"rapport abandonné, rien n'est écrit";

// The same file on the disk (names differing only by case are two files here).
bool sameFile(const std::wstring& a, const std::wstring& b) {
    std::error_code ec;
    return std::filesystem::equivalent(fsPath(a), fsPath(b), ec) || a == b;
}

// The report as the ".prn" file holds it: its lines and a last line end.
// A command file itself named ".prn" is never written over by its report.
void writeReport(const std::wstring& path, const std::wstring& text, const std::wstring& commandFile) {
    if (sameFile(path, commandFile))
        throw YzoError(kErrPathAccess, path + L" est le fichier de commande, le rapport ne le remplace pas");
    std::string bytes = encodeCp1252(text);
    bytes += "\r\n";
    writeFileAtomically(path, bytes);
}
}  // namespace

bool MainForm::comptaMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"MnuComptaDetailItem", [](MainForm& f, int) { f.comptabilite(L"MnuComptaDetailItem", true, false); }},
        {L"MnuComptaSimpleItem", [](MainForm& f, int) { f.comptabilite(L"MnuComptaSimpleItem", false, false); }},
        {L"MnuImprimeComptaDetail", [](MainForm& f, int) { f.comptabilite(L"MnuImprimeComptaDetail", true, true); }},
        {L"MnuImprimeComptaSimple", [](MainForm& f, int) { f.comptabilite(L"MnuImprimeComptaSimple", false, true); }},
    };
    return runMenuTable(actions, name);
}

void MainForm::comptabilite(const std::wstring& menuEntry, bool detailed, bool print) {
    if (describeKey(w.entry(menuEntry).caption)) return;
    cpt.batch = false;
    cpt.report.detailed = detailed;
    if (!LitFichierCompta()) return;
    if (print) imprimeCompta();
    else miseFichierCompta();
}

bool MainForm::askCommandFile() {
    FileDialogRequest request;
    request.filter = L"Fichiers de commande (*.txt)|*.txt|tous fichiers (*.*)|*.*";
    request.defaultExt = L"txt";
    const std::wstring& lastFile = app.config[kIniReportFile];
    request.initialName = !lastFile.empty() ? lastFile : withExtension(currentPath(), L"txt");
    request.mustExist = true;
    std::optional<std::wstring> chosen = platform.OpenFileDialog(request);
    if (!chosen) return false;
    std::wstring name = *chosen;
    dropDialogDot(name);
    if (refuseIrregularFile(name, L"LitFichierCompta")) return false;
    cpt.commandFile = name;
    app.config[kIniReportFile] = name;
    return true;
}

bool MainForm::askDateRange() {
    ComptaReport& r = cpt.report;
    MsgResult answer = ask(L"Voulez vous une fourchette de date", MsgButtons::YesNoCancel, 2);
    if (answer == MsgResult::Cancel) return false;
    if (answer == MsgResult::No) {
        r.allDates = true;
        return true;
    }
    // The date dialog works on the operation being entered: it is given back after.
    const Operation kept = acc.work;
    acc.work.date = acc.header.startDate;
    DialDate(L"date de début");
    bool accepted = ent.accepted;
    Date from = acc.work.date;
    if (accepted) {
        acc.work.date = today();
        DialDate(L"date de fin");
        accepted = ent.accepted;
    }
    Date to = acc.work.date;
    acc.work = kept;
    if (!accepted) return false;
    r.allDates = false;
    r.range = {from, to};
    return true;
}

bool MainForm::LitFichierCompta() {
    if (cpt.batch) {
        cpt.report.allDates = true;
    } else if (!askCommandFile() || !askDateRange()) {
        return false;
    }
    std::vector<std::wstring> lines;
    try {
        lines = readTextLines(cpt.commandFile);
    } catch (const std::exception& e) {
        reportError(e, L"LitFichierCompta");
        return false;
    }
    debutRapport(cpt.report, today(), platform.SecondsSinceMidnight(), formatSettings());
    cpt.lineCounter = 0;
    try {
        for (const std::wstring& line : lines) {
            ++cpt.lineCounter;
            traiteCommande(line);
        }
    } catch (const std::bad_alloc&) {
        // A report that could not be built whole is dropped, its memory with it:
        // nothing of it is shown, printed or written.
        cpt.report = ComptaReport{};
        reportError(YzoError(kErrOutOfMemory, kRapportAbandonne), L"LitFichierCompta");
        return false;
    }
    return true;
}

void MainForm::traiteCommande(const std::wstring& line) {
    ComptaReport& r = cpt.report;
    Commande c = test_commande(line);
    if (c.manqueDeuxPoints) comptaWarning(L"manque le : sur la ligne" + std::to_wstring(cpt.lineCounter));
    cpt.currentCommand = c.code == kTexte ? line : c.texte;
    switch (c.code) {
    case kNomCompte:
        for (const NomCompte& name : extrait_fichier(c.texte, comptaFolders())) cumul(name);
        break;
    case kSoldePartiel:
        fin_cumul(r, c.texte, r.partialBalance, r.partialTva);
        r.partialBalance = r.partialTva = 0;
        break;
    case kSoldeTotal: fin_cumul(r, c.texte, r.totalBalance, r.totalTva); break;
    default: r.text += line + kLineEnd; break;
    }
}

ComptaFolders MainForm::comptaFolders() const {
    // A command file named without a folder is in the current one.
    std::wstring commandFolder = folderOf(cpt.commandFile);
    if (commandFolder.empty()) commandFolder = std::wstring(L".") + kPathSeparator;
    return {app.storageFolder, app.programFolder, commandFolder};
}

void MainForm::cumul(const NomCompte& name) {
    ComptaReport& r = cpt.report;
    ComptaAccount account;
    std::vector<std::wstring> lines;
    std::wstring path;
    Trouve found = fichier(name, account.header, lines, path);
    if (found == Trouve::Illisible) {
        // The file has had its own error message, which names it.
        compteInconnu(r, L"Fichier " + path + L" inconnu");
        return;
    }
    if (found == Trouve::Absent) {
        compteInconnu(r, texteInconnu(name));
        comptaWarning(texteInconnu(name));
        return;
    }
    if (uniteDifferente(r, account.header)) comptaWarning(kUniteDifferente);
    message(account.header.title);
    const ComptaRange range = rangeOf(r, account.header);
    std::optional<YzoError> firstBad;
    for (size_t k = 1; k < lines.size(); ++k) {
        try {
            RangeOperation_compta(std::move(lines[k]), range, r.detailed, account);
        } catch (const YzoError& e) {
            // Not counted, as in the ledger; the first such line is reported.
            if (!firstBad) firstBad = e.at(path, static_cast<long>(k) + 1);
        }
    }
    ajouteCompte(r, account);
    if (firstBad) reportError(*firstBad, L"cumul");
}

int MainForm::openSlotOf(const std::wstring& path) const {
    for (int k = 1; k <= acc.openCount; ++k) {
        if (acc.linesUnread[k] || app.config[k] == kUntitled) continue;
        if (sameFile(app.config[k], path)) return k;
    }
    return 0;
}

std::vector<std::wstring> MainForm::slotLines(int slot) const {
    std::vector<std::wstring> lines(1);
    if (slot == acc.currentDoc) {
        lines.reserve(acc.pensionLines.size() + acc.operationLines.size());
        for (long i = 1; i <= acc.pensionCount(); ++i) lines.push_back(acc.pensionLines[i].text);
        for (long i = 1; i <= acc.operationCount(); ++i) lines.push_back(acc.operationLines[i].text);
        return lines;
    }
    const StoredLines& store = acc.slotStore[slot];
    long count = std::min<long>(acc.table[slot].lineCount, store.count());
    for (long i = 1; i <= count; ++i) lines.push_back(store.line(i));
    return lines;
}

MainForm::Trouve MainForm::fichier(const NomCompte& name, AccountHeader& header, std::vector<std::wstring>& lines,
                                   std::wstring& path) {
    std::optional<std::wstring> file = findAccountFile(name);
    if (!file) return Trouve::Absent;
    path = *file;
    // An open account is summed as it stands in memory, changes included.
    if (int slot = cpt.batch ? 0 : openSlotOf(path)) {
        header = acc.table[slot];
        lines = slotLines(slot);
        return Trouve::Oui;
    }
    try {
        TextFile read = readTextFile(path);
        if (read.lines.empty()) throw YzoError(kErrPastEnd, path);
        try {
            header = convertit_ChaineConfiguration(read.lines.front());
        } catch (const YzoError& e) {
            throw e.at(path, 1);
        }
        lines = std::move(read.lines);
    } catch (const std::bad_alloc&) {
        throw;  // the whole report is given up, not this account alone
    } catch (const std::exception& e) {
        reportError(e, L"fichier");
        return Trouve::Illisible;
    }
    return Trouve::Oui;
}

void MainForm::comptaWarning(const std::wstring& text) {
    if (cpt.batch) msgBox(text);
    else message(text);
}

void MainForm::miseFichierCompta() {
    std::wstring name = prnName(cpt.commandFile);
    message(L"mise sur fichier " + name);
    try {
        writeReport(name, cpt.report.text, cpt.commandFile);
    } catch (const std::exception& e) {
        reportError(e, L"miseFichierCompta");
    }
    AfficheTexte(textLines(cpt.report.text));
    // The validate button says "OK" and brings the ledger back.
    app.normalMode = false;
    w.CmdYzo.text = kCaptionOk;
    w.CmdYzo.show();
    w.CmdCreation.visible = false;
    w.CmdModifLigne.visible = false;
    w.CmdQuitter.visible = false;
    w.focus = L"txt";
}

void MainForm::imprimeCompta() {
    PrintJob job;
    InitPortrait(job);
    message(printText(job, cpt.report.text) ? L"impression envoyée" : L"échec de l'impression");
}

void MainForm::AppelComptabilite(const std::wstring& argument) {
    try {
        ArgumentsCompta arguments = comptaArguments(argument);
        cpt.report.detailed = !arguments.simple;
        if (!FichierExistant(arguments.commandFile)) {
            msgBox(L"fichier de comptabilité " + arguments.commandFile + L" inconnu");
            endProgram();
        }
        cpt.batch = true;
        cpt.commandFile = arguments.commandFile;
        if (!LitFichierCompta()) endProgram();
        writeReport(prnName(cpt.commandFile), cpt.report.text, cpt.commandFile);
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& e) {
        reportError(e, L"AppelCompta");
    }
    endProgram();
}
