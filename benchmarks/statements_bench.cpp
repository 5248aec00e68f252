// Reading a bank statement of 10,000 operations: an OFX 1.x file laid out as
// banks write it, one element per line, with a name, a memo and some cheques.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "statements/statement.h"

namespace {
constexpr int kTransactions = 10000;
constexpr int kDaysPerMonth = 28, kMonthsPerYear = 12;

std::string generatedOfx(int n) {
    std::string out =
        "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nCHARSET:1252\r\n\r\n<OFX>\r\n<BANKMSGSRSV1>\r\n"
        "<STMTTRNRS>\r\n<STMTRS>\r\n<CURDEF>EUR\r\n<BANKACCTFROM>\r\n<ACCTID>00012345678\r\n</BANKACCTFROM>\r\n"
        "<BANKTRANLIST>\r\n";
    for (int i = 0; i < n; ++i) {
        const int day = 1 + i % kDaysPerMonth, month = 1 + (i / kDaysPerMonth) % kMonthsPerYear;
        const int year = 2000 + i / (kDaysPerMonth * kMonthsPerYear);
        char date[32], amount[32];
        std::snprintf(date, sizeof date, "%04d%02d%02d120000.000[+1:CET]", year, month, day);
        std::snprintf(amount, sizeof amount, "%s%d.%02d", i % 3 == 0 ? "" : "-", (i * 37) % 2000, i % 100);
        out += "<STMTTRN>\r\n\t<TRNTYPE>DEBIT\r\n\t<DTPOSTED>" + std::string(date) + "\r\n\t<TRNAMT>" + amount +
               "\r\n\t<FITID>" + std::to_string(100000 + i) + "\r\n" +
               (i % 10 == 0 ? "\t<CHECKNUM>" + std::to_string(5000 + i) + "\r\n" : std::string()) +
               "\t<NAME>PRLV SEPA \xC9LECTRICIT\xC9 &amp; GAZ " + std::to_string(i % 50) +
               "\r\n\t<MEMO>R\xC9"
               "F " +
               std::to_string(i) + " ECHEANCE MENSUELLE\r\n</STMTTRN>\r\n";
    }
    out +=
        "</BANKTRANLIST>\r\n<LEDGERBAL>\r\n<BALAMT>1234.56\r\n<DTASOF>20300101\r\n</LEDGERBAL>\r\n</STMTRS>\r\n"
        "</STMTTRNRS>\r\n</BANKMSGSRSV1>\r\n</OFX>\r\n";
    return out;
}

void ReadOfxOfTenThousandOperations(benchmark::State& state) {
    const std::string file = generatedOfx(kTransactions);
    size_t lines = 0;
    for (auto _ : state) {
        Statement s = readOfx(file);
        lines = s.accounts.at(0).lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["operations"] = static_cast<double>(lines);
    state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(ReadOfxOfTenThousandOperations)->Unit(benchmark::kMillisecond);
}  // namespace
