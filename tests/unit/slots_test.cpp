// Random sequences of open, modify, switch, save, close and quit: no change is
// lost unless the user refused to save it, and every slot keeps its own lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "app/mainform.h"
#include "app/textfile.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {
const std::wstring R(1, RS);

std::wstring header(const std::wstring& title) {
    return L" 1 12026 S" + R + title + R + L"0" + R + L"0" + R + L"EUROS" + R + L"0";
}

std::wstring operation(int id) {
    return L" 1122026 RVente" + R + L"CLIENT" + R + L"1" + R + L"0" + R + std::to_wstring(id);
}

// The operation lines of an account file (the header left out).
std::vector<std::wstring> linesOnDisk(const std::wstring& path) {
    std::vector<std::wstring> lines = readTextLines(path);
    lines.erase(lines.begin());
    return lines;
}

std::vector<std::wstring> linesInMemory(MainForm& form) {
    std::vector<std::wstring> lines;
    for (long i = 1; i <= form.acc.operationCount(); ++i) lines.push_back(form.acc.operationLines[i].text);
    return lines;
}

struct Model {
    std::map<std::wstring, std::vector<std::wstring>> disk, memory;
};
}  // namespace

TEST(SlotSequences, NoChangeIsLostUnlessTheUserRefusedIt) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        char tmpl[] = "/tmp/yzo-slots-XXXXXX";
        fs::path dir = mkdtemp(tmpl);
        std::mt19937 rng(seed);
        Model model;
        std::vector<std::wstring> files;
        for (int f = 0; f < 6; ++f) {
            std::wstring path = fromUtf8((dir / ("c" + std::to_string(f) + ".yzo")).string());
            writeTextLines(path, {header(L"C" + std::to_wstring(f))});
            files.push_back(path);
            model.disk[path] = {};
        }
        TestPlatform p;
        p.folder = fromUtf8(dir.string());
        MainForm form(p);
        p.files.push_back(files[0]);
        form.Form_Load(L"");
        form.MenuCommand(L"mnuOuvrirItem");  // replaces the empty untitled account
        model.memory[files[0]] = {};
        int nextId = 1;

        auto checkCurrent = [&](int step) {
            const std::wstring& path = form.currentPath();
            ASSERT_TRUE(model.memory.count(path)) << "seed " << seed << " step " << step;
            ASSERT_EQ(linesInMemory(form), model.memory[path]) << "seed " << seed << " step " << step;
        };
        bool ended = false;
        for (int step = 0; step < 60 && !ended; ++step) {
            int action = static_cast<int>(rng() % 7);
            const std::wstring current = form.currentPath();
            if (action == 0) {  // open a file not open yet
                std::vector<std::wstring> closed;
                for (const auto& f : files)
                    if (!model.memory.count(f)) closed.push_back(f);
                if (closed.empty()) continue;
                std::wstring f = closed[rng() % closed.size()];
                p.files.push_back(f);
                form.MenuCommand(L"mnuOuvrirItem");
                model.memory[f] = model.disk[f];
            } else if (action == 1 || action == 2) {  // an edit of the current account
                form.acc.operationLines.push_back({operation(nextId), 0});
                form.acc.modified[form.acc.currentDoc] = true;
                model.memory[current].push_back(operation(nextId++));
            } else if (action == 3) {
                form.MenuCommand(rng() % 2 ? L"mnuFichierSuivantItem" : L"mnuFichierPrecedentItem");
            } else if (action == 4) {
                form.MenuCommand(L"mnuEnregistrer");
                model.disk[current] = model.memory[current];
            } else if (action == 5) {  // close, answering the save question at random
                MsgResult answer = std::array{MsgResult::Yes, MsgResult::No, MsgResult::Cancel}[rng() % 3];
                bool asked = form.acc.modified[form.acc.currentDoc];
                if (asked) p.replies.push_back(answer);
                form.MenuCommand(L"mnuFermerItem");
                if (asked && answer == MsgResult::Cancel) {
                    ASSERT_EQ(form.currentPath(), current);
                } else {
                    if (asked && answer == MsgResult::Yes) model.disk[current] = model.memory[current];
                    model.memory.erase(current);
                    if (form.currentPath() == kUntitled) {
                        // The only account was closed: open another one in its place.
                        p.files.push_back(current);
                        form.MenuCommand(L"mnuOuvrirItem");
                        model.memory[current] = model.disk[current];
                    }
                }
            } else {  // quit, with a random answer for each modified account
                std::vector<MsgResult> answers;
                for (int k = 1; k <= form.acc.openCount; ++k)
                    if (form.acc.modified[k])
                        answers.push_back(std::array{MsgResult::Yes, MsgResult::No, MsgResult::Cancel}[rng() % 3]);
                std::map<std::wstring, std::vector<std::wstring>> saved;
                size_t taken = 0;
                for (int k = 1; k <= form.acc.openCount && taken < answers.size(); ++k) {
                    if (!form.acc.modified[k]) continue;
                    MsgResult a = answers[taken++];
                    if (a == MsgResult::Cancel) break;
                    if (a == MsgResult::Yes) saved[form.slotPath(k)] = model.memory[form.slotPath(k)];
                }
                for (size_t i = 0; i < taken; ++i) p.replies.push_back(answers[i]);
                form.MenuCommand(L"mnuQuitterItem");
                for (auto& [path, lines] : saved) model.disk[path] = lines;
                ended = form.ended();
                ASSERT_EQ(ended, taken == answers.size() && (answers.empty() || answers.back() != MsgResult::Cancel))
                    << "seed " << seed << " step " << step;
            }
            ASSERT_TRUE(p.replies.empty()) << "seed " << seed << " step " << step;
            for (const auto& f : files)
                ASSERT_EQ(linesOnDisk(f), model.disk[f]) << "seed " << seed << " step " << step << " " << toUtf8(f);
            if (!ended) checkCurrent(step);
        }
        fs::remove_all(dir);
    }
}
