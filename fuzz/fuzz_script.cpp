// yzo-script's reader: any script is split into words and keys without a
// crash; a script naming no other folder is also run against the program.
#include <ostream>

#include "fuzz_support.h"
#include "script_runner.h"

namespace {
// A stream that keeps nothing: the transcript is not what is checked here.
struct NullBuffer : std::streambuf {
    int overflow(int c) override { return c; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    for (const std::string& line : lines) {
        try {
            std::vector<std::wstring> words = splitScriptLine(fromUtf8(line));
            for (const std::wstring& word : words) parseKeyName(word);
        } catch (const ScriptError&) {
        }
    }
    // Only a script that stays in its own folder is run: it may save files.
    if (lines.size() > 200 || text.find_first_of("/\\") != std::string::npos || text.find("..") != std::string::npos)
        return 0;
    emptyFuzzFolder();
    const std::wstring folder = fromUtf8(fuzzFolder().string());
    NullBuffer nothing;
    std::ostream out(&nothing);
    ScriptPlatform platform(out, dateFromYMD(2026, 12, 6), 36000, folder, folder);
    MainForm form(platform);
    ScriptRunner runner(form, platform, out);
    try {
        runner.run(lines);
    } catch (const ScriptError&) {
    }
    return 0;
}
