#include "textpos.h"

#include <algorithm>

std::wstring toControlText(const std::wstring& modelText) {
    std::wstring out;
    out.reserve(modelText.size());
    for (size_t i = 0; i < modelText.size(); ++i) {
        wchar_t c = modelText[i];
        if (c == L'\r') {
            out += L'\n';
            if (i + 1 < modelText.size() && modelText[i + 1] == L'\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring toModelText(const std::wstring& controlText) {
    std::wstring out;
    out.reserve(controlText.size() + controlText.size() / 16);
    for (wchar_t c : controlText) {
        if (c == L'\n') out += L"\r\n";
        else out += c;
    }
    return out;
}

long toControlPosition(const std::wstring& modelText, long modelPosition) {
    long n = static_cast<long>(modelText.size());
    if (modelPosition > n) modelPosition = n;
    if (modelPosition < 0) modelPosition = 0;
    long control = 0;
    for (long i = 0; i < modelPosition; ++i) {
        // The LF of a CR LF pair adds nothing: the pair is one character there.
        if (modelText[i] == L'\n' && i > 0 && modelText[i - 1] == L'\r') continue;
        ++control;
    }
    return control;
}

long toModelPosition(const std::wstring& modelText, long controlPosition) {
    long n = static_cast<long>(modelText.size());
    long control = 0;
    long i = 0;
    while (i < n && control < controlPosition) {
        if (modelText[i] == L'\r' && i + 1 < n && modelText[i + 1] == L'\n') i += 2;
        else ++i;
        ++control;
    }
    return i;
}

namespace {
// The shortest run of dashes shown as a rule: a screen reader counts runs of
// four characters or more instead of saying them.
constexpr size_t kRuleLength = 4;
// What stands between a line's name and the line.
const std::wstring kNameSeparator = L" : ";

bool isRule(const std::wstring& line) {
    return line.size() >= kRuleLength && line.find_first_not_of(L'-') == std::wstring::npos;
}

// The lines of a text with LF line ends (a last empty line too).
std::vector<std::wstring> linesOf(const std::wstring& controlText) {
    std::vector<std::wstring> lines(1);
    for (wchar_t c : controlText) {
        if (c == L'\n') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

// The margin of line n: its name and the separator, or blanks, margin wide.
std::wstring marginOf(const std::vector<std::wstring>& lineNames, size_t n, long margin) {
    std::wstring name = n < lineNames.size() && !lineNames[n].empty() ? lineNames[n] + kNameSeparator : L"";
    name.resize(static_cast<size_t>(margin), L' ');
    return name;
}
}  // namespace

long nameMargin(const std::vector<std::wstring>& lineNames) {
    size_t widest = 0;
    for (const std::wstring& name : lineNames) widest = std::max(widest, name.size());
    return widest == 0 ? 0 : static_cast<long>(widest + kNameSeparator.size());
}

std::wstring toShownText(const std::wstring& modelText, const std::vector<std::wstring>& lineNames) {
    std::vector<std::wstring> lines = linesOf(toControlText(modelText));
    long margin = nameMargin(lineNames);
    std::wstring out;
    for (size_t n = 0; n < lines.size(); ++n) {
        if (n > 0) out += L'\n';
        out += marginOf(lineNames, n, margin);
        out += isRule(lines[n]) ? std::wstring(lines[n].size(), L' ') : lines[n];
    }
    return out;
}

long toShownPosition(const std::wstring& modelText, const std::vector<std::wstring>& lineNames, long modelPosition) {
    long position = toControlPosition(modelText, modelPosition);
    long margin = nameMargin(lineNames);
    if (margin == 0) return position;
    std::wstring control = toControlText(modelText);
    long line = static_cast<long>(std::count(control.begin(), control.begin() + position, L'\n'));
    return position + margin * (line + 1);
}

long fromShownPosition(const std::wstring& modelText, const std::vector<std::wstring>& lineNames, long shownPosition) {
    long margin = nameMargin(lineNames);
    if (margin == 0) return toModelPosition(modelText, shownPosition);
    std::vector<std::wstring> lines = linesOf(toControlText(modelText));
    long control = 0, shown = 0;
    for (const std::wstring& line : lines) {
        long width = margin + static_cast<long>(line.size());
        if (shownPosition <= shown + width) {
            long column = std::clamp(shownPosition - shown - margin, 0L, static_cast<long>(line.size()));
            return toModelPosition(modelText, control + column);
        }
        shown += width + 1;
        control += static_cast<long>(line.size()) + 1;
    }
    return static_cast<long>(modelText.size());
}

std::vector<std::pair<long, long>> shownRules(const std::wstring& modelText,
                                              const std::vector<std::wstring>& lineNames) {
    std::vector<std::pair<long, long>> rules;
    long margin = nameMargin(lineNames), shown = 0;
    for (const std::wstring& line : linesOf(toControlText(modelText))) {
        long start = shown + margin, end = start + static_cast<long>(line.size());
        if (isRule(line)) rules.emplace_back(start, end);
        shown = end + 1;
    }
    return rules;
}
