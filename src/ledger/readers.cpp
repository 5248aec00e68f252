// The spoken readers: one field of the operation under the caret, a balance,
// the last cheque number; the single-column views; the two operation flags.
#include "app/errors.h"
#include "app/mainform.h"

namespace {
// The date as it is said: the day number, the month name and the year, with
// the weekday name first when the day names are on.
std::wstring spokenDate(Date date, bool dayNames) {
    int year = 0, month = 0, day = 0;
    ymdFromDate(date, year, month, day);
    std::wstring s = std::to_wstring(day) + frenchMonthName(month) + std::to_wstring(year);
    return dayNames ? frenchDayName(weekday(date)) + L" " + s : s;
}
}  // namespace

void MainForm::ParlerColonne() {
    long index = cursorIndex();
    if (!TestNumeroAffiche(index)) return;
    try {
        acc.parsed = convertit_ChaineYzo(std::wstring(led.shownText(index)));
    } catch (const YzoError&) {
        return;  // a malformed line has no field to say
    }
    const Operation& op = acc.parsed;
    const AccountHeader& h = acc.header;
    auto amount = [&](double value) {
        return h.unitCode == kUnitOther ? Forme_montant(value) : Forme_montant(value) + L" " + h.unitName;
    };
    switch (led.currentColumn[acc.currentDoc]) {
    case kColumnDate: message(spokenDate(op.date, option(kIniDayNames))); break;
    case kColumnFlag: message(formevalider(op.flag, h.accountType)); break;
    case kColumnRubrique: message(op.rubrique); break;
    case kColumnObjet: message(op.objet); break;
    case kColumnMontant: message(amount(op.montant)); break;
    case kColumnTva: message(amount(op.tva)); break;
    case kColumnNumero: message(op.numero); break;
    default: break;
    }
}

// --- Current field -------------------------------------------------------------

namespace {
// Says the field of the given column of the operation under the caret.
void readField(MainForm& f, int column, const std::wstring& label) {
    if (f.describeKey(label)) return;
    if (f.InitNumeroCours(column)) f.ParlerColonne();
    else f.sayNotAnOperation();
}
}  // namespace

void MainForm::dateCours() { readField(*this, kColumnDate, L"Date en cours"); }

void MainForm::EnregistrerCours() {
    int type = acc.header.accountType;
    const wchar_t* label = type == kAccountBankCode ? L"Enregistrement en cours" : L"Repérage en cours";
    if (describeKey(label)) return;
    if (displayMode() == DisplayMode::Pensions || (type != kAccountBankCode && type != kAccountMarked)) return;
    readField(*this, kColumnFlag, label);
}

void MainForm::RubriqueCours() {
    if (describeKey(L"Rubrique en cours") || acc.header.accountType >= kAccountReceipts) return;
    readField(*this, kColumnRubrique, L"Rubrique en cours");
}

void MainForm::ObjetCours() { readField(*this, kColumnObjet, L"Objet en cours"); }

void MainForm::MontantCours() { readField(*this, kColumnMontant, L"Montant en cours"); }

void MainForm::TvaCours() {
    if (describeKey(L"T V A en cours") || !acc.header.hasTva) return;
    readField(*this, kColumnTva, L"T V A en cours");
}

void MainForm::AppelNumeroCours() {
    readField(*this, kColumnNumero, L"Numéro de chèque ou nombre de mois d'une traite");
}

// --- Single-column views ------------------------------------------------------------

namespace {
// Shows one field of every line until Esc or the next column modification.
void showColumn(MainForm& f, int column, const std::wstring& label) {
    if (f.describeKey(label)) return;
    if (isTextView(f.displayMode())) return;
    // The view opens on the line the user is on, not on the last one read.
    if (f.led.displayCount() > 0) f.NumeroAffiche();
    f.led.pendingColumn = column;
    f.AfficheYzo();
}
}  // namespace

void MainForm::DateColonne() { showColumn(*this, kColumnDate, L"Date en colonne"); }

void MainForm::EnregistrerColonne() {
    int type = acc.header.accountType;
    const wchar_t* label = type == kAccountBankCode ? L"Enregistrer en colonne" : L"Repèrer en colonne";
    if (describeKey(label) || (type != kAccountBankCode && type != kAccountMarked)) return;
    showColumn(*this, kColumnFlag, label);
}

void MainForm::RubriqueColonne() {
    if (describeKey(L"Rubrique en colonne") || acc.header.accountType >= kAccountReceipts) return;
    showColumn(*this, kColumnRubrique, L"Rubrique en colonne");
}

void MainForm::ObjetColonne() { showColumn(*this, kColumnObjet, L"Objet en colonne"); }

void MainForm::MontantColonne() { showColumn(*this, kColumnMontant, L"Montant en colonne"); }

void MainForm::TvaColonne() {
    if (describeKey(L"T V A en colonne") || !acc.header.hasTva) return;
    showColumn(*this, kColumnTva, L"T V A en colonne");
}

void MainForm::NumeroColonne() { showColumn(*this, kColumnNumero, L"Numéro en colonne"); }

// --- Balances -------------------------------------------------------------------------

void MainForm::SoldeCours() {
    if (describeKey(L"Solde suivant le mode d'affichage")) return;
    parler_solde();
}

void MainForm::SoldeSansEspece() {
    if (describeKey(L"Solde sans les espèces")) return;
    message(L"solde non en espèce " + Forme_montant(led.totals.nonCashBalance));
}

void MainForm::SoldeEspece() {
    if (describeKey(L"Solde des espèces(numéro = 'ES')")) return;
    message(L"solde des espèces " + Forme_montant(led.totals.cashBalance));
}

void MainForm::DernierNumero() {
    if (describeKey(L"Dernier numéro de chèque")) return;
    message(L"dernier numéro " + dernierNUMERO());
}

// --- Flags ----------------------------------------------------------------------------

namespace {
// Puts a new flag at position 9 of the operation under the caret and redisplays.
// decide returns the new flag, or 0 to leave the line as it is.
template <typename Decide>
void changeFlag(MainForm& f, Decide decide) {
    long index = f.IndexAbsolu();
    if (!f.TestNumeroAffiche(index)) return;
    f.cursorIndex() = index;
    const LedgerLine& entry = f.led.displayTable[index];
    // A line the account no longer holds at its place is never written to.
    if (entry.sourceIndex >= static_cast<long>(f.acc.operationLines.size())) return;
    // A line too long to be an operation shows only its first characters: it
    // is kept as it was read, never written back shortened.
    if (f.led.shownText(index).size() != f.led.storedLine(index).size()) {
        f.platform.Beep();
        return;
    }
    std::wstring line(f.led.storedLine(index));
    if (line.size() < 10) line.resize(10, L' ');
    wchar_t flag = decide(line[8]);
    if (flag == 0) return;
    line[8] = flag;
    f.acc.operationLines[entry.sourceIndex].text = line;
    f.acc.modified[f.acc.currentDoc] = true;
    f.AfficheYzo();
}

bool flagsApply(MainForm& f, int accountType) {
    DisplayMode mode = f.displayMode();
    return f.acc.header.accountType == accountType && mode != DisplayMode::Pensions && !isTextView(mode);
}
}  // namespace

void MainForm::EnregistrerOperation() {
    if (describeKey(L"Activer/Inactiver l'opération")) return;
    if (!flagsApply(*this, kAccountBankCode)) return;
    changeFlag(*this, [this](wchar_t flag) -> wchar_t {
        if (flag == L' ') return L'/';
        if (ask(L"Voulez vous bien activer l'opération", MsgButtons::YesNo) != MsgResult::Yes) return 0;
        return L' ';
    });
}

void MainForm::RepererOperation() {
    if (describeKey(L"Repèrer l'opération")) return;
    if (!flagsApply(*this, kAccountMarked)) return;
    changeFlag(*this, [](wchar_t flag) -> wchar_t { return flag == L' ' ? L'*' : L' '; });
}
