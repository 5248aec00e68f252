// yzo-script's reader of numbers: every number a script writes is bounded, so
// that a long run of digits is a script error, never an overflow or an index
// outside a list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/textfile.h"
#include "script_runner.h"
#include "support.h"

namespace {
class DriverNumbers : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring folder = fromUtf8(dir.path.string());
        platform = std::make_unique<ScriptPlatform>(out, dateFromYMD(2026, 12, 6), 36000, folder, folder);
        form = std::make_unique<MainForm>(*platform);
        runner = std::make_unique<ScriptRunner>(*form, *platform, out);
        runner->run({"start", "key ctrl+R"});  // the criteria list: ListeRec with its ticks
    }

    // Whether the line is refused as a script error.
    bool refused(const std::string& line) {
        try {
            runner->run({line});
        } catch (const ScriptError&) {
            return true;
        }
        return false;
    }

    TempFolder dir;
    std::ostringstream out;
    std::unique_ptr<ScriptPlatform> platform;
    std::unique_ptr<MainForm> form;
    std::unique_ptr<ScriptRunner> runner;
};
}  // namespace

TEST_F(DriverNumbers, NumbersPastTheBoundAreScriptErrors) {
    ASSERT_TRUE(form->w.ListeRec.visible);
    const size_t items = form->w.ListeRec.items.size();
    ASSERT_GT(items, 2u);
    // Numbers that overflow an int, or wrap round to a negative index.
    for (const char* line :
         {"check 2147483648", "check 4294967295", "check 99999999999999999999", "select ListeRec 2147483648",
          "select ListeRec 4294967296", "caret 2147483648", "caret 1 4294967297", "menu mnuOuvrirSousMenu 2147483648",
          "show menu mnuOuvrirSousMenu 4294967295", "answer font \"Arial\" 2147483648", "key F4294967297",
          "key ctrl+F99999999999"})
        EXPECT_TRUE(refused(line)) << line;
    // An item past the list's end, just past it, and the last one.
    EXPECT_TRUE(refused("check " + std::to_string(items)));
    EXPECT_TRUE(refused("select ListeRec " + std::to_string(items)));
    EXPECT_FALSE(refused("check " + std::to_string(items - 1)));
    EXPECT_TRUE(form->w.ListeRec.checked[items - 1]);
}
