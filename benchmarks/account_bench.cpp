// Reading an account of 100,000 operations and formatting it as a table.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include "account/account.h"
#include "app/textfile.h"
#include "bench_accounts.h"
#include "ledger/format.h"

namespace {
const std::string kPath = "/tmp/yzo-bench-" + std::to_string(getpid()) + ".yzo";

void ReadAndFormat100k(benchmark::State& state) {
    std::wstring path = writeBenchAccount(100000, kPath);
    FormatSettings settings;
    settings.accountType = 1;
    settings.unitName = L"EUROS";
    for (auto _ : state) {
        std::vector<std::wstring> lines = readTextLines(path);
        AccountHeader header = convertit_ChaineConfiguration(lines[0]);
        std::vector<DisplayEntry> table(1);
        table.reserve(lines.size());
        for (size_t i = 1; i < lines.size(); ++i) {
            DisplayEntry e;
            e.line = std::move(lines[i]);
            e.sourceIndex = static_cast<long>(i);
            table.push_back(std::move(e));
        }
        FormeTableau(table, settings);
        benchmark::DoNotOptimize(header);
        benchmark::DoNotOptimize(table.back().text.data());
    }
    std::remove(kPath.c_str());
}
BENCHMARK(ReadAndFormat100k)->Unit(benchmark::kMillisecond);
}  // namespace
