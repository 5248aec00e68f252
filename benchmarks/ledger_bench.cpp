// The ledger on an account of 100,000 operations: a key that rebuilds the
// whole display (marking an operation) and keys that only read or page.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "../tests/unit/test_platform.h"
#include "app/mainform.h"
#include "app/textfile.h"

namespace {
constexpr long kOperations = 100000;
const wchar_t RSep = 0x1E;

std::wstring field2(int n) {
    wchar_t buf[4];
    std::swprintf(buf, 4, L"%2d", n);
    return buf;
}

// An account of type 2 ("repère"), euros, with TVA: mixed signs, cash numbers,
// cheque numbers and marked lines, dated over the years before and after today.
std::vector<std::wstring> benchAccount(long n) {
    std::mt19937 rng(2026);
    std::vector<std::wstring> lines;
    lines.push_back(L" 1 12000TP" + std::wstring(1, RSep) + L"BENCH" + RSep + L"0" + RSep + L"0" + RSep + L"EUROS" +
                    RSep + std::to_wstring(n));
    const wchar_t* rubriques[] = {L"Salaire", L"Loyer", L"Chèque", L"Alimentation", L"Essence", L"Impôts"};
    const wchar_t* objets[] = {L"EMPLOYEUR", L"AGENCE", L"BOULANGERIE", L"MARCHÉ", L"STATION", L"TRÉSOR"};
    for (long i = 0; i < n; ++i) {
        int day = 1 + static_cast<int>(i % 28), month = 1 + static_cast<int>((i / 28) % 12);
        int year = 2000 + static_cast<int>(i / (28 * 12));
        int k = static_cast<int>(rng() % 6);
        long cents = static_cast<long>(rng() % 500000) - 250000;
        std::wstring amount = Forme_montant(cents / 100.0);
        std::wstring numero = k == 2 ? std::to_wstring(1000 + i) : (k == 3 ? L"ES" : L"");
        wchar_t flag = rng() % 4 == 0 ? L'*' : L' ';
        lines.push_back(field2(day) + field2(month) + std::to_wstring(year) + flag + (cents < 0 ? L'D' : L'R') +
                        rubriques[k] + RSep + objets[k] + RSep + amount + RSep + L"0" + RSep + numero);
    }
    return lines;
}

// A window opened on the account, as at launch.
struct OpenLedger {
    std::filesystem::path folder;
    TestPlatform platform;
    MainForm form{platform};

    OpenLedger() {
        folder = std::filesystem::temp_directory_path() / ("yzo-ledger-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        std::wstring path = fromUtf8((folder / "bench.yzo").string());
        writeTextLines(path, benchAccount(kOperations));
        platform.folder = fromUtf8(folder.string());
        form.Form_Load(path);
    }
    ~OpenLedger() { std::filesystem::remove_all(folder); }
    void key(int code, bool shift = false, bool ctrl = false) { form.KeyDown(L"txt", KeyEvent{code, shift, ctrl}); }
};

void MarkOperationRebuildsDisplay(benchmark::State& state) {
    OpenLedger ledger;
    for (auto _ : state) {
        ledger.key(kKeyNumMultiply);  // marks or unmarks the line, then redisplays
        benchmark::DoNotOptimize(ledger.form.led.totals.balance);
    }
    state.counters["lines"] = static_cast<double>(ledger.form.led.displayCount());
}
BENCHMARK(MarkOperationRebuildsDisplay)->Unit(benchmark::kMillisecond);

void ReadAmountUnderCaret(benchmark::State& state) {
    OpenLedger ledger;
    for (auto _ : state) {
        ledger.key(keyLetter('M'));
        benchmark::DoNotOptimize(ledger.form.w.LblMessage.text.data());
    }
}
BENCHMARK(ReadAmountUnderCaret)->Unit(benchmark::kMicrosecond);

void SpeakBalance(benchmark::State& state) {
    OpenLedger ledger;
    for (auto _ : state) {
        ledger.key(keyLetter('S'));
        benchmark::DoNotOptimize(ledger.form.w.LblMessage.text.data());
    }
}
BENCHMARK(SpeakBalance)->Unit(benchmark::kMicrosecond);

void PageThroughWindow(benchmark::State& state) {
    OpenLedger ledger;
    ledger.key(kKeyHome, false, true);
    for (auto _ : state) {
        ledger.key(kKeyPageDown);
        if (ledger.form.led.windowStart >= ledger.form.led.screenCount()) ledger.key(kKeyHome, false, true);
        benchmark::DoNotOptimize(ledger.form.w.txt.text.data());
    }
}
BENCHMARK(PageThroughWindow)->Unit(benchmark::kMicrosecond);
}  // namespace
