// How lines are held and read: amounts and operations read in place give what
// the copying readers give, the store of an account not shown gives back every
// line as it was, and the ledger lines built when they are shown are those the
// whole table gives.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/errors.h"
#include "app/mainform.h"
#include "ledger/format.h"
#include "test_platform.h"

namespace {

const std::wstring Sep(1, wchar_t(30));

// The error number of a call, or 0 when it throws nothing.
template <typename F>
int errorOf(F f) {
    try {
        f();
    } catch (const YzoError& e) {
        return e.number();
    }
    return 0;
}

// The value std::from_chars reads from the text with "," taken as ".", or
// false when it does not read it whole.
bool referenceAmount(const std::string& text, double& value) {
    std::string s = text;
    for (char& c : s)
        if (c == ',') c = '.';
    auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    return res.ec == std::errc() && res.ptr == s.data() + s.size();
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(LineStorage, AmountsReadAsFromCharsReadsThemToTheLastBit) {
    std::mt19937 rng(17);
    const std::string alphabet = "0123456789,.-";
    std::vector<std::string> samples = {"0", "-0", "-0,00", "1,5", "12,50", "007", "1,", ",5", "-", "1.2.3",
                                        "0,1", "0,7", "99999999999999,99", "123456789012345678", "1,005", "-12,3",
                                        "3,14159", "1-2", "--1"};
    for (int i = 0; i < 20000; ++i) {
        std::string s;
        int n = 1 + static_cast<int>(rng() % 12);
        // Mostly the usual form, digits and two decimals, sometimes anything.
        if (rng() % 2) {
            if (rng() % 3 == 0) s += '-';
            for (int k = 0; k < n; ++k) s += static_cast<char>('0' + rng() % 10);
            if (rng() % 2) {
                s += rng() % 2 ? ',' : '.';
                for (int k = static_cast<int>(rng() % 4); k > 0; --k) s += static_cast<char>('0' + rng() % 10);
            }
        } else {
            for (int k = 0; k < n; ++k) s += alphabet[rng() % alphabet.size()];
        }
        samples.push_back(s);
    }
    for (const std::string& s : samples) {
        std::wstring field(s.begin(), s.end());
        double expected = 0;
        if (referenceAmount(s, expected)) {
            double got = readAmountField(L"  " + field + L" ");
            EXPECT_TRUE(sameBits(got, expected)) << s;
        } else {
            EXPECT_EQ(errorOf([&] { readAmountField(field); }), kErrTypeMismatch) << s;
        }
    }
}

TEST(LineStorage, AnOperationReadInPlaceIsTheOperationReadAsTexts) {
    std::mt19937 rng(23);
    const std::vector<std::wstring> parts = {L" 5 32008", L"31 22008", L"1a 12008", L"", L"/", L" ", L"D", L"R",
                                             L"Loyer", L"  X ", Sep, Sep, L"-12,5", L"0", L"ab", L"ES", L"1234",
                                             L"é€", std::wstring(30, L'9')};
    for (int i = 0; i < 5000; ++i) {
        std::wstring line;
        for (int k = static_cast<int>(rng() % 14); k > 0; --k) line += parts[rng() % parts.size()];
        if (rng() % 3 == 0) line = L" 5 32008 DRub" + Sep + L"Obj" + Sep + L"-1,5" + Sep + L"0" + Sep + line;
        int copyError = errorOf([&] { convertit_ChaineYzo(line); });
        int viewError = errorOf([&] { readOperation(line); });
        ASSERT_EQ(viewError, copyError) << toUtf8(line);
        if (copyError != 0) continue;
        Operation op = convertit_ChaineYzo(line);
        OperationView v = readOperation(line);
        EXPECT_EQ(v.date, op.date);
        EXPECT_EQ(v.flag, op.flag);
        EXPECT_EQ(v.code, op.code);
        EXPECT_EQ(std::wstring(v.rubrique), op.rubrique);
        EXPECT_EQ(std::wstring(v.objet), op.objet);
        EXPECT_EQ(std::wstring(v.numero), op.numero);
        EXPECT_TRUE(sameBits(v.montant, op.montant));
        EXPECT_TRUE(sameBits(v.tva, op.tva));
    }
    EXPECT_EQ(errorOf([&] { readOperation(std::wstring(kMaxLineLength + 1, L'1')); }), kErrBadLine);
}

TEST(LineStorage, TheStoreGivesBackEveryLineAndMarkAsItWas) {
    StoredLines store;
    std::vector<std::wstring> lines = {L"", L"abc" + Sep + L"d", std::wstring(1, wchar_t(0)) + L"x",
                                       std::wstring(1, wchar_t(0xFF)), std::wstring(1, wchar_t(0xFE)),
                                       L"€uro ŒŸ", std::wstring(1, wchar_t(0x10FFFF)), std::wstring(5000, L'é'),
                                       std::wstring(1, static_cast<wchar_t>(-1))};
    int16_t mark = 0;
    for (const auto& line : lines) store.append(line, mark++);
    ASSERT_EQ(store.count(), static_cast<long>(lines.size()));
    for (long k = 1; k <= store.count(); ++k) {
        EXPECT_EQ(store.line(k), lines[k - 1]) << k;
        EXPECT_EQ(store.mark(k), k - 1);
    }
    store.clear();
    EXPECT_EQ(store.count(), 0);
}

// A window showing one account of the given lines.
struct Shown {
    TestPlatform platform;
    MainForm form{platform};

    Shown(wchar_t type, bool tva, const std::vector<std::wstring>& operations) {
        form.acc.currentDoc = form.acc.openCount = 1;
        form.acc.table[1] = convertit_ChaineConfiguration(L" 1 12000" + std::wstring(1, tva ? L'T' : L' ') + type +
                                                          Sep + L"T" + Sep + L"0" + Sep + L"0" + Sep + L"EUROS" +
                                                          Sep + L"0");
        form.acc.header = form.acc.table[1];
        int16_t mark = 0;
        for (const auto& l : operations) form.acc.operationLines.push_back({l, mark++ % 3 == 1 ? int16_t(1) : int16_t(0)});
        form.app.config[33] = L"en tableau";
        form.led.displayMode[1] = DisplayMode::Operations;
    }
};

std::vector<std::wstring> randomLines(unsigned seed, int n) {
    std::mt19937 rng(seed);
    const wchar_t* rubriques[] = {L"Loyer", L"", L" Salaire ", L"Banque", L"Chèque"};
    const wchar_t* objets[] = {L"AGENCE", L"banque", L"", L" X", L"MARCHÉ"};
    const wchar_t* amounts[] = {L"-12,5", L"1500", L"", L"-0", L"3,25", L"abc"};
    const wchar_t* numeros[] = {L"", L"ES", L" 12 ", L"1234567"};
    const wchar_t flags[] = {L' ', L'/', L'*'};
    const wchar_t codes[] = {L'D', L'R', L'B'};
    std::vector<std::wstring> lines;
    for (int i = 0; i < n; ++i) {
        wchar_t date[16];
        std::swprintf(date, 16, L"%2d%2d%04d", 1 + i % 28, 1 + i % 12, 2001 + i % 30);
        std::wstring line = std::wstring(date) + flags[rng() % 3] + codes[rng() % 3] + rubriques[rng() % 5] + Sep +
                            objets[rng() % 5] + Sep + amounts[rng() % 6] + Sep + amounts[rng() % 3] + Sep +
                            numeros[rng() % 4];
        if (rng() % 40 == 0) line = line.substr(0, rng() % line.size());
        if (rng() % 60 == 0) line += std::wstring(kMaxLineLength, L'9');
        lines.push_back(line);
    }
    return lines;
}

// Every screen line of the operations equals the text FormeTableau gives the
// same lines (as the display shows them), in each account type, style and column.
TEST(LineStorage, ScreenLinesBuiltWhenShownAreTheWholeTableLines) {
    for (wchar_t type : {L'T', L'P', L'S', L'R', L'D'}) {
        for (int variant = 0; variant < 4; ++variant) {
            Shown shown(type, variant % 2 == 1, randomLines(31 + variant, 300));
            shown.form.app.config[33] = variant == 2 ? L"" : L"en tableau";
            shown.form.app.config[30] = variant == 3 ? L"1" : L"0";
            shown.form.app.config[36] = variant == 3 ? L"1" : L"0";
            for (int column = 0; column <= 7; column += (variant == 0 ? 1 : 7)) {
                shown.form.led.pendingColumn = column;
                shown.form.AfficheYzo();
                const LedgerState& led = shown.form.led;
                std::vector<DisplayEntry> table(1);
                for (long k = 1; k <= led.displayCount(); ++k) {
                    DisplayEntry e;
                    e.line = std::wstring(led.shownText(k));
                    e.mark = led.displayTable[k].mark;
                    table.push_back(e);
                }
                FormeTableau(table, shown.form.formatSettings());
                ASSERT_EQ(led.displayCount() + 3, led.screenCount() + 1) << "header, lines and the balance";
                for (long k = 1; k <= led.displayCount(); ++k) {
                    ASSERT_EQ(led.screenLines[k + 1], table[k].text) << "type " << char(type) << " variant " << variant
                                                                     << " column " << column << " line " << k;
                    if (column == 0) {
                        ASSERT_EQ(led.columnStarts(k), table[k].colStart) << k;
                    }
                }
            }
        }
    }
}

// A line inserted after a display and before the next one moves the account's
// lines, and here makes their array grow elsewhere: each shown line then reads
// the line now at its place, never the text the insertion freed; after
// deletions a shown line past the last one reads as empty.
TEST(LineStorage, ShownLinesReadTheAccountAtTheirPlacesUntilTheNextDisplay) {
    auto line = [](const wchar_t* objet) { return L" 1 12026 DR" + Sep + objet + Sep + L"-2" + Sep + L"0" + Sep; };
    Shown shown(L'S', false, {line(L"pain"), line(L"lait")});
    MainForm& form = shown.form;
    form.AfficheYzo();
    ASSERT_EQ(form.led.displayCount(), 2);
    form.acc.operationLines.shrink_to_fit();
    form.acc.work = convertit_ChaineYzo(line(L"sel"));
    form.insertionYzo(1);
    EXPECT_NE(form.led.screenLines[2].find(L"sel"), std::wstring::npos);
    EXPECT_NE(form.led.screenLines[3].find(L"pain"), std::wstring::npos);
    for (int k = 0; k < 3; ++k) form.supprimeYzo(1);
    EXPECT_EQ(form.led.shownText(1), L"");
    EXPECT_EQ(form.led.shownText(2), L"");
    form.AfficheYzo();
    EXPECT_EQ(form.led.displayCount(), 0);
}

}  // namespace
