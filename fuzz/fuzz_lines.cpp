// Every line of the input, taken as a header and as a stored line: a parser
// either refuses it with the program's own error, or the line it forms again
// reads back to the same record and forms the same line.
#include "fuzz_support.h"
#include "ledger/format.h"

namespace {
bool sameOperation(const Operation& a, const Operation& b) {
    return a.date == b.date && a.flag == b.flag && a.code == b.code && a.rubrique == b.rubrique && a.objet == b.objet &&
           a.numero == b.numero && Forme_montant(a.montant) == Forme_montant(b.montant) &&
           Forme_montant(a.tva) == Forme_montant(b.tva);
}

bool sameHeader(const AccountHeader& a, const AccountHeader& b) {
    return a.hasTva == b.hasTva && a.startDate == b.startDate && a.startDateText == b.startDateText &&
           a.accountType == b.accountType && a.unitCode == b.unitCode && a.lineCount == b.lineCount &&
           Forme_montant(a.lastBalance) == Forme_montant(b.lastBalance) &&
           Forme_montant(a.tvaTotal) == Forme_montant(b.tvaTotal) && a.objetListName == b.objetListName &&
           a.title == b.title && a.unitName == b.unitName && a.otherUnitName == b.otherUnitName &&
           a.password == b.password;
}

template <typename Parse, typename Form, typename Same>
void roundTrip(const std::wstring& line, Parse parse, Form form, Same same) {
    decltype(parse(line)) record;
    try {
        record = parse(line);
    } catch (const YzoError&) {
        return;
    }
    std::wstring formed;
    try {
        formed = form(record);
    } catch (const YzoError& e) {
        // Only a line near the length limit may form one too long to be read.
        FUZZ_CHECK(e.number() == kErrBadLine && line.size() + 16 > kMaxLineLength);
        return;
    }
    FUZZ_CHECK(formed.size() <= kMaxLineLength);
    auto again = parse(formed);
    FUZZ_CHECK(same(again, record));
    FUZZ_CHECK(form(again) == formed);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Bytes as Windows-1252 text would give them, whatever they are: a line never holds a line break.
    std::wstring line;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == '\r' || data[i] == '\n') {
            roundTrip(line, convertit_ChaineConfiguration, FormeConfiguration, sameHeader);
            roundTrip(line, convertit_ChaineYzo, FormeYzo, sameOperation);
            line.clear();
        } else {
            line.push_back(static_cast<wchar_t>(data[i]));
        }
    }
    return 0;
}
