// Account files: headers that cannot be read, the names a save derives from
// the file's name, and an account without operations written back.
#include <functional>

#include "account/account.h"
#include "account/storedline.h"
#include "app/errors.h"
#include "support.h"

namespace {
// The number of the error the call throws, 0 when it throws none.
int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const YzoError& e) {
        return e.number();
    }
    return 0;
}
}  // namespace

TEST(HeaderLine, RefusesTruncatedOrMalformedHeaders) {
    const std::pair<std::wstring, int> table[] = {
        {L" 5 3200", kErrSubscript},
        {L" 5 32008TT" + fields({L"", L"A", L"0"}), kErrMissingSeparator},
        {L"31 22008 T" + fields({L"", L"A", L"0", L"0", L"EUROS", L"0"}), kErrBadArgument},
        {L"aa 12008 T" + fields({L"", L"A", L"0", L"0", L"EUROS", L"0"}), kErrTypeMismatch},
        {L" 1 12008 T" + fields({L"", L"A", L"12x", L"0", L"EUROS", L"0"}), kErrTypeMismatch}};
    for (const auto& [header, error] : table)
        EXPECT_EQ(errorOf([&] { convertit_ChaineConfiguration(header); }), error) << toUtf8(header);
}

TEST(FileNames, CutAndBackupLookAtTheFileNameOnly) {
    EXPECT_EQ(cutExtension(L"/home/a.b/compte.yzoo"), L"/home/a.b/compte.yzo");
    EXPECT_EQ(cutExtension(L"/home/a.b/compte"), L"/home/a.b/compte");
    EXPECT_EQ(cutExtension(L"C:\\x\\compte.yz"), L"C:\\x\\compte.yz");
    EXPECT_EQ(backupName(L"/home/a.b/compte.yzo"), L"/home/a.b/compte.bak");
    EXPECT_EQ(backupName(L"/home/a.b/compte"), L"/home/a.b/compte.bak");
}

TEST_F(ProgramFolder, AnAccountWithNoLinesWritesItsHeaderOnly) {
    const std::string header =
        " 1 12026 S\x1eVIDE\x1e"
        "0\x1e"
        "0\x1e"
        "EUROS\x1e"
        "0\r\n";
    writeBytes(fsPath(account), header);
    start();
    form->enregistrer();
    EXPECT_EQ(readBytes(fsPath(account)), header);
}
