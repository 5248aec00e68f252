// Amounts in words: a table of the wording's cases, a sweep that checks how
// groups of three digits join, and the split of the words over two lines.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "print/words.h"

namespace {
// The words of a group as they stand before a scale word: no plural s.
std::wstring withoutPlural(std::wstring words) {
    if (words.ends_with(L"vingts") || words.ends_with(L"cents")) words.pop_back();
    return words;
}

// The parts joined by blanks; a last "vingt" or "cent" after other words takes an s.
std::wstring joined(const std::vector<std::wstring>& parts) {
    std::wstring text;
    for (const std::wstring& p : parts) text += (text.empty() ? L"" : L" ") + p;
    if (text.ends_with(L" vingt") || text.ends_with(L" cent")) text += L's';
    return text;
}
}  // namespace

TEST(Words, TableOfTheWording) {
    const std::pair<long, const wchar_t*> table[] = {
        {0, L""},
        {1, L"un"},
        {17, L"dix sept"},
        {20, L"vingt"},
        {21, L"vingt et un"},
        {70, L"soixante et  dix"},
        {71, L"soixante et  onze"},
        {79, L"soixante et  dix neuf"},
        {80, L"quatre vingts"},
        {81, L"quatre vingt et un"},
        {90, L"quatre vingt dix"},
        {91, L"quatre vingt onze"},
        {97, L"quatre vingt dix sept"},
        {100, L"cent"},
        {120, L"cent vingts"},
        {180, L"cent quatre vingts"},
        {200, L"deux cents"},
        {201, L"deux cent un"},
        {1000, L"mille"},
        {1001, L"mille un"},
        {1080, L"mille quatre vingts"},
        {1100, L"mille cents"},
        {2000, L"deux mille"},
        {21000, L"vingt et un mille"},
        {80000, L"quatre vingt mille"},
        {300000, L"trois cent mille"},
        {1000000, L"un million"},
        {2000000, L"deux million"},
        {1234567, L"un million deux cent trente quatre mille cinq cent soixante sept"},
        {2147483647,
         L"deux milliard cent quarante sept million quatre cent quatre vingt trois mille six cent "
         L"quarante sept"},
        {1000000000, L"un milliard"},
        {1000001000, L"un milliard mille"}};
    for (const auto& [n, words] : table) EXPECT_EQ(mise_l(n), words) << n;
    EXPECT_EQ(c_reste(0), L"zéro");
}

// Every 7th number below a thousand and every 331st below two million: the
// hundreds, thousands and millions are joined to the words of what follows them.
TEST(Words, GroupsJoinTheWordsOfTheirParts) {
    for (long n = 101; n < 1000; n += 7) {
        if (n % 100 == 0) continue;
        EXPECT_EQ(mise_l(n), joined({n / 100 == 1 ? L"cent" : mise_l(n / 100) + L" cent", mise_l(n % 100)})) << n;
    }
    for (long n = 1000; n < 2000000; n += 331) {
        const long millions = n / 1000000, thousands = n / 1000 % 1000, units = n % 1000;
        std::vector<std::wstring> parts;
        if (millions) parts.push_back(mise_l(millions) + L" million");
        if (thousands) parts.push_back(thousands == 1 ? L"mille" : withoutPlural(mise_l(thousands)) + L" mille");
        if (units) parts.push_back(withoutPlural(mise_l(units)));
        EXPECT_EQ(mise_l(n), joined(parts)) << n;
    }
}

TEST(Words, SplitOverTwoLines) {
    // {words, length of the first line, first line, second line}: split at the
    // last blank that fits (even at the field's very length); a single word
    // longer than the line, or no line at all, stays whole.
    const std::tuple<const wchar_t*, int, const wchar_t*, const wchar_t*> table[] = {
        {L"douze euros", 11, L"douze", L"euros"},           {L"douze euros", 12, L"douze euros", L""},
        {L"cent vingt euros", 11, L"cent vingt", L"euros"}, {L"cent vingt euros", 10, L"cent", L"vingt euros"},
        {L"quatorzeeuros", 5, L"quatorzeeuros", L""},       {L"un euro", 0, L"un euro", L""}};
    for (const auto& [words, length, first, second] : table) {
        std::wstring w = words;
        EXPECT_EQ(decoupe_chiffre(w, length), second) << length;
        EXPECT_EQ(w, first) << length;
    }
}
