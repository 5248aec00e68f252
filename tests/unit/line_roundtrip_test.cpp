// Every line the program writes reads back to the record it was formed from,
// and a line read from a file either is refused with an error or, formed
// again, reads back to the same record: random records and mutated lines.
#include <gtest/gtest.h>

#include <random>

#include "account/account.h"
#include "app/errors.h"
#include "ledger/format.h"

namespace {
const std::wstring R(1, RS);

// Characters that lines really hold, the separator among them.
const std::wstring kAlphabet = L" 0123456789,.-/*ABCDETPRSesàéèçÉ€" + R;

std::wstring randomText(std::mt19937& rng, size_t maxLength, const std::wstring& alphabet) {
    std::wstring s(rng() % (maxLength + 1), L' ');
    for (auto& c : s) c = alphabet[rng() % alphabet.size()];
    return s;
}

double randomAmount(std::mt19937& rng) {
    long cents = static_cast<long>(rng() % 2000001) - 1000000;
    return rng() % 8 == 0 ? static_cast<double>(rng() % 1000) / 1000.0 : static_cast<double>(cents) / 100.0;
}

Date randomDate(std::mt19937& rng) { return dateFromYMD(1900 + static_cast<int>(rng() % 200), 1, 1) + rng() % 365; }

void expectSameOperation(const Operation& a, const Operation& b, const std::wstring& line) {
    SCOPED_TRACE(line);
    EXPECT_EQ(a.date, b.date);
    EXPECT_EQ(a.flag, b.flag);
    EXPECT_EQ(a.code, b.code);
    EXPECT_EQ(a.rubrique, b.rubrique);
    EXPECT_EQ(a.objet, b.objet);
    EXPECT_EQ(a.numero, b.numero);
    // Amounts are kept to the cent: compared as the program writes them.
    EXPECT_EQ(Forme_montant(a.montant), Forme_montant(b.montant));
    EXPECT_EQ(Forme_montant(a.tva), Forme_montant(b.tva));
}

void expectSameHeader(const AccountHeader& a, const AccountHeader& b, const std::wstring& line) {
    SCOPED_TRACE(line);
    EXPECT_EQ(a.hasTva, b.hasTva);
    EXPECT_EQ(a.startDate, b.startDate);
    EXPECT_EQ(a.startDateText, b.startDateText);
    EXPECT_EQ(a.accountType, b.accountType);
    EXPECT_EQ(a.unitCode, b.unitCode);
    EXPECT_EQ(a.lineCount, b.lineCount);
    EXPECT_EQ(Forme_montant(a.lastBalance), Forme_montant(b.lastBalance));
    EXPECT_EQ(Forme_montant(a.tvaTotal), Forme_montant(b.tvaTotal));
    EXPECT_EQ(a.objetListName, b.objetListName);
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.unitName, b.unitName);
    EXPECT_EQ(a.otherUnitName, b.otherUnitName);
    EXPECT_EQ(a.password, b.password);
}

// One random change to a line: a character replaced, inserted or removed, a
// piece repeated, or the line cut.
std::wstring mutate(std::wstring line, std::mt19937& rng) {
    const std::wstring pieces = L" 0123456789,.-T/*" + R + R + R;
    size_t at = line.empty() ? 0 : rng() % line.size();
    switch (rng() % 5) {
    case 0: if (!line.empty()) line[at] = pieces[rng() % pieces.size()]; break;
    case 1: line.insert(line.begin() + static_cast<long>(at), pieces[rng() % pieces.size()]); break;
    case 2: if (!line.empty()) line.erase(at, 1); break;
    case 3: line.insert(at, line.substr(at, rng() % 12)); break;
    default: line.resize(at); break;
    }
    return line;
}

// A line that a parser takes must form a line that reads back the same record.
template <typename Parse, typename Form, typename Same>
int checkReadLine(const std::wstring& line, Parse parse, Form form, Same same) {
    decltype(parse(line)) first;
    try {
        first = parse(line);
    } catch (const YzoError&) {
        return 0;  // refused with the program's own error, nothing else
    }
    std::wstring again;
    try {
        again = form(first);
    } catch (const YzoError& e) {
        // Only a line at the length limit may form one too long to be read.
        EXPECT_EQ(e.number(), kErrBadLine);
        EXPECT_GT(line.size() + 16, kMaxLineLength);
        return 0;
    }
    same(parse(again), first, line);
    EXPECT_EQ(form(parse(again)), again);
    return 1;
}
}  // namespace

TEST(LineRoundTrip, RandomOperationsReadBackAsFormed) {
    std::mt19937 rng(11);
    for (int i = 0; i < 20000; ++i) {
        Operation op;
        op.date = randomDate(rng);
        op.flag = L" /*"[rng() % 3];
        op.code = L"RDBATP"[rng() % 6];
        op.rubrique = randomText(rng, 20, kAlphabet);
        op.objet = randomText(rng, 30, kAlphabet);
        op.numero = randomText(rng, 10, kAlphabet);
        op.montant = randomAmount(rng);
        op.tva = randomAmount(rng);
        std::wstring line = FormeYzo(op);
        Operation back = convertit_ChaineYzo(line);
        // A separator typed into a field before the last cannot split the line.
        Operation expected = op;
        expected.rubrique = withoutLineBreaks(op.rubrique);
        expected.objet = withoutLineBreaks(op.objet);
        expectSameOperation(back, expected, line);
        if (HasFailure()) return;
    }
}

TEST(LineRoundTrip, RandomHeadersReadBackAsFormed) {
    std::mt19937 rng(12);
    const wchar_t* units[] = {L"EUROS", L"FRANCS", L"DOLLARS", L""};
    for (int i = 0; i < 20000; ++i) {
        AccountHeader h;
        h.startDate = randomDate(rng);
        h.startDateText = FormatDate(h.startDate);
        h.hasTva = rng() % 2;
        h.accountType = static_cast<int>(rng() % 6);
        h.objetListName = trim(withoutLineBreaks(randomText(rng, 12, kAlphabet)));
        h.title = randomText(rng, 40, kAlphabet);
        h.lastBalance = randomAmount(rng);
        h.tvaTotal = randomAmount(rng);
        h.unitName = units[rng() % 4];
        h.lineCount = static_cast<long>(rng() % 100000);
        h.password = rng() % 2 ? cryptage(randomText(rng, 8, kAlphabet)) : L"";
        std::wstring line = FormeConfiguration(h);
        AccountHeader back = convertit_ChaineConfiguration(line);
        AccountHeader expected = back;  // derived fields come from the unit name
        expected.hasTva = h.hasTva;
        expected.startDate = h.startDate;
        expected.startDateText = h.startDateText;
        expected.accountType = h.accountType;
        expected.lineCount = h.lineCount;
        expected.lastBalance = h.lastBalance;
        expected.tvaTotal = h.tvaTotal;
        expected.objetListName = h.objetListName;
        expected.title = withoutLineBreaks(h.title);
        expected.unitName = h.unitName;
        expected.password = h.password;
        expectSameHeader(back, expected, line);
        if (HasFailure()) return;
    }
}

TEST(LineRoundTrip, MutatedStoredLinesAreRefusedOrReadBackTheSame) {
    std::mt19937 rng(13);
    const std::vector<std::wstring> seeds = {
        L"25122008/DChèque" + R + L"GARAGE" + R + L"-312,60" + R + L"-51,23" + R + L"4510",
        L" 5 32008 R Salaire " + R + R + L"1500" + R + L"0" + R,
        L"14 72026 BBanque" + R + L"Banque" + R + L"1200,5" + R + L"0" + R,
        L" 1 12026 T" + R + L"ASSURANCE" + R + L"-240" + R + L"0" + R + L"12",
    };
    int taken = 0;
    for (int i = 0; i < 60000; ++i) {
        std::wstring line = seeds[rng() % seeds.size()];
        for (int k = 1 + static_cast<int>(rng() % 6); k > 0; --k) line = mutate(line, rng);
        taken += checkReadLine(line, convertit_ChaineYzo, FormeYzo, expectSameOperation);
        if (HasFailure()) return;
    }
    // The mutations must leave many lines readable, or the check proves little.
    EXPECT_GT(taken, 5000);
}

TEST(LineRoundTrip, MutatedHeadersAreRefusedOrReadBackTheSame) {
    std::mt19937 rng(14);
    const std::vector<std::wstring> seeds = {
        L"15 12008TTcourses.obj " + R + L"COURANT" + R + L"1234,50" + R + L"-19,60" + R + L"FRANCS" + R + L"42",
        L" 5 32008 D" + R + L"SANS TITRE" + R + L"0" + R + L"0" + R + L"LIVRES" + R + L"3" + R + L"65" + R + L"112",
        L" 1 12026 S" + R + R + R + R + R,
    };
    int taken = 0;
    for (int i = 0; i < 60000; ++i) {
        std::wstring line = seeds[rng() % seeds.size()];
        for (int k = 1 + static_cast<int>(rng() % 6); k > 0; --k) line = mutate(line, rng);
        taken += checkReadLine(line, convertit_ChaineConfiguration, FormeConfiguration, expectSameHeader);
        if (HasFailure()) return;
    }
    EXPECT_GT(taken, 5000);
}

TEST(LineRoundTrip, LinesAtTheLengthLimit) {
    // The longest line read forms again within the limit or is refused as too long.
    std::wstring line = L"14 72026 DX" + R + L"Y" + R + L".5" + R + L".5" + R;
    line += std::wstring(kMaxLineLength - line.size(), L'7');
    ASSERT_EQ(line.size(), kMaxLineLength);
    EXPECT_EQ(checkReadLine(line, convertit_ChaineYzo, FormeYzo, expectSameOperation), 0);
    line.erase(line.size() - 8);
    EXPECT_EQ(checkReadLine(line, convertit_ChaineYzo, FormeYzo, expectSameOperation), 1);
}
