// The ledger display: choosing the lines of the display mode, the balances,
// the header and balance lines, and the caret placed on the right line.
#include "app/errors.h"
#include "app/mainform.h"
#include "currency/currency.h"

FormatSettings MainForm::formatSettings() const {
    FormatSettings s;
    s.accountType = acc.header.accountType;
    s.hasTva = acc.header.hasTva;
    s.unitName = acc.header.unitName;
    s.displayMode = led.displayMode[acc.currentDoc];
    s.tableStyle = trim(app.config[kIniDisplayStyle]) == L"en tableau";
    s.dayNames = app.config[kIniDayNames] == L"1";
    s.monthNames = app.config[kIniMonthNames] == L"1";
    s.pendingColumn = led.pendingColumn;
    return s;
}

std::wstring MainForm::ligne_modeaffichage(DisplayMode mode) const {
    int type = acc.header.accountType;
    switch (mode) {
    case DisplayMode::Pensions:
        if (type >= kAccountBankCode && type <= kAccountPlain) return L"traite/pension";
        if (type == kAccountReceipts) return L"pensions";
        if (type == kAccountExpenses) return L"traites";
        return L"";
    case DisplayMode::Operations: return L"opérations";
    case DisplayMode::Unregistered:
        if (type == kAccountBankCode) return L"non enregistré";
        if (type == kAccountMarked) return L"non repèré";
        return L"";
    case DisplayMode::Criteria: return L"Recherche ";
    default: return L"";
    }
}

namespace {
OperationView viewOf(const Operation& op) {
    OperationView v;
    v.date = op.date;
    v.flag = op.flag;
    v.code = op.code;
    v.montant = op.montant;
    v.tva = op.tva;
    v.rubrique = op.rubrique;
    v.objet = op.objet;
    v.numero = op.numero;
    return v;
}
}  // namespace

bool MainForm::DepenseRecetteSolde(double& amount, long shownBefore) {
    return addToTotals(viewOf(acc.parsed), amount, shownBefore);
}

bool MainForm::addToTotals(const OperationView& op, double& amount, long shownBefore) {
    Totals& t = led.totals;
    if (!addToBalance(op, BalanceRule::of(acc.header, displayMode() == DisplayMode::Criteria), t)) return false;
    if (op.flag == L' ') ++t.blankFlagCount;
    amount = op.montant;
    // The balance to the cursor runs up to and with the cursor line.
    if (shownBefore + 1 <= cursorIndex()) t.cursorBalance += op.montant;
    return true;
}

void MainForm::Ligne_solde() {
    Totals& t = led.totals;
    const AccountHeader& h = acc.header;
    t.balanceText =
        L"SOLDE " + ligne_modeaffichage(displayMode()) + L" " + Forme_montant(t.balance) + L" " + h.unitName;
    t.otherUnitText = Forme_montant(t.otherUnitBalance) + L" " + h.otherUnitName;
    t.tvaText = Forme_montant(t.tvaSum) + L" " + (h.unitCode != kUnitOther ? L" " + h.unitName : L"");
}

std::wstring MainForm::balanceScreenLine() const {
    const Totals& t = led.totals;
    std::wstring line = t.balanceText;
    if (option(kIniOtherUnit) && acc.header.unitCode != kUnitOther) line += L"  " + t.otherUnitText;
    if (acc.header.hasTva) line += L" TVA " + t.tvaText;
    return line;
}

std::wstring MainForm::parler_moins(double amount) const {
    std::wstring s = Forme_montant(amount);
    if (!s.empty() && s[0] == L'-') s = L"moins " + s.substr(1);
    return s + L" ";
}

void MainForm::parler_solde() {
    // A blank between the mode and the amount, so that they are said as two words.
    // The totals are those of the last display, so is the mode named.
    std::wstring s = L"solde " + ligne_modeaffichage(led.shownMode) + L" " + parler_moins(led.totals.balance);
    if (acc.header.unitCode != kUnitOther) s += L" " + acc.header.unitName;
    message(s);
}

void MainForm::init_vierge() {
    Operation blank;
    blank.date = today();
    blank.code = acc.header.accountType == kAccountReceipts ? L'R' : L'D';
    blank.flag = L' ';
    ent.blank = blank;
    acc.work = blank;
}

namespace {
bool datedTodayOrLater(const std::wstring& line, Date today) {
    try {
        return readDateField(line.substr(0, 8)) >= today;
    } catch (const YzoError&) {
        return false;
    }
}
}  // namespace

double MainForm::soldeAuCurseur(long index) const {
    double sum = 0;
    long last = std::min(index, static_cast<long>(led.countedAmount.size()) - 1);
    for (long k = 1; k <= last; ++k) sum += led.countedAmount[k];
    return sum;
}

void MainForm::AfficheYzo() {
    int slot = acc.currentDoc;
    DisplayMode mode = displayMode();
    acc.header = acc.table[slot];
    if (isTextView(mode)) return;
    if (led.criteriaSearchRunning) {
        cursorIndex() = 0;
        led.criteriaSearchRunning = false;
    }
    led.shownMode = mode;
    led.totals = Totals{};
    long shown = 0;
    led.countedAmount.assign(1, 0.0);
    led.windowStart = 1;
    led.topEdge = false;

    const AccountHeader& h = acc.header;
    FormatSettings settings = formatSettings();
    led.shownSettings = settings;
    led.layout = LineLayout{};
    if (mode == DisplayMode::Criteria) {
        w.CmdYzo.visible = w.CmdCreation.visible = w.CmdModifLigne.visible = false;
        w.CmdQuitter.text = kCaptionCancel;
        w.CmdQuitter.show();
        led.screenLines.setHeader(searchHeaderLine());
    } else {
        led.screenLines.setHeader(formecompte(h.accountType, h.hasTva) + L" " + h.unitName + L" " + h.title + L" " +
                                  ligne_dateReduit(h.startDateText, settings));
    }
    if (acc.operationCount() == 0) {
        // The header alone, in every mode: the caret is on it, and it is said
        // as any display says the line it puts the caret on.
        led.displayTable.resize(1);
        InitTableINdex();
        w.txt.setCaret(0);
        message(extraitLigne(1));
        return;
    }

    Date now = today();
    long firstFuture = 0;
    bool counted = false;
    double inverse = 0;
    const std::vector<LineEntry>& source = mode == DisplayMode::Pensions ? acc.pensionLines : acc.operationLines;
    led.showFrom(source);
    Totals& t = led.totals;
    led.countedAmount.reserve(source.size());
    led.displayTable.resize(1);
    led.displayTable.reserve(source.size());
    long lastParsed = 0;
    // Each line is read once, its texts left in place; the display keeps where
    // it is and measures its fields, and builds its text only when it is shown.
    for (long i = 1; i < static_cast<long>(source.size()); ++i) {
        const std::wstring& line = source[i].text;
        OperationView op;
        bool parsed = true;
        try {
            op = readOperation(line);
            lastParsed = i;
        } catch (const YzoError&) {
            parsed = false;  // reported when the account was read; shown, not counted
        }
        long shownBefore = shown;
        double amount = 0;
        bool counts = false;
        if (mode == DisplayMode::Pensions) {
            if (parsed) {
                double months = std::wcstod(trim(std::wstring(op.numero)).c_str(), nullptr);
                double monthly = months < 2 ? op.montant : op.montant / months;
                t.balance += monthly;
                amount = op.montant;
                counts = true;
            }
        } else if (mode == DisplayMode::Unregistered) {
            if (parsed && (op.flag == L'/' || op.flag == L'*')) continue;
            if (parsed && addToTotals(op, amount, shownBefore)) {
                inverse -= amount;
                counts = true;
            }
        } else if (mode == DisplayMode::Criteria) {
            if (!parsed) continue;
            // The search reads the whole record.
            acc.parsed = convertit_ChaineYzo(line);
            acc.work = acc.parsed;
            if (!RechercheAfficheListe()) continue;
            counts = DepenseRecetteSolde(amount, shownBefore);
        } else {
            counts = parsed && addToTotals(op, amount, shownBefore);
        }
        ++shown;
        LedgerLine& entry = led.displayTable.emplace_back();
        entry.sourceIndex = i;
        entry.mark = source[i].mark;
        // A line read as an operation is measured from what the reading found.
        if (parsed) measureOperation(led.layout, op, settings);
        else measureLine(led.layout, led.shownText(shown), settings);
        // A pension line adds its monthly amount to the balance, not its amount.
        led.countedAmount.push_back(counts && mode != DisplayMode::Pensions ? amount : 0.0);
        if (counts) {
            if (!counted) {
                t.minimum = t.maximum = amount;
                counted = true;
            } else {
                t.minimum = std::min(t.minimum, amount);
                t.maximum = std::max(t.maximum, amount);
            }
        }
        if (firstFuture == 0 && (parsed ? op.date >= now : datedTodayOrLater(line, now))) firstFuture = shown;
    }
    // The record of the last line read stays the work record, as each reading leaves it.
    if (lastParsed > 0 && mode != DisplayMode::Criteria) acc.parsed = convertit_ChaineYzo(source[lastParsed].text);
    led.screenLines.showRows(shown);

    if (mode == DisplayMode::Operations) {
        if (h.accountType == kAccountBankCode) t.balance += t.bankAmount;
        acc.table[slot].lastBalance = t.balance;
        acc.table[slot].tvaTotal = t.tvaSum;
    }
    acc.table[slot].lineCount = acc.pensionCount() + acc.operationCount();
    if (h.unitCode == kUnitFrancs) t.otherUnitBalance = r_franc_euro(t.balance);
    else if (h.unitCode == kUnitEuros) t.otherUnitBalance = r_euro_franc(t.balance);
    if (led.displayCount() > 0) t.average = t.balance / led.displayCount();

    Ligne_solde();
    led.screenLines.push_back(balanceScreenLine());
    if (mode == DisplayMode::Unregistered)
        led.screenLines.push_back(L"Solde non enregistré inverse + solde opérations= " +
                                  Forme_montant(inverse + acc.table[slot].lastBalance) + L" " + h.unitName);

    if (cursorIndex() == 0) cursorIndex() = firstFuture != 0 ? firstFuture : led.displayCount();
    // A line deleted or a shorter mode may leave the index past the last line.
    if (cursorIndex() > led.displayCount()) cursorIndex() = std::max(led.displayCount(), 1L);
    // The balance to the cursor runs up to and with the line the caret is put on.
    if (mode != DisplayMode::Pensions) t.cursorBalance = soldeAuCurseur(cursorIndex());
    SurNumero(cursorIndex());
}

// --- Text views and the information screen ---------------------------------

void MainForm::AfficheTexte(const std::vector<std::wstring>& lines) {
    displayMode() = DisplayMode::Text;
    led.screenLines.setText(lines);
    if (lines.empty()) led.screenLines.push_back({});
    led.windowStart = 1;
    led.topEdge = true;
    InitTableINdex();
    w.txt.setCaret(0);
    message(extraitLigne(1));
}

namespace {
// A count as a number is written with its sign place: a blank for a positive one.
std::wstring signedCount(long n) { return n < 0 ? std::to_wstring(n) : L" " + std::to_wstring(n); }
}  // namespace

void MainForm::InformationCompte() {
    if (describeKey(L"informations sur le compte")) return;
    DisplayMode mode = led.shownMode;
    const Totals& t = led.totals;
    const std::wstring unit = L" " + acc.header.unitName;
    double cursorBalance = t.cursorBalance;
    // From the ledger, the balance is taken up to the line the caret is on now.
    if (!isTextView(displayMode()) && mode != DisplayMode::Pensions && led.displayCount() > 0) {
        NumeroAffiche();
        cursorBalance = soldeAuCurseur(cursorIndex());
    }
    std::vector<std::wstring> lines;
    lines.push_back(L"Informations en mode " + ligne_modeaffichage(mode) + L" sur " + currentPath());
    lines.push_back(L"Nombre de lignes" + signedCount(led.displayCount()));
    if (mode == DisplayMode::Operations && acc.header.accountType == kAccountBankCode)
        lines.push_back(L"Nombre de lignes non enregistrées" + signedCount(t.blankFlagCount));
    else if (mode == DisplayMode::Operations && acc.header.accountType == kAccountMarked)
        lines.push_back(L"Nombre de lignes non repèreées" + signedCount(t.blankFlagCount));
    lines.push_back(L"Solde            " + Forme_montant(t.balance) + unit);
    if (mode != DisplayMode::Pensions) {
        lines.push_back(L"Solde des espèces " + Forme_montant(t.cashBalance) + unit);
        lines.push_back(L"Solde non en espèces " + Forme_montant(t.nonCashBalance) + unit);
        lines.push_back(L"Solde au curseur depuis le début " + Forme_montant(cursorBalance) + unit);
    }
    if (acc.header.unitCode == kUnitOther) lines.push_back(L"Moyenne          " + Forme_montant(t.average) + unit);
    lines.push_back(L"Minimum          " + Forme_montant(t.minimum) + unit);
    lines.push_back(L"Maximum          " + Forme_montant(t.maximum) + unit);
    AfficheTexte(lines);
    w.CmdYzo.show();
}

void MainForm::OperationsNonEnregistrees() {
    if (describeKey(L"opérations non enregistrées")) return;
    displayMode() = DisplayMode::Unregistered;
    cursorIndex() = 0;
    AfficheYzo();
}

void MainForm::TraitesEtPensions() {
    if (describeKey(L"traites et pensions")) return;
    displayMode() = DisplayMode::Pensions;
    cursorIndex() = 1;
    AfficheYzo();
}
