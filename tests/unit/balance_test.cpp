// Balances of the ledger display checked against sums computed here, in whole
// cents, on accounts of a few thousand random operations; and the pieces of the
// window and the readers that are easier to pin down here than in a transcript.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "test_platform.h"

namespace {

const std::wstring Sep(1, wchar_t(30));

struct RandomOp {
    Date date;
    wchar_t flag;
    wchar_t code;
    long cents;
    long tvaCents;
    std::wstring numero;
};

std::wstring dateField(Date d) {
    int y, m, day;
    ymdFromDate(d, y, m, day);
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%2d%2d%04d", day, m, y);
    return buf;
}

// The amount as a file holds it, written from whole cents without the program's formatter.
std::wstring centsText(long cents) {
    long a = cents < 0 ? -cents : cents;
    std::wstring s = (cents < 0 ? L"-" : L"") + std::to_wstring(a / 100);
    if (a % 100) {
        wchar_t buf[8];
        std::swprintf(buf, 8, L",%02ld", a % 100);
        s += buf;
    }
    return s;
}

std::wstring storedLine(const RandomOp& op) {
    return dateField(op.date) + op.flag + op.code + L"Rubrique" + Sep + L"Objet" + Sep + centsText(op.cents) + Sep +
           centsText(op.tvaCents) + Sep + op.numero;
}

bool isCash(const std::wstring& numero) {
    std::wstring t = numero;
    t.erase(0, t.find_first_not_of(L' '));
    t.erase(t.find_last_not_of(L' ') + 1);
    return t.size() == 2 && (t[0] == L'E' || t[0] == L'e') && (t[1] == L'S' || t[1] == L's');
}

// Operations spread over 2020-2030 around a start date of 1 January 2025; one bank line.
std::vector<RandomOp> randomOperations(unsigned seed, int count, const std::vector<wchar_t>& flags) {
    std::mt19937 rng(seed);
    const Date first = dateFromYMD(2020, 1, 1), last = dateFromYMD(2030, 12, 31);
    const wchar_t* numeros[] = {L"", L"ES", L" es ", L"Es", L"4711", L"0099", L"E S"};
    std::vector<RandomOp> ops;
    for (int i = 0; i < count; ++i) {
        RandomOp op;
        op.date = first + static_cast<Date>(rng() % static_cast<unsigned>(last - first + 1));
        op.flag = flags[rng() % flags.size()];
        long cents = static_cast<long>(rng() % 500001) - 250000;
        op.code = cents < 0 ? L'D' : L'R';
        op.cents = cents;
        op.tvaCents = rng() % 3 == 0 ? cents / 5 : 0;
        op.numero = numeros[rng() % 7];
        ops.push_back(op);
    }
    std::sort(ops.begin(), ops.end(), [](const RandomOp& a, const RandomOp& b) { return a.date < b.date; });
    RandomOp bank{dateFromYMD(2026, 6, 30), L' ', L'B', 123456, 0, L""};
    ops.insert(ops.begin() + count / 2, bank);
    return ops;
}

std::wstring money(long cents) { return Forme_montant(cents / 100.0); }

// A window with one open account built from the given lines.
struct Ledger {
    TestPlatform platform;
    MainForm form{platform};

    Ledger(const std::wstring& header, const std::vector<std::wstring>& operations,
           const std::vector<std::wstring>& pensions = {}) {
        form.acc.currentDoc = form.acc.openCount = 1;
        form.acc.table[1] = convertit_ChaineConfiguration(header);
        form.acc.header = form.acc.table[1];
        for (const auto& l : operations) form.acc.operationLines.push_back({l, 0});
        for (const auto& l : pensions) form.acc.pensionLines.push_back({l, 0});
        form.app.config[33] = L"en tableau";
        form.app.config[16] = L"1";  // the balance line shows the other unit
        form.led.displayMode[1] = DisplayMode::Operations;
    }
    void display(int mode, long cursor) {
        form.led.displayMode[1] = static_cast<DisplayMode>(mode);
        form.led.cursorIndex[1] = cursor;
        form.AfficheYzo();
    }
    void key(int code, bool shift = false, bool ctrl = false) { form.KeyDown(L"txt", KeyEvent{code, shift, ctrl}); }
    std::wstring caretLine() {
        long line, column;
        caretLineColumn(form.w.txt.text, form.w.txt.caret, line, column);
        return textLine(form.w.txt.text, line);
    }
};

// What the display of one mode must find, summed in cents.
struct Expected {
    long shown = 0, blank = 0;
    long long balance = 0, tva = 0, cash = 0, nonCash = 0, bank = 0, toCursor = 0;
    long minimum = 0, maximum = 0;
    bool any = false;
};

Expected expectedSums(const std::vector<RandomOp>& ops, int accountType, bool hasTva, int mode, Date start,
                      long cursor) {
    Expected e;
    for (const RandomOp& op : ops) {
        if (mode == 3 && (op.flag == L'/' || op.flag == L'*')) continue;
        ++e.shown;
        if (op.date < start) continue;
        if (accountType == 1 && op.code == L'B') e.bank = op.cents;  // the last bank line gives it
        if (accountType == 1 && op.flag == L'/') continue;
        if (op.code == L'B') continue;
        if (op.flag == L' ') ++e.blank;
        e.balance += op.cents;
        if (hasTva) e.tva += op.tvaCents;
        (isCash(op.numero) ? e.cash : e.nonCash) += op.cents;
        if (e.shown <= cursor) e.toCursor += op.cents;
        e.minimum = e.any ? std::min(e.minimum, op.cents) : op.cents;
        e.maximum = e.any ? std::max(e.maximum, op.cents) : op.cents;
        e.any = true;
    }
    return e;
}

void checkTotals(const Totals& t, const Expected& e, long long balance) {
    EXPECT_EQ(money(balance), Forme_montant(t.balance));
    EXPECT_EQ(money(e.tva), Forme_montant(t.tvaSum));
    EXPECT_EQ(money(e.cash), Forme_montant(t.cashBalance));
    EXPECT_EQ(money(e.nonCash), Forme_montant(t.nonCashBalance));
    EXPECT_EQ(money(e.toCursor), Forme_montant(t.cursorBalance));
    EXPECT_EQ(money(e.minimum), Forme_montant(t.minimum));
    EXPECT_EQ(money(e.maximum), Forme_montant(t.maximum));
    EXPECT_EQ(e.blank, t.blankFlagCount);
}

}  // namespace

TEST(Balances, RandomBankCodeAccountInModesTwoAndThree) {
    std::vector<RandomOp> ops = randomOperations(7, 4000, {L' ', L' ', L'/', L'*'});
    std::vector<std::wstring> lines;
    for (const auto& op : ops) lines.push_back(storedLine(op));
    Ledger ledger(L" 1 12025TT" + Sep + L"Aléa" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"4001", lines);
    const Date start = dateFromYMD(2025, 1, 1);
    const AccountsState& acc = ledger.form.acc;

    ledger.display(2, 1500);
    Expected two = expectedSums(ops, 1, true, 2, start, 1500);
    ASSERT_EQ(two.shown, ledger.form.led.displayCount());
    EXPECT_NE(0, two.bank);
    checkTotals(ledger.form.led.totals, two, two.balance + two.bank);
    EXPECT_EQ(money(two.balance + two.bank), Forme_montant(acc.table[1].lastBalance));
    EXPECT_EQ(money(two.tva), Forme_montant(acc.table[1].tvaTotal));

    ledger.display(3, 900);
    Expected three = expectedSums(ops, 1, true, 3, start, 900);
    ASSERT_EQ(three.shown, ledger.form.led.displayCount());
    // The bank line is shown in mode 3 but its amount is added in mode 2 only.
    checkTotals(ledger.form.led.totals, three, three.balance);
    const auto& screen = ledger.form.led.screenLines;
    EXPECT_EQ(L"Solde non enregistré inverse + solde opérations= " + money(-three.balance + two.balance + two.bank) +
                  L" EUROS",
              screen.back());
}

TEST(Balances, RandomMarkedAccountCountsRegisteredLinesInModeTwo) {
    std::vector<RandomOp> ops = randomOperations(11, 3000, {L' ', L'*', L'/'});
    std::vector<std::wstring> lines;
    for (const auto& op : ops) lines.push_back(storedLine(op));
    Ledger ledger(L" 1 12025 P" + Sep + L"Aléa" + Sep + L"0" + Sep + L"0" + Sep + L"FRANCS" + Sep + L"3001", lines);
    const Date start = dateFromYMD(2025, 1, 1);

    ledger.display(2, 2999);
    Expected two = expectedSums(ops, 2, false, 2, start, 2999);
    checkTotals(ledger.form.led.totals, two, two.balance);  // no TVA summed without TVA in the header

    ledger.display(3, 1);
    Expected three = expectedSums(ops, 2, false, 3, start, 1);
    ASSERT_EQ(three.shown, ledger.form.led.displayCount());
    EXPECT_EQ(money(three.balance), Forme_montant(ledger.form.led.totals.balance));
    EXPECT_EQ(money(three.cash), Forme_montant(ledger.form.led.totals.cashBalance));
}

TEST(Balances, TraitesAddTheirMonthlyAmountAndDatesBeforeTheStartAreShownNotCounted) {
    Ledger ledger(L" 1 12026 S" + Sep + L"T" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"3",
                  {L"31122025 DLoyer" + Sep + L"AGENCE" + Sep + L"-500" + Sep + L"0" + Sep,
                   L" 1 12026 DLoyer" + Sep + L"AGENCE" + Sep + L"-20" + Sep + L"0" + Sep},
                  {L" 1 12027 TAssurance" + Sep + L"MAAF" + Sep + L"-1200" + Sep + L"0" + Sep + L"12",
                   L" 1 12027 PRetraite" + Sep + L"CAISSE" + Sep + L"300" + Sep + L"0" + Sep + L"1",
                   L" 1 12027 PRente" + Sep + L"CAISSE" + Sep + L"50" + Sep + L"0" + Sep + L"0"});
    ledger.display(2, 0);
    EXPECT_EQ(2, ledger.form.led.displayCount());
    EXPECT_EQ(L"-20", Forme_montant(ledger.form.led.totals.balance));
    EXPECT_EQ(L"-20", Forme_montant(ledger.form.led.totals.minimum));

    ledger.display(1, 1);
    EXPECT_EQ(3, ledger.form.led.displayCount());
    EXPECT_EQ(L"250", Forme_montant(ledger.form.led.totals.balance));  // -100 + 300 + 50
    EXPECT_EQ(L"-1200", Forme_montant(ledger.form.led.totals.minimum));
    EXPECT_EQ(L"300", Forme_montant(ledger.form.led.totals.maximum));
}

TEST(Balances, AnAccountWithoutOperationsShowsItsHeaderAloneEvenWithPensions) {
    Ledger ledger(L" 1 12026 S" + Sep + L"Vide" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"1", {},
                  {L" 1 12027 TAssurance" + Sep + L"MAAF" + Sep + L"-1200" + Sep + L"0" + Sep + L"12"});
    for (int mode : {1, 2, 3}) {
        ledger.display(mode, 0);
        EXPECT_EQ(L"Recette/Dépense EUROS Vide  1  1  2026", ledger.form.w.txt.text) << "mode " << mode;
    }
}

// --- The window over 45 screen lines ------------------------------------------------

namespace {
std::vector<std::wstring> numberedOperations(int n) {
    std::vector<std::wstring> lines;
    for (int i = 1; i <= n; ++i)
        lines.push_back(L" 1 12026 DDivers" + Sep + L"OBJET " + std::to_wstring(i) + Sep + L"-" + std::to_wstring(i) +
                        Sep + L"0" + Sep);
    return lines;
}
}  // namespace

TEST(Window, CaretPlacedOnAnEntryAndPagedByTheArrows) {
    Ledger ledger(L" 1 12026 S" + Sep + L"Long" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"43",
                  numberedOperations(43));
    ledger.display(2, 25);  // entry 25: screen lines 26-45, caret on the first
    EXPECT_EQ(26, ledger.form.led.windowStart);
    EXPECT_EQ(20, textLineCount(ledger.form.w.txt.text));
    EXPECT_NE(std::wstring::npos, ledger.caretLine().find(L"OBJET 25 "));
    EXPECT_EQ(trimRight(ledger.caretLine()), ledger.form.w.LblMessage.text.substr(1));  // spoken once placed

    ledger.display(2, 5);  // entry 5: lines 1-20, caret on line 6 of the window
    EXPECT_EQ(1, ledger.form.led.windowStart);
    EXPECT_NE(std::wstring::npos, ledger.caretLine().find(L"OBJET 5 "));

    // On the window's first line: the first Up only notes the edge, the second pages.
    ledger.key(kKeyEnd, false, true);                  // window 26-45
    ledger.form.w.txt.setCaret(0);
    ledger.form.led.topEdge = false;
    unsigned revision = ledger.form.w.txt.revision;
    ledger.key(kKeyUp);
    EXPECT_EQ(26, ledger.form.led.windowStart);
    EXPECT_EQ(revision, ledger.form.w.txt.revision);   // the text box may move its caret itself
    ledger.key(kKeyUp);
    EXPECT_EQ(6, ledger.form.led.windowStart);
    EXPECT_NE(revision, ledger.form.w.txt.revision);   // paged: the text box must not move the caret again
    EXPECT_NE(std::wstring::npos, ledger.caretLine().find(L"OBJET 24 "));
    EXPECT_TRUE(ledger.form.led.bottomEdge);
}

TEST(Window, PageDownOnAShortLedgerBeepsAndStaysOnTheFirstWindow) {
    Ledger ledger(L" 1 12026 S" + Sep + L"Court" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"13",
                  numberedOperations(13));
    ledger.display(2, 3);
    ledger.key(kKeyPageDown);
    EXPECT_EQ(1, ledger.platform.beeps);
    EXPECT_EQ(1, ledger.form.led.windowStart);
    EXPECT_EQ(L"SOLDE opérations -91 EUROS  -596,92 FRANCS", ledger.caretLine());
}

// --- Readers ------------------------------------------------------------------------

TEST(Readers, LastChequeNumberSkipsCashAndEmptyNumbers) {
    Ledger ledger(L" 1 12026 S" + Sep + L"N" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"4",
                  {L" 1 12026 DA" + Sep + L"B" + Sep + L"-1" + Sep + L"0" + Sep + L"0099",
                   L" 2 12026 DA" + Sep + L"B" + Sep + L"-1" + Sep + L"0" + Sep + L" 4711 ",
                   L" 3 12026 DA" + Sep + L"B" + Sep + L"-1" + Sep + L"0" + Sep + L"ES",
                   L" 4 12026 DA" + Sep + L"B" + Sep + L"-1" + Sep + L"0" + Sep});
    EXPECT_EQ(L"4711", ledger.form.dernierNUMERO());
    ledger.form.acc.operationLines.resize(2);
    EXPECT_EQ(L"0099", ledger.form.dernierNUMERO());
    ledger.form.acc.operationLines.resize(1);
    EXPECT_EQ(L"", ledger.form.dernierNUMERO());
}

TEST(Readers, LireLigneReadsCrLfLinesAndALoneLastBreak) {
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"", L"bc"}), textLines(L"a\r\n\r\nbc"));
    EXPECT_EQ((std::vector<std::wstring>{L"a"}), textLines(L"a\r\n"));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L""}), textLines(L"a\r\n\r"));
    EXPECT_TRUE(textLines(L"").empty());
    std::wstring line;
    long position = 4;
    bool last = false;
    EXPECT_FALSE(LireLigne(line, L"abc", position, last));
    EXPECT_TRUE(last);
}

TEST(Readers, KeyHelpSaysTheLabelAndChangesNothing) {
    Ledger marked(L" 1 12026 P" + Sep + L"H" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"1",
                  {L" 1 12026 DA" + Sep + L"B" + Sep + L"-1" + Sep + L"0" + Sep + L"12"});
    marked.display(2, 1);
    marked.form.app.keyHelp = true;
    auto said = [&](int code, bool shift, bool ctrl) {
        marked.form.app.keyDescribed = false;
        marked.key(code, shift, ctrl);
        return marked.form.w.LblMessage.text.substr(1);
    };
    EXPECT_EQ(L"Date en cours", said(keyLetter('D'), false, false));
    EXPECT_EQ(L"Repérage en cours", said(keyLetter('E'), false, false));
    EXPECT_EQ(L"Repèrer en colonne", said(keyLetter('E'), true, false));
    EXPECT_EQ(L"Numéro en colonne", said(keyLetter('N'), true, false));
    EXPECT_EQ(L"Numéro de chèque ou nombre de mois d'une traite", said(keyLetter('N'), false, false));
    EXPECT_EQ(L"Solde sans les espèces", said(keyLetter('E'), true, true));
    EXPECT_EQ(L"Repèrer l'opération", said(kKeyNumMultiply, false, false));
    EXPECT_TRUE(marked.form.app.keyDescribed);
    // A key with no function says so, and clears the described flag.
    EXPECT_EQ(L"aucune fonction", said(keyLetter('A'), false, false));
    EXPECT_FALSE(marked.form.app.keyDescribed);
    // Nothing was acted on: no single-column view, the line kept its blank flag.
    EXPECT_EQ(0, marked.form.led.pendingColumn);
    EXPECT_EQ(L' ', marked.form.acc.operationLines[1].text[8]);

    Ledger bank(L" 1 12026 T" + Sep + L"H" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"1",
                {L" 1 12026 DA" + Sep + L"B" + Sep + L"-1" + Sep + L"0" + Sep + L"12"});
    bank.display(2, 1);
    bank.form.app.keyHelp = true;
    bank.key(kKeyOem191);
    EXPECT_EQ(L" Activer/Inactiver l'opération", bank.form.w.LblMessage.text);
    EXPECT_EQ(L' ', bank.form.acc.operationLines[1].text[8]);
    bank.key(keyLetter('E'));
    EXPECT_EQ(L" Enregistrement en cours", bank.form.w.LblMessage.text);
}

TEST(Balances, BankAmountIsTheLastBankLineNotTheSumOfThem) {
    const std::wstring head = L" 1 12020 T" + Sep + L"BANQUE" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" + Sep + L"3";
    auto line = [](const wchar_t* date, wchar_t flag, wchar_t code, const wchar_t* amount) {
        return std::wstring(date) + flag + code + L"R" + Sep + L"O" + Sep + amount + Sep + L"0" + Sep;
    };
    Ledger l(head, {line(L" 1 12026", L'/', L'B', L"1000"), line(L" 2 12026", L' ', L'D', L"-40"),
                    line(L" 3 12026", L'/', L'B', L"900"), line(L" 4 12026", L' ', L'R', L"15")});
    l.display(2, 0);
    EXPECT_EQ(Forme_montant(l.form.led.totals.balance), L"875");
    EXPECT_EQ(Forme_montant(l.form.acc.table[1].lastBalance), L"875");
    l.form.InformationCompte();
    EXPECT_EQ(l.form.led.screenLines[4], L"Solde            875 EUROS");
    // Stored from another mode, the header's balance follows the same rule.
    l.form.InitYzo();
    l.display(3, 0);
    l.form.acc.table[1].lastBalance = 0;
    l.form.RangeSauveTableYzo();
    EXPECT_EQ(Forme_montant(l.form.acc.table[1].lastBalance), L"875");
    l.form.led.displayMode[1] = DisplayMode::Operations;
    l.form.AfficheYzo();
    l.form.KeyDown(L"txt", KeyEvent{keyLetter('S')});
    EXPECT_EQ(l.platform.messages.back(), L" solde opérations 875  EUROS");
}
