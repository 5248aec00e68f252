// Search on an account of 100,000 operations: a cursor search that walks every
// line without finding, and a criteria search that rebuilds the display.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "../tests/unit/test_platform.h"
#include "app/mainform.h"
#include "bench_accounts.h"

namespace {
constexpr long kOperations = 100000;

// A window opened on the account, as at launch.
struct OpenLedger {
    std::filesystem::path folder;
    TestPlatform platform;
    MainForm form{platform};

    OpenLedger() {
        folder = std::filesystem::temp_directory_path() / ("yzo-search-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        std::wstring path = writeBenchAccount(kOperations, (folder / "bench.yzo").string());
        platform.folder = fromUtf8(folder.string());
        form.Form_Load(path);
    }
    ~OpenLedger() { std::filesystem::remove_all(folder); }
};

// From the first line to the last, comparing a text column that no line holds:
// every line is parsed and tested, and the answer is "introuvable".
void CursorSearchWalksEveryOperation(benchmark::State& state) {
    OpenLedger ledger;
    MainForm& f = ledger.form;
    f.srch.column = kFieldRubrique;
    f.srch.criterion.rubrique = L"NULLE PART";
    for (auto _ : state) {
        f.cursorIndex() = 1;
        f.RechercherAvant();
        benchmark::DoNotOptimize(f.w.LblMessage.text.data());
    }
    state.counters["lines"] = static_cast<double>(f.led.displayCount());
}
BENCHMARK(CursorSearchWalksEveryOperation)->Unit(benchmark::kMillisecond);

// The criteria display rebuilt: every line parsed and tested, the ones that
// pass formatted. The objet "A" keeps about half of the lines; the empty
// numéro keeps them all.
void CriteriaSearchRebuildsDisplay(benchmark::State& state) {
    OpenLedger ledger;
    MainForm& f = ledger.form;
    f.CritereRecherche();
    for (int row = 3; row <= f.srch.rowCount; ++row) {
        int type = f.srch.rowType[row];
        f.srch.rowSelected[row] =
            (state.range(0) == 0 && type == kFieldObjet) || (state.range(0) == 1 && type == kFieldNumero);
    }
    f.srch.criterion.objet = L"A";
    f.srch.criterion.numero = L"";
    f.srch.from = dateFromYMD(1990, 1, 1);
    f.srch.to = dateFromYMD(2100, 1, 1);
    f.InitYzo();
    f.displayMode() = DisplayMode::Criteria;
    for (auto _ : state) {
        f.AfficheYzo();
        benchmark::DoNotOptimize(f.led.totals.balance);
    }
    state.counters["shown"] = static_cast<double>(f.led.displayCount());
}
BENCHMARK(CriteriaSearchRebuildsDisplay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}  // namespace
