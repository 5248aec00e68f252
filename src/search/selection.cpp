// Commands on several lines at once: selecting display lines, copying the
// selection into another open account, erasing it, deleting every operation
// between two dates; and the manual sum.
#include <algorithm>

#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"

namespace {
const std::wstring kSelected = L" sélectionné";
}  // namespace

void MainForm::setSelectionMark(long index, bool selected) {
    LedgerLine& entry = led.displayTable[index];
    int16_t mark = selected ? 1 : 0;
    // The text box builds the line from its mark: " sélectionné" at its end.
    entry.mark = mark;
    // Each display line comes from the lines of its view: traites and pensions
    // in mode 1, operations otherwise.
    std::vector<LineEntry>& lines = displayMode() == DisplayMode::Pensions ? acc.pensionLines : acc.operationLines;
    if (entry.sourceIndex >= 1 && entry.sourceIndex < static_cast<long>(lines.size()))
        lines[entry.sourceIndex].mark = mark;
}

namespace {
// The display line under the caret when it is an operation, else 0.
long operationUnderCaret(MainForm& f) {
    if (isTextView(f.displayMode())) return 0;
    long index = f.IndexAbsolu();
    return f.TestNumeroAffiche(index) ? index : 0;
}

// The objet of display line k, as the selection commands say it.
std::wstring objetOf(const MainForm& f, long k) {
    try {
        return trim(convertit_ChaineYzo(f.led.storedLine(k)).objet);
    } catch (const YzoError&) {
        return L"";
    }
}

// The text box shows the screen lines again with the caret where it was.
void refreshKeepingCaret(MainForm& f) {
    long caret = f.w.txt.caret;
    f.InitTableINdex();
    f.w.txt.setCaret(caret);
}
}  // namespace

void MainForm::SelectionOperation() {
    if (describeKey(L"sélection d'une opération")) return;
    long index = operationUnderCaret(*this);
    if (index == 0) return;
    if (led.displayTable[index].mark == 0) {
        setSelectionMark(index, true);
        refreshKeepingCaret(*this);
    }
    message(objetOf(*this, index) + kSelected);
}

void MainForm::DeselectionOperation() {
    if (describeKey(L"désélection d'une opération")) return;
    long index = operationUnderCaret(*this);
    if (index == 0) return;
    if (led.displayTable[index].mark != 0) {
        setSelectionMark(index, false);
        refreshKeepingCaret(*this);
    }
    message(objetOf(*this, index) + L" sans sélection");
}

void MainForm::MnuSelectionToutItem() {
    if (describeKey(L"sélection de tout l'affichage")) return;
    if (isTextView(displayMode())) return;
    for (long k = 1; k <= led.displayCount(); ++k)
        if (led.displayTable[k].mark == 0) setSelectionMark(k, true);
    NumeroAffiche();
    SurNumero(cursorIndex());
    // Said last, so that the count is what the user hears after the line.
    message(std::to_wstring(led.displayCount()) + L" sélectionnés");
}

void MainForm::MnuDeSelectionToutItem() {
    if (describeKey(L"déselection totale")) return;
    if (isTextView(displayMode())) return;
    for (long k = 1; k <= led.displayCount(); ++k)
        if (led.displayTable[k].mark != 0) setSelectionMark(k, false);
    NumeroAffiche();
    SurNumero(cursorIndex());
    message(L"déselection totale");
}

// --- Copy into another open account ----------------------------------------

void MainForm::MnuCopieSelectionItem() {
    if (describeKey(L"copie des opérations sélectionnées")) return;
    if (acc.openCount <= 1) {
        message(L"un seul fichier!");
        return;
    }
    if (isTextView(displayMode())) return;
    if (!app.normalMode) InitYzo();  // one dialog at a time: the one on screen is left
    entryButtons();
    ent.modes.copyList = true;
    w.txt.show(false);
    Control& l = w.Liste;
    l.show();
    l.clearItems();
    w.focus = L"Liste";
    l.addItem(L"Liste des fichiers ouverts");
    for (int k = 1; k <= acc.openCount; ++k)
        if (k != acc.currentDoc) l.addItem(slotPath(k));
    l.selected = 1;
}

void MainForm::validationCopie() {
    Control& l = w.Liste;
    if (l.selected < 1 || l.selected >= static_cast<int>(l.items.size())) return;
    // Item k is the k-th open account, the current one left out.
    int target = l.selected < acc.currentDoc ? l.selected : l.selected + 1;
    ent.modes.copyList = false;
    l.show(false);
    showLedger();
    InitModeNormal();
    if (acc.linesUnread[target]) {
        msgBox(L"Le compte " + NomFichSeul(slotPath(target)) + L" n'est pas lu : rien n'y est copié");
        return;
    }
    // The target's lines, unselected, with the copies placed among them.
    StoredLines& store = acc.slotStore[target];
    long count = std::min<long>(acc.table[target].lineCount, store.count());
    std::vector<LineEntry> copy(1);
    copy.reserve(static_cast<size_t>(count) + 1);
    for (long i = 1; i <= count; ++i) copy.push_back(LineEntry{store.line(i), 0});
    int type = acc.table[target].accountType;
    for (long k = 1; k <= led.displayCount(); ++k)
        if (led.displayTable[k].mark != 0) rangeCopie(led.storedLine(k), copy, count, type);
    size_t characters = 0;
    for (const LineEntry& entry : copy) characters += entry.text.size();
    store.clear();
    store.reserve(count, characters);
    for (long i = 1; i <= count; ++i)
        store.append(copy[static_cast<size_t>(i)].text, copy[static_cast<size_t>(i)].mark);
    acc.table[target].lineCount = count;
    acc.modified[target] = true;
}

namespace {
// The code a line takes in an account of the given type: receipts only turn
// traites into pensions and expenses into receipts, expenses only the reverse.
wchar_t codeInAccount(wchar_t code, int type) {
    if (type == kAccountExpenses && code == L'P') return L'T';
    if (type == kAccountExpenses && code == L'R') return L'D';
    if (type == kAccountReceipts && code == L'T') return L'P';
    if (type == kAccountReceipts && code == L'D') return L'R';
    return code;
}

// Where a line goes among the target's lines: traites and pensions first, each
// group in date order, at equal dates before a greater numéro.
long copyPosition(const std::vector<LineEntry>& lines, const Operation& op, bool pension) {
    for (long i = 1; i < static_cast<long>(lines.size()); ++i) {
        bool otherPension = isPensionLine(lines[i].text);
        if (pension && !otherPension) return i;
        if (!pension && otherPension) continue;
        Operation other;
        try {
            other = convertit_ChaineYzo(lines[i].text);
        } catch (const YzoError&) {
            continue;  // a malformed line keeps its place and decides nothing
        }
        if (other.date > op.date || (other.date == op.date && other.numero > op.numero)) return i;
    }
    return static_cast<long>(lines.size());
}
}  // namespace

void MainForm::rangeCopie(const std::wstring& line, std::vector<LineEntry>& target, long& count, int targetType) {
    std::wstring text = line;
    try {
        acc.work = convertit_ChaineYzo(line);
    } catch (const YzoError&) {
        return;  // a malformed line cannot be placed by its date
    }
    wchar_t code = codeInAccount(acc.work.code, targetType);
    if (code != acc.work.code) {
        acc.work.code = code;
        negateAmounts(acc.work);
        text = FormeYzo(acc.work);
    }
    long position = copyPosition(target, acc.work, code == L'P' || code == L'T');
    target.insert(target.begin() + position, LineEntry{text, 1});
    ++count;
}

// --- Erasing ------------------------------------------------------------------

void MainForm::MnuEffaceSelectionItem() {
    if (describeKey(L"effacement des opérations sélectionnées")) return;
    if (isTextView(displayMode())) return;
    if (ask(L"effacement des opérations sélectionnées", MsgButtons::YesNo) != MsgResult::Yes) return;
    std::vector<long> sources;
    for (long k = 1; k <= led.displayCount(); ++k)
        if (led.displayTable[k].mark != 0) sources.push_back(led.displayTable[k].sourceIndex);
    // From the last one, so that the indexes still to delete do not move.
    std::sort(sources.rbegin(), sources.rend());
    bool pensions = displayMode() == DisplayMode::Pensions;
    for (long source : sources) {
        if (pensions) supprimePension(source);
        else supprimeYzo(source);
    }
    if (!sources.empty()) markModified();
    AfficheYzo();
    message(std::to_wstring(sources.size()) + L" éffacés");
}

void MainForm::mnuEffaceBlocOperation() {
    if (describeKey(L"Effacement des opérations entre 2 dates")) return;
    if (displayMode() != DisplayMode::Operations) {
        message(L"seulement sur les opérations normales");
        return;
    }
    if (acc.operationCount() == 0) return;
    auto askDate = [&](long line, const std::wstring& prompt, Date& date) {
        try {
            acc.work = convertit_ChaineYzo(acc.operationLines[line].text);
        } catch (const YzoError&) {
            acc.work = ent.blank;
        }
        DialDate(prompt);
        date = acc.work.date;
        return ent.accepted;
    };
    if (!askDate(1, L"date de début des suppressions", srch.from)) return;
    if (!askDate(acc.operationCount(), L"date de fin des suppressions", srch.to)) return;
    bool deleted = false;
    // One line always stays.
    for (long i = 1; i <= acc.operationCount() && acc.operationCount() >= 2;) {
        Date date = 0;
        try {
            date = readDateField(acc.operationLines[i].text.substr(0, 8));
        } catch (const YzoError&) {
            ++i;  // a line without a date is never in a range
            continue;
        }
        if (date < srch.from) {
            ++i;
        } else if (date <= srch.to) {
            supprimeYzo(i);
            deleted = true;
        } else {
            break;
        }
    }
    if (deleted) markModified();
    AfficheYzo();
}

// --- The manual sum ---------------------------------------------------------

void MainForm::somme() {
    if (describeKey(L"Mise  dans la somme manuelle  d'une opération")) return;
    long index = operationUnderCaret(*this);
    if (index == 0) return;
    try {
        acc.parsed = convertit_ChaineYzo(led.storedLine(index));
    } catch (const YzoError&) {
        return;
    }
    srch.manualSum += acc.parsed.montant;
    arrondi(srch.manualSum);
    TotalCours();
}

void MainForm::TotalCours() {
    if (describeKey(L"Somme manuelle  en cours")) return;
    message(L"total " + Forme_montant(srch.manualSum));
}

void MainForm::RemiseZero() {
    // This label is said in both modes.
    message(L"Remise à zéro de la somme manuelle");
    if (app.keyHelp) {
        app.keyDescribed = true;
        return;
    }
    srch.manualSum = 0;
}
