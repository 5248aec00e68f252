#include "textpos.h"

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
