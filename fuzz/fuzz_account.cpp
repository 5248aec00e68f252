// An account file of any bytes is opened and saved, then the saved file is
// opened again: nothing of what was read is lost, the saved file opens, and a
// file that could not be taken as an account is never written.
#include "fuzz_support.h"
#include "ledger/format.h"

namespace {
std::vector<std::wstring> linesInMemory(const MainForm& f) {
    std::vector<std::wstring> lines;
    for (long i = 1; i <= f.acc.pensionCount(); ++i) lines.push_back(f.acc.pensionLines[i].text);
    for (long i = 1; i <= f.acc.operationCount(); ++i) lines.push_back(f.acc.operationLines[i].text);
    return lines;
}

bool loaded(MainForm& f, const std::wstring& path) {
    return f.currentPath() == path && !f.passwordDialogShown() && !f.acc.linesUnread[f.acc.currentDoc];
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    emptyFuzzFolder();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring path = fuzzFile("compte.yzo");
    writeBytes(fsPath(path), bytes);

    TestPlatform platform = unattendedPlatform(MsgResult::Yes);
    MainForm first(platform);
    first.Form_Load(path);
    if (!loaded(first, path)) {
        // Refused, or waiting for its password: the save must leave the file alone.
        first.MenuCommand(L"mnuEnregistrer");
        first.KeyDown(first.w.focus, KeyEvent{keyLetter('S'), false, true});
        FUZZ_CHECK(readBytes(fsPath(path)) == bytes);
        return 0;
    }
    const std::vector<std::wstring> read = linesInMemory(first);
    const AccountHeader header = first.acc.table[first.acc.currentDoc];
    first.MenuCommand(L"mnuEnregistrer");
    // The save says "enregistrer" when it wrote the file.
    if (trim(first.w.LblMessage.text) != L"enregistrer") {
        // The save was refused (a header that would outgrow the longest line):
        // the file is as it was.
        FUZZ_CHECK(readBytes(fsPath(path)) == bytes);
        return 0;
    }

    MainForm second(platform);
    second.Form_Load(path);
    FUZZ_CHECK(second.currentPath() == path);
    if (!header.password.empty()) return 0;  // its lines wait for the password
    FUZZ_CHECK(loaded(second, path));
    FUZZ_CHECK(linesInMemory(second) == read);
    const AccountHeader& again = second.acc.table[second.acc.currentDoc];
    FUZZ_CHECK(again.title == header.title);
    FUZZ_CHECK(again.accountType == header.accountType);
    FUZZ_CHECK(again.hasTva == header.hasTva);
    FUZZ_CHECK(again.unitName == header.unitName);
    FUZZ_CHECK(again.objetListName == header.objetListName);
    FUZZ_CHECK(again.startDateText == header.startDateText);
    return 0;
}
