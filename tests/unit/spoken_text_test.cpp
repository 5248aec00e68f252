// What the program gives a dialog or the status label to say: every message,
// question, prompt and status text is cut to the longest line of an account,
// and a field separator or a line break in it is said as a blank.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "account/account.h"
#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace {
namespace fs = std::filesystem;

// Whether the text could be shown as it is: not longer than an account line,
// and holding no separator and no line break.
void expectSpeakable(const std::wstring& text) {
    EXPECT_LE(text.size(), kMaxLineLength);
    EXPECT_EQ(std::wstring::npos, text.find_first_of(std::wstring{wchar_t(30), L'\r', L'\n'}));
}

class SpokenText : public ::testing::Test {
protected:
    fs::path dir;
    TestPlatform tp;
    void SetUp() override {
        char tmpl[] = "/tmp/yzo-spoken-XXXXXX";
        dir = mkdtemp(tmpl);
        tp.folder = fromUtf8(dir.string()) + L"/";
    }
    void TearDown() override { fs::remove_all(dir); }
};
}  // namespace

// A yzo.INI whose storage folder is a line of a megabyte, a separator in it:
// the question about the missing folder says its start, with a blank.
TEST_F(SpokenText, TheMissingStorageFolderQuestionIsCut) {
    std::string folder = "/nulle/part/" + std::string(1, char(30)) + std::string(1 << 20, 'x');
    std::ofstream ini(dir / "yzo.INI", std::ios::binary);
    for (int k = 1; k <= 15; ++k) ini << "sanstitre.yzo\r\n";
    for (int k = 16; k <= 36; ++k) ini << (k == 24 ? folder : std::string(k == 31 ? "1" : "")) << "\r\n";
    ini.close();
    tp.replies.push_back(MsgResult::Yes);
    MainForm form(tp);
    form.Form_Load(L"");
    ASSERT_FALSE(tp.boxes.empty());
    const std::wstring& question = tp.boxes.front();
    EXPECT_EQ(0u, question.rfind(L"Le dossier de stockage /nulle/part/ xxx", 0));
    expectSpeakable(question);
}

// Every way the program speaks goes through the same cut.
TEST_F(SpokenText, EveryDialogAndStatusTextIsCut) {
    MainForm form(tp);
    const std::wstring sep(1, wchar_t(30));
    const std::wstring huge = L"début" + sep + L"\r\n" + std::wstring(3 * kMaxLineLength, L'y');

    tp.replies.push_back(MsgResult::No);
    EXPECT_EQ(MsgResult::No, form.ask(huge, MsgButtons::YesNo));
    ASSERT_EQ(1u, tp.boxes.size());
    EXPECT_EQ(0u, tp.boxes[0].rfind(L"début   yyy", 0));
    expectSpeakable(tp.boxes[0]);

    form.msgBox(huge);
    expectSpeakable(tp.boxes.at(1));

    // The prompt is cut; the text offered for editing is the user's and stays whole.
    tp.inputs.push_back(L"réponse");
    EXPECT_EQ(L"réponse", form.inputBox(huge, L"défaut"));
    const std::wstring prompt = tp.boxes.at(2).substr(std::wstring(L"input: ").size());
    EXPECT_EQ(0u, prompt.rfind(L"début   yyy", 0));
    expectSpeakable(prompt);

    form.message(huge);
    ASSERT_FALSE(tp.messages.empty());
    EXPECT_LE(tp.messages.back().size(), kMaxLineLength + 1);  // after the leading blank
    EXPECT_EQ(std::wstring::npos, tp.messages.back().find(sep));

    // A short text is given as it is.
    tp.replies.push_back(MsgResult::Yes);
    form.ask(L"Création du dossier /a/b", MsgButtons::YesNo);
    EXPECT_EQ(L"Création du dossier /a/b", tp.boxes.back());
}
