// Files on disk: a save through a symbolic link, and lines written in UTF-8
// that look like the mark of such lines.
#include "support.h"

TEST_F(ProgramFolder, SavingThroughASymbolicLinkWritesItsTarget) {
    const std::wstring first = operationLine(L" 1122026", L'R', L"Vente", L"CLIENT", L"10");
    const std::wstring second = operationLine(L" 2122026", L'D', L"Achat", L"MAGASIN", L"-4");
    fs::create_directory(dir.path / "real");
    writeTextLines(folder + L"real/a.yzo", {headerLine(), first});
    fs::create_symlink("real/a.yzo", dir.path / "lien.yzo");
    account = folder + L"lien.yzo";
    start();
    form->acc.operationLines.push_back({second, 0});
    form->markModified();
    form->MenuCommand(L"mnuEnregistrer");
    EXPECT_TRUE(fs::is_symlink(dir.path / "lien.yzo"));
    const std::vector<std::wstring> saved = readTextLines(folder + L"real/a.yzo");
    EXPECT_EQ(std::vector<std::wstring>(saved.begin() + 1, saved.end()), (std::vector<std::wstring>{first, second}));
    // Nothing is left beside the target but the file itself.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "real"), fs::directory_iterator()), 1);
}

TEST(Utf8Lines, ALineThatLooksLikeTheMarkIsReadBackAsWritten) {
    TempFolder dir;
    const std::wstring path = dir.file(L"f");
    const std::vector<std::wstring> lines{L"\u00EF\u00BB\u00BFcompte", L"é", L"ł", L""};
    writeTextLinesOrUtf8(path, lines);
    std::vector<std::optional<std::wstring>> back = readTextLinesEach(path);
    ASSERT_EQ(back.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(back[i], lines[i]) << i;
    EXPECT_EQ(readBytes(fsPath(path)).substr(0, 3), std::string(kUtf8LineMark));
}
