// The whole accounting report from the command line (yzo FILE /C and /C /S, as
// the program runs it without a window: launch, command file, 15 accounts of
// 20,000 operations read, summed, laid out and written to the .prn file), and
// the same operations summed by ledger(1) from a ledger journal, in the same
// run. The ledger figures are skipped when /usr/bin/ledger is missing.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "../tests/unit/test_platform.h"
#include "app/mainform.h"
#include "app/textfile.h"

namespace {
namespace fs = std::filesystem;
constexpr int kAccounts = 15;
constexpr long kOperations = 20000;
const wchar_t RSep = 0x1E;
const char* const kLedger = "/usr/bin/ledger";

struct BenchOp {
    int day, month, year;
    int kind;
    long cents;
    long tvaCents;
    bool registered;
};

std::wstring field2(int n) {
    wchar_t buf[4];
    std::swprintf(buf, 4, L"%2d", n);
    return buf;
}

std::string centsText(long cents, char decimal) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%ld%c%02ld", cents < 0 ? "-" : "", std::labs(cents) / 100, decimal,
                  std::labs(cents) % 100);
    return buf;
}

const wchar_t* const kRubriques[] = {L"Salaire", L"Loyer", L"Chèque", L"Alimentation", L"Essence", L"Impôts"};
const wchar_t* const kObjets[] = {L"EMPLOYEUR", L"AGENCE", L"BOULANGERIE", L"MARCHÉ", L"STATION", L"TRÉSOR"};

std::vector<BenchOp> benchOperations(unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<BenchOp> ops;
    ops.reserve(kOperations);
    for (long i = 0; i < kOperations; ++i) {
        BenchOp op;
        op.day = 1 + static_cast<int>(i % 28);
        op.month = 1 + static_cast<int>((i / 28) % 12);
        op.year = 2000 + static_cast<int>(i / (28 * 12));
        op.kind = static_cast<int>(rng() % 6);
        op.cents = static_cast<long>(rng() % 500000) - 250000;
        op.tvaCents = op.cents / 6;
        op.registered = false;
        ops.push_back(op);
    }
    return ops;
}

// A type 3 account with TVA ("Recette/Dépense"): every operation counts, so
// that ledger's sums are the same sums.
std::vector<std::wstring> accountLines(int number, const std::vector<BenchOp>& ops) {
    std::vector<std::wstring> lines;
    lines.push_back(L" 1 12000TS" + std::wstring(1, RSep) + L"COMPTE " + std::to_wstring(number) + RSep + L"0" + RSep +
                    L"0" + RSep + L"EUROS" + RSep + std::to_wstring(ops.size()));
    for (size_t i = 0; i < ops.size(); ++i) {
        const BenchOp& op = ops[i];
        std::wstring numero = op.kind == 2 ? std::to_wstring(1000 + i) : (op.kind == 3 ? L"ES" : L"");
        lines.push_back(field2(op.day) + field2(op.month) + std::to_wstring(op.year) + L' ' +
                        (op.cents < 0 ? L'D' : L'R') + kRubriques[op.kind] + RSep + kObjets[op.kind] + RSep +
                        fromUtf8(centsText(op.cents, ',')) + RSep + fromUtf8(centsText(op.tvaCents, ',')) + RSep +
                        numero);
    }
    return lines;
}

// The same operations as ledger transactions: the amount and its TVA posted
// to the account, balanced against an equity account.
void appendJournal(std::string& journal, int number, const std::vector<BenchOp>& ops) {
    char head[64];
    for (const BenchOp& op : ops) {
        std::snprintf(head, sizeof head, "%04d/%02d/%02d ", op.year, op.month, op.day);
        journal += head + toUtf8(kObjets[op.kind]) + "\n    Comptes:C" + std::to_string(number) + ":" +
                   toUtf8(kRubriques[op.kind]) + "  " + centsText(op.cents, '.') + " EUR\n    Tva:C" +
                   std::to_string(number) + "  " + centsText(op.tvaCents, '.') + " EUR\n    Equity:Ouverture\n\n";
    }
}

struct ReportFolder {
    fs::path folder;
    std::wstring commandFile;
    std::string journal;

    ReportFolder() {
        folder = fs::temp_directory_path() / ("yzo-compta-bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        std::vector<std::wstring> command = {L"Quinze comptes"};
        std::string journalText;
        for (int k = 1; k <= kAccounts; ++k) {
            std::vector<BenchOp> ops = benchOperations(2026 + k);
            std::wstring name = L"compte" + std::to_wstring(k) + L".yzo";
            writeTextLines(fromUtf8(folder.string()) + L"/" + name, accountLines(k, ops));
            command.push_back(L"NOM_COMPTE: " + name);
            if (k % 5 == 0) command.push_back(L"SOLDE_PARTIEL: cinq comptes");
            appendJournal(journalText, k, ops);
        }
        command.push_back(L"SOLDE_TOTAL: tout");
        commandFile = fromUtf8(folder.string()) + L"/compta.txt";
        writeTextLines(commandFile, command);
        journal = (folder / "compta.ledger").string();
        std::ofstream(journal) << journalText;
    }
    ~ReportFolder() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

ReportFolder& reportFolder() {
    static ReportFolder folder;
    return folder;
}

// What `yzo FILE /C` does once the process has started.
void runReport(benchmark::State& state, const std::wstring& switches) {
    ReportFolder& f = reportFolder();
    for (auto _ : state) {
        TestPlatform platform;
        platform.folder = fromUtf8(f.folder.string());
        MainForm form(platform);
        form.Form_Load(f.commandFile + L" " + switches);
        if (!platform.boxes.empty()) state.SkipWithError("the report said something went wrong");
        benchmark::DoNotOptimize(form.cpt.report.text.data());
    }
    state.counters["operations"] = kAccounts * kOperations;
}

void ComptaDetailed(benchmark::State& state) { runReport(state, L"/C"); }
void ComptaSimple(benchmark::State& state) { runReport(state, L"/C /S"); }

// ledger's own run, process start included, output thrown away. Its time is
// the wall time: the work is done in the child process.
void runLedger(benchmark::State& state, const char* command) {
    if (access(kLedger, X_OK) != 0) {
        state.SkipWithError("/usr/bin/ledger is missing (apt-get install ledger)");
        for (auto _ : state) {
        }
        return;
    }
    const std::string journal = reportFolder().journal;
    for (auto _ : state) {
        pid_t child = fork();
        if (child == 0) {
            std::freopen("/dev/null", "w", stdout);
            execl(kLedger, kLedger, "-f", journal.c_str(), command, static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("ledger failed");
    }
}

// The sums of every account, as the report makes them.
void LedgerBalance(benchmark::State& state) { runLedger(state, "balance"); }

BENCHMARK(ComptaDetailed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ComptaSimple)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LedgerBalance)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
