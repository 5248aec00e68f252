#include "print/words.h"

#include <array>
#include <string_view>

namespace {
const std::array<const wchar_t*, 20> kNumberWords = {
    L"zéro", L"un",   L"deux",  L"trois",  L"quatre",   L"cinq",   L"six",   L"sept",     L"huit",     L"neuf",
    L"dix",  L"onze", L"douze", L"treize", L"quatorze", L"quinze", L"seize", L"dix sept", L"dix huit", L"dix neuf"};
// Indexed by the tens digit; 7 and 9 reuse the word of 6 and 8.
const std::array<const wchar_t*, 10> kTensWords = {
    L"",          L"dix",      L"vingt",    L"trente",       L"quarante",
    L"cinquante", L"soixante", L"soixante", L"quatre vingt", L"quatre vingt"};
const std::array<const wchar_t*, 4> kScaleWords = {L"", L"mille", L"million", L"milliard"};
const std::array<long, 4> kScaleDivisors = {1, 1000, 1000000, 1000000000};

int digitCount(long n) {
    int digits = 0;
    for (; n > 0; n /= 10) ++digits;
    return digits;
}

void pluralOfLastWord(std::wstring& text) {
    size_t blank = text.rfind(L' ');
    if (blank == std::wstring::npos) return;
    std::wstring_view last = std::wstring_view(text).substr(blank + 1);
    if (last == L"vingt" || last == L"cent") text += L's';
}
}  // namespace

std::wstring c_reste(int n) {
    if (n < 20) return kNumberWords[n];
    int t = n / 10, u = n % 10;
    std::wstring text = kTensWords[t];
    if (t == 7 || t == 9) u += 10;
    if (u == 1) {
        text += L" et un";
    } else if (u > 0) {
        if (t == 7) text += L" et ";
        text += L" ";
        text += kNumberWords[u];
    }
    return text;
}

std::wstring range(int n) {
    if (n == 100) return L"cent";
    std::wstring hundreds;
    int rest = n;
    if (n >= 101) {
        int q = n / 100;
        hundreds = q == 1 ? std::wstring(L"cent") : std::wstring(kNumberWords[q]) + L" cent";
        rest = n % 100;
    }
    if (rest == 0) return hundreds;
    return hundreds + (hundreds.empty() ? L"" : L" ") + c_reste(rest);
}

std::wstring mise_l(long n) {
    std::wstring text;
    if (n < 0) return text;
    int digits = digitCount(n);
    for (int k = 3; k >= 0 && digits > 0; --k) {
        if (digits <= 3 * k) continue;
        long group = n / kScaleDivisors[k];
        if (!text.empty()) text += L' ';
        if (group == 1 && k == 1) {
            text += L"mille";
        } else {
            text += range(static_cast<int>(group));
            if (k > 0) text += std::wstring(L" ") + kScaleWords[k];
        }
        n %= kScaleDivisors[k];
        digits = digitCount(n);
    }
    pluralOfLastWord(text);
    return text;
}

std::wstring decoupe_chiffre(std::wstring& words, int firstLength) {
    std::wstring second;
    if (firstLength < 1 || static_cast<long>(words.size()) < firstLength) return second;
    for (int position = firstLength; position >= 1; --position) {
        if (words[position - 1] != L' ') continue;
        second = words.substr(position);
        words.erase(position - 1);
        break;
    }
    return second;
}
