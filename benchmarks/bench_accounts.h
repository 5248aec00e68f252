// Generated accounts for the benchmarks.
#pragma once
#include <cstdio>
#include <random>
#include <string>

#include "app/textfile.h"

// Writes an account of n operations spread over the years, with mixed signs,
// flags, cash numbers and a bank line, and returns its path.
inline std::wstring writeBenchAccount(long n, const std::string& path) {
    std::mt19937 rng(12345);
    std::string out =
        " 1 12000 T\x1e"
        "BENCH\x1e"
        "0\x1e"
        "0\x1e"
        "EUROS\x1e" +
        std::to_string(n) + "\r\n";
    const char* rubriques[] = {"Salaire", "Loyer", "Chèque", "Alimentation", "Essence", "Impôts"};
    const char* objets[] = {"EMPLOYEUR", "AGENCE", "BOULANGERIE", "MARCHÉ", "STATION", "TRÉSOR"};
    for (long i = 0; i < n; ++i) {
        int day = 1 + static_cast<int>(i % 28), month = 1 + static_cast<int>((i / 28) % 12);
        int year = 2000 + static_cast<int>(i / (28 * 12 * 10)) % 30;
        char date[16];
        std::snprintf(date, sizeof date, "%2d%2d%04d", day, month, year);
        int k = static_cast<int>(rng() % 6);
        long cents = static_cast<long>(rng() % 500000) - 250000;
        char amount[32];
        std::snprintf(amount, sizeof amount, "%ld,%02ld", cents / 100, (cents < 0 ? -cents : cents) % 100);
        const char* flag = rng() % 3 == 0 ? "/" : " ";
        std::string numero = k == 2 ? std::to_string(1000 + i) : (k == 3 ? "ES" : "");
        out += std::string(date) + flag + (i == n / 2 ? "B" : (cents < 0 ? "D" : "R")) + rubriques[k] + "\x1e" +
               objets[k] + "\x1e" + amount +
               "\x1e"
               "0\x1e" +
               numero + "\r\n";
    }
    // The generator writes UTF-8 literals: turn them into Windows-1252.
    std::wstring wide = fromUtf8(out);
    writeFileAtomically(fromUtf8(path), encodeCp1252(wide));
    return fromUtf8(path);
}
