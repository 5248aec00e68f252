// Importing a bank statement: the file chosen and read (with its questions),
// the review of its lines in the check list, and the import on OK. Nothing
// of the account changes before OK.
#include <algorithm>
#include <iterator>

#include "account/balance.h"
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
    readStatementFile(path);
}

void MainForm::readStatementFile(const std::wstring& path) {
    try {
        const std::string bytes = readFileBytes(path);
        switch (detectStatementFormat(bytes)) {
        case StatementFormat::Ofx: return importStatement(readOfx(bytes));
        case StatementFormat::Qif:
            if (std::optional<Statement> s = readQifAsking(bytes)) importStatement(*s);
            return;
        case StatementFormat::Csv: return readCsvAsking(bytes);
        case StatementFormat::Unknown: break;
        }
        msgBox(unreadableStatement(L"ni OFX, ni QIF, ni CSV", 0, imp.fileName));
    } catch (const StatementError& e) {
        msgBox(unreadableStatement(e.reason, e.line, imp.fileName));
    } catch (const YzoError& e) {
        reportError(e, kProcedure);
    }
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
    if (key.empty()) return;  // a file without a header has nothing to be known by
    std::vector<std::wstring> lines;
    for (const std::wstring& line : readCsvLayouts()) {
        auto known = parseCsvLayoutLine(line);
        if (known && known->first != key) lines.push_back(line);
    }
    lines.push_back(csvLayoutLine(key, layout));
    writeTextLinesOrUtf8(app.programFolder + kCsvLayoutsFile, lines);
}

namespace {
// The columns of a CSV file asked in turn: what each holds, where the layout
// keeps it, and whether it may be "aucune".
struct CsvField {
    const wchar_t* holds;
    int CsvLayout::*column;
    bool optional;
};
const CsvField kCsvFields[] = {
    {L"la date", &CsvLayout::date, false},   {L"le montant", &CsvLayout::amount, true},
    {L"le débit", &CsvLayout::debit, false}, {L"le crédit", &CsvLayout::credit, false},
    {L"l'objet", &CsvLayout::objet, false},  {L"le numéro", &CsvLayout::numero, true},
};
constexpr int kCsvFieldCount = static_cast<int>(std::size(kCsvFields));
constexpr int kCsvAmount = 1;                 // may be "aucune": then debit and credit are apart
constexpr int kCsvDebit = 2, kCsvCredit = 3;  // asked only when no column holds a signed amount
}  // namespace

void MainForm::readCsvAsking(std::string_view bytes) {
    CsvTable table = readCsvTable(bytes);
    const std::wstring key = csvHeaderKey(table.headerLine);
    for (const std::wstring& line : readCsvLayouts()) {
        auto known = parseCsvLayoutLine(line);
        if (known && known->first == key) return importStatement(readCsv(table, known->second));
    }
    imp.guess = guessCsvLayout(table);
    imp.table = std::move(table);
    imp.layout = CsvLayout{};
    imp.csvField = 0;
    askCsvColumn();
}

void MainForm::showImportChoice(const std::wstring& title, const std::vector<std::wstring>& items, int selected) {
    entryButtons();
    ent.modes.importChoice = true;
    ent.typeAhead.clear();
    w.txt.show(false);
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    l.addItem(title);
    for (const std::wstring& item : items) l.addItem(item);
    l.selected = selected;
    w.focus = L"Liste";
    message(title);
}

void MainForm::askCsvColumn() {
    while (imp.csvField < kCsvFieldCount) {
        const bool apart = imp.layout.amount < 0;
        if ((imp.csvField == kCsvDebit || imp.csvField == kCsvCredit) && !apart) {
            ++imp.csvField;
            continue;
        }
        const CsvField& f = kCsvFields[imp.csvField];
        std::vector<std::wstring> items;
        if (f.optional) items.push_back(imp.csvField == kCsvAmount ? L"aucune, débit et crédit à part" : L"aucune");
        const int first = static_cast<int>(items.size()) + 1;  // the row of the first column
        for (size_t k = 0; k < imp.table.header.size(); ++k) {
            std::wstring name = trim(imp.table.header[k]);
            // A file without a header: the column by its number and its first value.
            if (name.empty()) {
                name = L"colonne " + std::to_wstring(k + 1);
                if (!imp.table.rows.empty() && k < imp.table.rows[0].size()) name += L" : " + imp.table.rows[0][k];
            }
            items.push_back(name);
        }
        const int guess = imp.guess.*f.column;
        const int count = static_cast<int>(imp.table.header.size());
        showImportChoice(L"Colonne qui donne " + std::wstring(f.holds), items,
                         guess >= 0 && guess < count ? first + guess : 1);
        imp.question = ImportQuestion::CsvColumn;
        return;
    }
    Statement statement = readCsv(imp.table, imp.layout);
    rememberCsvLayout(imp.table, imp.layout);
    importStatement(statement);
}

void MainForm::importStatement(const Statement& statement) {
    if (statement.accounts.size() > 1) {
        imp.statement = statement;
        std::vector<std::wstring> items;
        for (size_t k = 0; k < statement.accounts.size(); ++k) {
            const StatementAccount& a = statement.accounts[k];
            const size_t n = a.lines.size();
            items.push_back(L"compte " + (a.id.empty() ? std::to_wstring(k + 1) : a.id) + L", " +
                            countedWords(static_cast<int>(n), L"opération", L"opérations"));
        }
        showImportChoice(L"Le relevé contient " + std::to_wstring(items.size()) + L" comptes : lequel importer ?",
                         items, 1);
        imp.question = ImportQuestion::Account;
        return;
    }
    if (statement.accounts.empty() || statement.accounts[0].lines.empty()) {
        InitYzo();
        msgBox(kNoLine);
        return;
    }
    showImportReview(statement.accounts[0]);
}

void MainForm::validationImportChoice() {
    const int row = w.Liste.selected;
    if (row < 1) return;  // the title
    ent.modes.importChoice = false;
    w.Liste.show(false);
    try {
        if (imp.question == ImportQuestion::Account) {
            Statement one;
            one.accounts.push_back(imp.statement.accounts.at(static_cast<size_t>(row) - 1));
            return importStatement(one);
        }
        const CsvField& f = kCsvFields[imp.csvField];
        imp.layout.*f.column = f.optional ? row - 2 : row - 1;  // "aucune" is -1
        ++imp.csvField;
        askCsvColumn();
    } catch (const StatementError& e) {
        InitYzo();
        msgBox(unreadableStatement(e.reason, e.line, imp.fileName));
    }
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
        stored.push_back({op.date, centsOf(op.montant), trim(op.numero)});
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
    // The list says its title row as its question when it takes the keyboard.
    w.focus = L"ListeRec";
    l.selected = 1;
}

std::wstring MainForm::importRow(int row) const {
    const ReviewLine& r = imp.lines[static_cast<size_t>(row) - 1];
    FormatSettings settings = formatSettings();
    settings.tableStyle = false;
    settings.hasTva = false;  // an imported line has none: a row says no "0"
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
            if (r.op.date <= imp.balanceDate) registeredCents += centsOf(r.op.montant);
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
    // The one balance rule, over the operations up to that date: on a bank-code
    // account the last bank line gives what the bank had registered, to which
    // what this import registered is added; on the others every operation counts.
    const BalanceRule rule = BalanceRule::of(acc.header);
    BalanceSums sums;
    for (long i = 1; i <= acc.operationCount(); ++i) {
        try {
            OperationView op = readOperation(acc.operationLines[static_cast<size_t>(i)].text);
            if (op.date <= date) addToBalance(op, rule, sums);
        } catch (const YzoError&) {
            // a malformed line counts in no balance
        }
    }
    return rule.accountType == kAccountBankCode ? centsOf(sums.bankAmount) + registeredNow : centsOf(sums.balance);
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
