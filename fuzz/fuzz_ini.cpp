// yzo.INI of any bytes: the program starts with it, quits (writing yzo.INI
// again) and starts once more from what it wrote, with the same options.
// Every question is answered No, so that nothing but yzo.INI is written.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    emptyFuzzFolder();
    writeBytes(fuzzFolder() / "yzo.INI", std::string(reinterpret_cast<const char*>(data), size));

    TestPlatform platform = unattendedPlatform();
    MainForm first(platform);
    first.Form_Load(L"");
    if (first.ended()) return 0;  // the user chose to stop at the missing storage folder
    first.MenuCommand(L"mnuQuitterItem");
    if (!first.ended()) return 0;  // a save question was cancelled
    MainForm second(platform);
    second.Form_Load(L"");
    if (second.ended()) return 0;
    for (int line = kMaxSlots + 1; line <= kConfigLines; ++line)
        FUZZ_CHECK(second.app.config[line] == first.app.config[line]);
    return 0;
}
