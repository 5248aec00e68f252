// Importing a bank statement: the file chosen and read (with its questions),
// the review of its lines in the check list, and the import on OK. Nothing
// of the account changes before OK.
#include <algorithm>
#include <cmath>

#include "account/paths.h"
#include "account/storedline.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "entry/rules.h"

namespace {
// The front-end makes the patterns match names in any case.
const wchar_t* const kStatementFilter =
    L"Relevés bancaires (*.ofx;*.qfx;*.qif;*.csv)|*.ofx;*.qfx;*.qif;*.csv|OFX (*.ofx;*.qfx)|*.ofx;*.qfx|"
    L"QIF (*.qif)|*.qif|CSV (*.csv)|*.csv|tous fichiers (*.*)|*.*";
const wchar_t* const kProcedure = L"mnuImportReleve";
const wchar_t* const kNoLine = L"aucune opération dans le relevé";

long long toCents(double amount) { return std::llround(amount * 100.0); }

// "le 2 mars 2026": a date said in words.
std::wstring spokenDate(Date date) {
    int y, m, d;
    ymdFromDate(date, y, m, d);
    return L"le " + std::to_wstring(d) + L" " + frenchMonthName(m) + L" " + std::to_wstring(y);
}
}  // namespace

bool MainForm::statementsMenu(const std::wstring& name) {
    static const MenuAction actions[] = {
        {L"mnuImportReleve", &MainForm::mnuImportReleve},
    };
    return runMenuTable(actions, name);
}

void MainForm::mnuImportReleve() {
    if (describeKey(L"importer un relevé bancaire")) return;
    if (acc.linesUnread[acc.currentDoc]) {
        msgBox(L"Le compte " + NomFichSeul(currentPath()) + L" n'est pas lu : rien n'y est importé");
        return;
    }
    // The review takes the place of any dialog, and the import ends on the operations display.
    if (!app.normalMode || displayMode() != DisplayMode::Operations) InitYzo();
    FileDialogRequest request;
    request.filter = kStatementFilter;
    request.initialName = ajoutbackslash(app.storageFolder);
    request.mustExist = true;
    std::optional<std::wstring> chosen = platform.OpenFileDialog(request);
    if (!chosen) return;
    std::wstring path = *chosen;
    dropDialogDot(path);
    if (refuseIrregularFile(path, kProcedure)) return;
    imp = StatementsState{};
    imp.fileName = NomFichSeul(path);
    std::optional<Statement> statement = readStatementFile(path);
    if (!statement) return;
    int chosenAccount = chooseStatementAccount(*statement);
    if (chosenAccount < 0) return;
    const StatementAccount& account = statement->accounts[static_cast<size_t>(chosenAccount)];
    if (account.lines.empty()) {
        msgBox(kNoLine);
        return;
    }
    showImportReview(account);
}

std::optional<Statement> MainForm::readStatementFile(const std::wstring& path) {
    const std::wstring name = NomFichSeul(path);
    try {
        const std::string bytes = readFileBytes(path);
        switch (detectStatementFormat(bytes)) {
        case StatementFormat::Ofx: return readOfx(bytes);
        case StatementFormat::Qif: return readQifAsking(bytes);
        case StatementFormat::Csv: return readCsvAsking(bytes);
        case StatementFormat::Unknown: break;
        }
        msgBox(unreadableStatement(L"ni OFX, ni QIF, ni CSV", 0, name));
    } catch (const StatementError& e) {
        msgBox(unreadableStatement(e.reason, e.line, name));
    } catch (const YzoError& e) {
        reportError(e, kProcedure);
    }
    return std::nullopt;
}

std::optional<Statement> MainForm::readQifAsking(std::string_view bytes) {
    QifDates dates = qifDateOrder(bytes);
    if (dates.order == QifDateOrder::Undecided) {
        std::wstring question = L"Dans ce relevé, la date " + dates.sampleDate + L" est-elle " +
                                spokenDate(dates.sampleDayFirst) + L" ? Non : " + spokenDate(dates.sampleMonthFirst);
        switch (ask(question, MsgButtons::YesNoCancel)) {
        case MsgResult::Yes: dates.order = QifDateOrder::DayFirst; break;
        case MsgResult::No: dates.order = QifDateOrder::MonthFirst; break;
        default: return std::nullopt;
        }
    }
    return readQif(bytes, dates.order);
}

std::vector<std::wstring> MainForm::readCsvLayouts() {
    std::vector<std::wstring> lines;
    const std::wstring path = app.programFolder + kCsvLayoutsFile;
    if (signatureOf(path).known)
        for (const auto& line : readTextLinesEach(path))
            if (line) lines.push_back(*line);
    return lines;
}

void MainForm::rememberCsvLayout(const CsvTable& table, const CsvLayout& layout) {
    const std::wstring key = csvHeaderKey(table.headerLine);
    std::vector<std::wstring> lines;
    for (const std::wstring& line : readCsvLayouts()) {
        auto known = parseCsvLayoutLine(line);
        if (known && known->first != key) lines.push_back(line);
    }
    lines.push_back(csvLayoutLine(key, layout));
    writeTextLinesOrUtf8(app.programFolder + kCsvLayoutsFile, lines);
}

std::optional<Statement> MainForm::readCsvAsking(std::string_view bytes) {
    CsvTable table = readCsvTable(bytes);
    const std::wstring key = csvHeaderKey(table.headerLine);
    for (const std::wstring& line : readCsvLayouts()) {
        auto known = parseCsvLayoutLine(line);
        if (known && known->first == key) return readCsv(table, known->second);
    }
    std::optional<CsvLayout> layout = askCsvLayout(table);
    if (!layout) return std::nullopt;
    Statement statement = readCsv(table, *layout);
    rememberCsvLayout(table, *layout);
    return statement;
}

std::optional<CsvLayout> MainForm::askCsvLayout(const CsvTable& table) {
    const CsvLayout guess = guessCsvLayout(table);
    CsvLayout l;
    auto asked = [&](int& into, const wchar_t* field, int offered, bool optional) {
        into = askCsvColumn(field, table, offered, optional);
        return into != -2;
    };
    if (!asked(l.date, L"la date", guess.date, false)) return std::nullopt;
    if (!asked(l.amount, L"le montant (aucune : débit et crédit apart)", guess.amount, true)) return std::nullopt;
    if (l.amount < 0) {
        if (!asked(l.debit, L"le débit", guess.debit, false)) return std::nullopt;
        if (!asked(l.credit, L"le crédit", guess.credit, false)) return std::nullopt;
    }
    if (!asked(l.objet, L"l'objet", guess.objet, false)) return std::nullopt;
    if (!asked(l.numero, L"le numéro", guess.numero, true)) return std::nullopt;
    return l;
}

int MainForm::askCsvColumn(const std::wstring& field, const CsvTable& table, int guess, bool optional) {
    const int count = static_cast<int>(table.header.size());
    std::wstring prompt = L"Colonne qui donne " + field + L" :";
    for (int k = 0; k < count; ++k)
        prompt += L" " + std::to_wstring(k + 1) + L" " + trim(table.header[static_cast<size_t>(k)]) + L",";
    if (optional) prompt += L" 0 aucune,";
    prompt.back() = L'.';
    const std::wstring offered = guess >= 0 && guess < count ? std::to_wstring(guess + 1) : optional ? L"0" : L"";
    for (;;) {
        const std::wstring answer = trim(inputBox(prompt, offered));
        if (answer.empty()) return -2;
        if (optional && (answer == L"0" || foldedUpperCase(answer) == L"AUCUNE")) return -1;
        for (int k = 0; k < count; ++k)
            if (answer == std::to_wstring(k + 1) ||
                foldedUpperCase(answer) == foldedUpperCase(trim(table.header[static_cast<size_t>(k)])))
                return k;
        msgBox(L"colonne inconnue : " + answer);
    }
}

int MainForm::chooseStatementAccount(const Statement& statement) {
    if (statement.accounts.empty()) {
        msgBox(kNoLine);
        return -1;
    }
    if (statement.accounts.size() == 1) return 0;
    // One question per account, until one is taken.
    for (size_t k = 0; k < statement.accounts.size(); ++k) {
        const StatementAccount& a = statement.accounts[k];
        const size_t n = a.lines.size();
        std::wstring question = L"Le relevé contient " + std::to_wstring(statement.accounts.size()) +
                                L" comptes. Importer le compte " + (a.id.empty() ? std::to_wstring(k + 1) : a.id) +
                                L", " + std::to_wstring(n) + (n > 1 ? L" opérations" : L" opération") + L" ?";
        switch (ask(question, MsgButtons::YesNoCancel)) {
        case MsgResult::Yes: return static_cast<int>(k);
        case MsgResult::No: break;
        default: return -1;
        }
    }
    return -1;
}

void MainForm::showImportReview(const StatementAccount& account) {
    const int type = acc.header.accountType;
    // The account's operations as the matching and the rubrique choice see them.
    std::vector<OperationKey> stored;
    std::vector<long> storedIndex;
    RubriqueHistory history;
    for (long i = 1; i <= acc.operationCount(); ++i) {
        Operation op;
        try {
            op = convertit_ChaineYzo(acc.operationLines[static_cast<size_t>(i)].text);
        } catch (const YzoError&) {
            continue;  // a malformed line matches nothing
        }
        if (op.code == L'B') continue;
        history.add(op.objet, op.code, op.rubrique);
        stored.push_back({op.date, toCents(op.montant), trim(op.numero)});
        storedIndex.push_back(i);
    }
    imp.lines.clear();
    std::vector<OperationKey> keys;
    for (const StatementLine& line : account.lines) {
        ReviewLine r;
        long long cents = 0;
        codeAndAmount(line.cents, type, r.op.code, cents);
        r.op.date = line.date;
        r.op.montant = static_cast<double>(cents) / 100.0;
        r.op.objet = trim(line.objet);
        r.op.numero = trim(line.numero);
        if (type < kAccountReceipts) r.op.rubrique = chooseRubrique(line, r.op.code, history, lst.rubriquesOpe);
        keys.push_back({r.op.date, cents, r.op.numero});
        imp.lines.push_back(r);
    }
    const std::vector<long> matches = matchPresent(keys, stored);
    for (size_t k = 0; k < imp.lines.size(); ++k) {
        ReviewLine& r = imp.lines[k];
        if (matches[k] < 0) continue;
        r.stored = storedIndex[static_cast<size_t>(matches[k])];
        wchar_t flag = acc.operationLines[static_cast<size_t>(r.stored)].text.size() > storedline::kFlagPosition
                           ? acc.operationLines[static_cast<size_t>(r.stored)].text[storedline::kFlagPosition]
                           : L' ';
        r.match = lineMatch(true, type, flag);
    }
    imp.balanceCents = account.balanceCents;
    imp.balanceDate = account.balanceDate;

    entryButtons();
    ent.modes.importList = true;
    w.txt.show(false);
    Control& l = w.ListeRec;
    l.show();
    l.clearItems();
    auto [first, last] = std::minmax_element(imp.lines.begin(), imp.lines.end(),
                                             [](const auto& a, const auto& b) { return a.op.date < b.op.date; });
    const size_t n = imp.lines.size();
    l.addItem(L"Relevé " + imp.fileName + L" : " + std::to_wstring(n) + (n > 1 ? L" opérations" : L" opération") +
              L" du " + dayMonthYear(first->op.date) + L" au " + dayMonthYear(last->op.date));
    for (size_t k = 0; k < n; ++k) {
        const LineMatch m = imp.lines[k].match;
        l.addItem(L"");
        l.checked.back() = m == LineMatch::New || m == LineMatch::PresentToRegister;
        l.items.back() = importRow(static_cast<int>(k) + 1);
    }
    w.focus = L"ListeRec";
    l.selected = 1;
    message(l.items[0]);
}

std::wstring MainForm::importRow(int row) const {
    const ReviewLine& r = imp.lines[static_cast<size_t>(row) - 1];
    FormatSettings settings = formatSettings();
    settings.tableStyle = false;
    settings.displayMode = DisplayMode::Operations;
    DisplayEntry entry;
    entry.line = FormeYzo(r.op);
    const bool ticked =
        static_cast<size_t>(row) < w.ListeRec.checked.size() && w.ListeRec.checked[static_cast<size_t>(row)];
    return singleBlanks(formeoperation(entry, settings)) + L", " + matchText(r.match, ticked);
}

void MainForm::importItemCheck(int item) {
    Control& l = w.ListeRec;
    if (item < 1 || item >= static_cast<int>(l.items.size())) return;
    l.items[static_cast<size_t>(item)] = importRow(item);
    const bool ticked = l.checked[static_cast<size_t>(item)];
    message(std::wstring(ticked ? L"coché, " : L"décoché, ") +
            matchText(imp.lines[static_cast<size_t>(item) - 1].match, ticked));
}

void MainForm::validationImport() {
    const int type = acc.header.accountType;
    const std::vector<bool> ticked = w.ListeRec.checked;
    ImportCounts counts;
    long long registeredCents = 0;  // the operations registered now, up to the statement's balance date
    std::vector<Operation> added;
    for (size_t k = 0; k < imp.lines.size(); ++k) {
        const ReviewLine& r = imp.lines[k];
        const bool on = k + 1 < ticked.size() && ticked[k + 1];
        if (r.match != LineMatch::New) ++counts.present;
        if (!on) continue;
        if (r.match == LineMatch::PresentToRegister || r.match == LineMatch::PresentToMark) {
            std::wstring& text = acc.operationLines[static_cast<size_t>(r.stored)].text;
            if (text.size() > storedline::kFlagPosition)
                text[storedline::kFlagPosition] = type == kAccountBankCode ? L'/' : L'*';
            ++counts.flagged;
            if (r.op.date <= imp.balanceDate) registeredCents += toCents(r.op.montant);
        } else {
            added.push_back(r.op);
        }
    }
    counts.imported = static_cast<int>(added.size());
    InitYzo();
    std::stable_sort(added.begin(), added.end(), [](const Operation& a, const Operation& b) {
        return a.date != b.date ? a.date < b.date : a.numero < b.numero;
    });
    std::vector<long> positions;
    if (!added.empty()) acc.operationLines = mergeOperations(acc.operationLines, added, positions);
    if (counts.imported + counts.flagged > 0) {
        markModified();
        if (!positions.empty()) cursorIndex() = positions.front();
        AfficheYzo();
    }
    std::wstring said = importSummary(counts, type);
    if (imp.balanceCents) {
        said += balanceComparison(*imp.balanceCents, registeredBalanceAt(imp.balanceDate, registeredCents),
                                  acc.header.unitName);
        if (type == kAccountBankCode &&
            ask(said + L". Mettre la ligne banque au solde du relevé ?", MsgButtons::YesNo, 2) == MsgResult::Yes) {
            setBankLine(*imp.balanceCents, imp.balanceDate);
            said += L", ligne banque mise à jour";
        }
    }
    imp = StatementsState{};
    message(said);
}

long long MainForm::registeredBalanceAt(Date date, long long registeredNow) const {
    const int type = acc.header.accountType;
    long long cents = 0;
    for (long i = 1; i <= acc.operationCount(); ++i) {
        try {
            OperationView op = readOperation(acc.operationLines[static_cast<size_t>(i)].text);
            if (op.date > date || op.date < acc.header.startDate) continue;
            // The last bank line holds what the bank had registered.
            if (type == kAccountBankCode && op.code == L'B') cents = toCents(op.montant);
            else if (type != kAccountBankCode && op.code != L'B') cents += toCents(op.montant);
        } catch (const YzoError&) {
            // a malformed line counts in no balance
        }
    }
    return type == kAccountBankCode ? cents + registeredNow : cents;
}

void MainForm::setBankLine(long long cents, Date date) {
    Operation bank;
    bank.date = date;
    bank.flag = L'/';
    bank.code = L'B';
    bank.rubrique = L"Banque";
    bank.objet = L"Banque";
    bank.montant = static_cast<double>(cents) / 100.0;
    // The last bank line gives the bank's balance: it is the one that moves.
    for (long i = acc.operationCount(); i >= 1; --i) {
        if (isPensionLine(acc.operationLines[static_cast<size_t>(i)].text)) continue;
        const std::wstring& text = acc.operationLines[static_cast<size_t>(i)].text;
        if (text.size() > storedline::kCodePosition && text[storedline::kCodePosition] == L'B') {
            supprimeYzo(i);
            break;
        }
    }
    acc.work = bank;
    AjoutOperation();
    markModified();
    AfficheYzo();
}
