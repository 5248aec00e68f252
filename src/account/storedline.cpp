#include "account/storedline.h"

namespace {
constexpr wchar_t kSeparator = 0x1E;
constexpr size_t kDateLength = 8;
constexpr size_t kFlagPosition = 8;   // 0-based
constexpr size_t kCodePosition = 9;   // 0-based
constexpr size_t kRubriqueStart = 10; // 0-based
}  // namespace

StoredFields splitStoredLine(std::wstring_view line) {
    StoredFields f;
    f.date = line.substr(0, kDateLength);
    if (line.size() > kFlagPosition) f.flag = line[kFlagPosition];
    if (line.size() > kCodePosition) f.code = line[kCodePosition];
    const size_t first = line.find(kSeparator);
    const size_t rubriqueEnd = first == std::wstring_view::npos ? line.size() : first;
    if (rubriqueEnd > kRubriqueStart) f.rubrique = line.substr(kRubriqueStart, rubriqueEnd - kRubriqueStart);
    if (first == std::wstring_view::npos) return f;
    f.firstSeparator = first;
    f.separators = 1;
    std::wstring_view* between[] = {&f.objet, &f.montant, &f.tva};
    size_t start = first + 1;
    for (std::wstring_view* field : between) {
        const size_t next = line.find(kSeparator, start);
        if (next == std::wstring_view::npos) {
            *field = line.substr(start);
            return f;
        }
        *field = line.substr(start, next - start);
        ++f.separators;
        start = next + 1;
    }
    f.numero = line.substr(start);
    return f;
}
