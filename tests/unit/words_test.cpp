// Amounts in words: every number up to a million against a wording built
// here, group by group, from the rules of the program's wording.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/words.h"

namespace {
const std::vector<std::wstring> kUnits = {
    L"zéro", L"un", L"deux", L"trois", L"quatre", L"cinq", L"six", L"sept", L"huit", L"neuf",
    L"dix", L"onze", L"douze", L"treize", L"quatorze", L"quinze", L"seize", L"dix sept", L"dix huit", L"dix neuf"};

std::wstring expectedBelow100(int n) {
    if (n < 20) return kUnits[n];
    if (n >= 70 && n <= 79) return L"soixante et  " + kUnits[n - 60];
    if (n >= 90) return L"quatre vingt " + kUnits[n - 80];
    static const std::wstring tens[] = {L"", L"", L"vingt", L"trente", L"quarante", L"cinquante", L"soixante", L"",
                                        L"quatre vingt"};
    int u = n % 10;
    std::wstring t = tens[n / 10];
    if (u == 0) return t;
    if (u == 1) return t + L" et un";
    return t + L" " + kUnits[u];
}

std::wstring expectedBelow1000(int n) {
    std::wstring hundreds;
    if (n / 100 == 1) hundreds = L"cent";
    else if (n / 100 > 1) hundreds = kUnits[n / 100] + L" cent";
    if (n % 100 == 0) return hundreds;
    return hundreds.empty() ? expectedBelow100(n % 100) : hundreds + L" " + expectedBelow100(n % 100);
}

// The digits in groups of three from the right, each group worded with its
// scale; "mille" stands alone for one thousand; the s on a last vingt or cent.
std::wstring expectedWords(long n) {
    static const std::wstring scales[] = {L"", L" mille", L" million", L" milliard"};
    std::vector<std::wstring> parts;
    for (int k = 0; n > 0; ++k, n /= 1000) {
        int group = static_cast<int>(n % 1000);
        if (group == 0) continue;
        if (k == 1 && group == 1) parts.insert(parts.begin(), L"mille");
        else parts.insert(parts.begin(), expectedBelow1000(group) + scales[k]);
    }
    std::wstring text;
    for (const std::wstring& p : parts) text += (text.empty() ? L"" : L" ") + p;
    bool severalWords = text.find(L' ') != std::wstring::npos;
    auto endsWith = [&](const std::wstring& w) {
        return text.size() >= w.size() && text.compare(text.size() - w.size(), w.size(), w) == 0;
    };
    if (severalWords && (endsWith(L" vingt") || endsWith(L" cent"))) text += L"s";
    return text;
}
}  // namespace

TEST(Words, EveryNumberUpToAMillion) {
    int wrong = 0;
    for (long n = 0; n <= 1000000; ++n) {
        std::wstring got = mise_l(n), want = expectedWords(n);
        if (got != want && ++wrong <= 10) ADD_FAILURE() << n << ": got \"" << got.c_str() << "\"";
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Words, TablesOfTheWording) {
    EXPECT_EQ(c_reste(21), L"vingt et un");
    EXPECT_EQ(c_reste(80), L"quatre vingt");
    EXPECT_EQ(c_reste(81), L"quatre vingt et un");
    EXPECT_EQ(c_reste(90), L"quatre vingt dix");
    EXPECT_EQ(c_reste(91), L"quatre vingt onze");
    EXPECT_EQ(c_reste(97), L"quatre vingt dix sept");
    EXPECT_EQ(c_reste(70), L"soixante et  dix");
    EXPECT_EQ(c_reste(71), L"soixante et  onze");
    EXPECT_EQ(c_reste(79), L"soixante et  dix neuf");
    EXPECT_EQ(c_reste(0), L"zéro");
    EXPECT_EQ(range(0), L"");
    EXPECT_EQ(range(100), L"cent");
    EXPECT_EQ(range(200), L"deux cent");

    const std::pair<long, const wchar_t*> table[] = {
        {0, L""}, {20, L"vingt"}, {80, L"quatre vingts"}, {100, L"cent"}, {120, L"cent vingts"},
        {180, L"cent quatre vingts"}, {200, L"deux cents"}, {201, L"deux cent un"}, {1000, L"mille"},
        {1001, L"mille un"}, {1080, L"mille quatre vingts"}, {1100, L"mille cents"}, {2000, L"deux mille"},
        {21000, L"vingt et un mille"}, {300000, L"trois cent mille"}, {1000000, L"un million"},
        {2000000, L"deux million"},
        {1234567, L"un million deux cent trente quatre mille cinq cent soixante sept"},
        {2147483647, L"deux milliard cent quarante sept million quatre cent quatre vingt trois mille six cent "
                     L"quarante sept"},
        {1000000000, L"un milliard"}, {1000001000, L"un milliard mille"}};
    for (const auto& [n, words] : table) EXPECT_EQ(mise_l(n), words) << n;
}

TEST(Words, SplitOverTwoLines) {
    // Exactly the first field's length: split at the last blank all the same.
    std::wstring w = L"douze euros";
    EXPECT_EQ(decoupe_chiffre(w, 11), L"euros");
    EXPECT_EQ(w, L"douze");
    // Shorter than the field: whole on the first line.
    w = L"douze euros";
    EXPECT_EQ(decoupe_chiffre(w, 12), L"");
    EXPECT_EQ(w, L"douze euros");
    // A blank right at the field's last position.
    w = L"cent vingt euros";
    EXPECT_EQ(decoupe_chiffre(w, 11), L"euros");
    EXPECT_EQ(w, L"cent vingt");
    w = L"cent vingt euros";
    EXPECT_EQ(decoupe_chiffre(w, 10), L"vingt euros");
    EXPECT_EQ(w, L"cent");
    // One word longer than the field stays whole; so does any text with no field.
    w = L"quatorzeeuros";
    EXPECT_EQ(decoupe_chiffre(w, 5), L"");
    EXPECT_EQ(w, L"quatorzeeuros");
    w = L"un euro";
    EXPECT_EQ(decoupe_chiffre(w, 0), L"");
    EXPECT_EQ(w, L"un euro");
}
