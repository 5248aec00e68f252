// Importing a statement of 10,000 lines into an account of 10,000 operations:
// the OFX read, the lines already present found, a rubrique chosen for each
// line and the new lines merged at their dates. The aim is well under a second.
#include <benchmark/benchmark.h>

#include <string>

#include "ledger/format.h"
#include "statements/import.h"

namespace {
constexpr int kLines = 10000;

Date dayOf(int i) { return dateFromYMD(2020, 1, 1) + i / 4; }
long long centsOf(int i) { return -(100 + (i * 37) % 90000); }

// The account's stored lines, one in two of them on the statement as well.
std::vector<LineEntry> accountLines() {
    std::vector<LineEntry> lines(1);
    for (int i = 0; i < kLines; ++i) {
        Operation op;
        op.date = dayOf(2 * i);
        op.code = L'D';
        op.montant = static_cast<double>(centsOf(2 * i)) / 100.0;
        op.rubrique = L"Alimentation";
        op.objet = L"MAGASIN " + std::to_wstring(i % 50);
        lines.push_back({FormeYzo(op), 0});
    }
    return lines;
}

std::string statementOfx() {
    std::string s =
        "OFXHEADER:100\nDATA:OFXSGML\n\n<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKACCTFROM><ACCTID>1"
        "</BANKACCTFROM><BANKTRANLIST>\n";
    for (int i = 0; i < kLines; ++i) {
        int y, m, d;
        ymdFromDate(dayOf(i), y, m, d);
        char line[200];
        long long c = centsOf(i);
        std::snprintf(line, sizeof line,
                      "<STMTTRN><DTPOSTED>%04d%02d%02d<TRNAMT>-%lld.%02lld<NAME>MAGASIN %d</STMTTRN>\n", y, m, d,
                      -c / 100, -c % 100, i % 50);
        s += line;
    }
    return s + "</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\n";
}

void ImportTenThousandLines(benchmark::State& state) {
    const std::vector<LineEntry> lines = accountLines();
    const std::string ofx = statementOfx();
    const std::vector<StandardRubrique> standard = {{L"", L'D'}, {L"Alimentation", L'D'}, {L"Loyer", L'D'}};
    for (auto _ : state) {
        Statement statement = readOfx(ofx);
        std::vector<OperationKey> stored;
        RubriqueHistory history;
        for (size_t i = 1; i < lines.size(); ++i) {
            Operation op = convertit_ChaineYzo(lines[i].text);
            history.add(op.objet, op.code, op.rubrique);
            stored.push_back({op.date, static_cast<long long>(op.montant * 100), trim(op.numero)});
        }
        std::vector<OperationKey> keys;
        std::vector<Operation> added;
        for (const StatementLine& line : statement.accounts[0].lines) {
            keys.push_back({line.date, line.cents, line.numero});
            Operation op;
            op.date = line.date;
            op.code = L'D';
            op.montant = static_cast<double>(line.cents) / 100.0;
            op.objet = line.objet;
            op.rubrique = chooseRubrique(line, L'D', history, standard);
            added.push_back(op);
        }
        std::vector<long> matches = matchPresent(keys, stored);
        std::vector<long> positions;
        benchmark::DoNotOptimize(mergeOperations(lines, added, positions));
        benchmark::DoNotOptimize(matches);
    }
}
BENCHMARK(ImportTenThousandLines)->Unit(benchmark::kMillisecond);
}  // namespace
