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

namespace {
// What one account holds: its stored lines and its password (stored form).
struct Content {
    std::vector<std::wstring> lines;
    std::wstring password;
    bool operator==(const Content&) const = default;
};

struct SlotModel {
    std::wstring path;
    Content content;
    bool modified = false;
};

std::wstring typeTHeader(const std::wstring& password) {
    return L" 1 12026 T" + R + L"T" + R + L"0" + R + L"0" + R + L"EUROS" + R + L"0" + password;
}

Content contentOnDisk(const std::wstring& path) {
    std::vector<std::wstring> lines = readTextLines(path);
    Content c;
    c.password = convertit_ChaineConfiguration(lines.front()).password;
    c.lines.assign(lines.begin() + 1, lines.end());
    return c;
}

// Sends what a user can send through the window: a key goes to the menu entry
// whose shortcut it is when that entry is on, else to the focused control;
// a menu entry that is off cannot be chosen.
struct User {
    MainForm& form;
    bool key(int code, bool shift = false, bool ctrl = false) {
        KeyEvent k{code, shift, ctrl};
        if (MenuEntry* m = form.w.menuForKey(k)) {
            form.MenuCommand(m->name, m->index);
            return true;
        }
        form.KeyDown(form.w.focus, k);
        return false;
    }
    bool menu(const wchar_t* name) {
        MenuEntry* m = form.w.menu(name);
        if (!m || !m->enabled || !m->visible) return false;
        form.MenuCommand(m->name, m->index);
        return true;
    }
    void typePassword(const std::wstring& text) {
        form.w.txtPasse.text = text;
        form.KeyDown(L"txtPasse", KeyEvent{kKeyEnter});
    }
};
}  // namespace

// Random commands with random answers, some of them pressed while a dialog or
// a password prompt is open: after every step every account file holds what
// the model says was last saved into it.
TEST(SlotSequences, EveryFileOnDiskIsWhatTheModelSaysWasSaved) {
    const std::wstring locked = cryptage(L"pw");
    for (unsigned seed = 1; seed <= 60; ++seed) {
        char tmpl[] = "/tmp/yzo-disk-XXXXXX";
        fs::path dir = mkdtemp(tmpl);
        std::mt19937 rng(seed);
        auto chance = [&](unsigned n) { return rng() % n == 0; };
        std::map<std::wstring, Content> disk;
        std::vector<std::wstring> files;
        for (int f = 0; f < 6; ++f) {
            std::wstring path = fromUtf8((dir / ("d" + std::to_string(f) + ".yzo")).string());
            Content c;
            c.password = f >= 4 ? locked : L"";
            c.lines = {L" 1122026 RVente" + R + L"F" + std::to_wstring(f) + R + L"1" + R + L"0" + R};
            std::vector<std::wstring> file{typeTHeader(c.password)};
            file.insert(file.end(), c.lines.begin(), c.lines.end());
            writeTextLines(path, file);
            disk[path] = c;
            files.push_back(path);
        }
        int fresh = 0;
        auto freshName = [&] { return fromUtf8((dir / ("n" + std::to_string(fresh++) + ".yzo")).string()); };

        TestPlatform p;
        p.folder = fromUtf8(dir.string());
        MainForm form(p);
        User user{form};
        form.Form_Load(L"");
        std::vector<SlotModel> slots{{kUntitled, {}, false}};
        int current = 0;       // index in slots
        int pending = -1;      // the slot waiting for its password
        int beforeOpening = 0;
        int nextId = 1;

        auto isOpen = [&](const std::wstring& path) {
            for (const auto& s : slots)
                if (s.path == path) return true;
            return false;
        };
        // Saving the current slot; an untitled one asks for a name (or is cancelled).
        auto save = [&](SlotModel& s, bool askName) {
            if (askName) {
                if (chance(3)) {
                    p.files.push_back(std::nullopt);
                    return false;
                }
                std::wstring name = freshName();
                p.files.push_back(name);
                s.path = name;
            }
            disk[s.path] = s.content;
            s.modified = false;
            return true;
        };
        auto answerQuestion = [&](SlotModel& s) {
            // enregistrer sur ... ? Yes, No or Cancel; false when the command stops.
            MsgResult a = std::array{MsgResult::Yes, MsgResult::No, MsgResult::Cancel}[rng() % 3];
            p.replies.push_back(a);
            if (a == MsgResult::Cancel) return false;
            if (a == MsgResult::Yes) return save(s, s.path == kUntitled);
            return true;
        };

        bool ended = false;
        for (int step = 0; step < 80 && !ended; ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
            SlotModel& cur = slots[current];
            const int action = static_cast<int>(rng() % 12);
            if (pending >= 0) {
                // The password prompt is open: only the password, Escape or quitting act.
                int what = static_cast<int>(rng() % 5);
                if (what == 0) {
                    // Right only when the file still holds the password it was made with.
                    user.typePassword(L"pw");
                    if (cur.content.password == locked) pending = -1;
                } else if (what == 1) {
                    user.typePassword(L"faux");
                } else if (what == 2) {
                    form.KeyDown(L"txtPasse", KeyEvent{kKeyEscape});
                    if (beforeOpening == current) {
                        cur = SlotModel{kUntitled, {}, false};  // opened in place of an empty account
                    } else {
                        slots.erase(slots.begin() + current);
                        current = beforeOpening > current ? beforeOpening - 1 : beforeOpening;
                    }
                    pending = -1;
                } else {
                    // Keys and menus of commands that would save, switch or close: all off.
                    static const int keys[][3] = {{'S', 0, 1}, {kKeyF1 + 5, 0, 0}, {kKeyF1 + 5, 1, 0},
                                                  {kKeyF1 + 3, 0, 1}, {'O', 0, 1}, {'N', 0, 1}};
                    const int* k = keys[rng() % 6];
                    EXPECT_FALSE(user.key(k[0], k[1], k[2]));
                    EXPECT_FALSE(user.menu(L"mnuEnregistrerSous"));
                    EXPECT_FALSE(user.menu(L"mnuCreationPasse"));
                }
            } else if (action == 0) {  // open a file that is not open
                std::vector<std::wstring> closed;
                for (const auto& f : files)
                    if (!isOpen(f)) closed.push_back(f);
                if (closed.empty()) continue;
                std::wstring f = closed[rng() % closed.size()];
                bool inPlace = cur.path == kUntitled && cur.content.lines.empty() && !cur.modified;
                p.files.push_back(f);
                ASSERT_TRUE(user.key('O', false, true));
                beforeOpening = current;
                if (!inPlace) {
                    slots.push_back({});
                    current = static_cast<int>(slots.size()) - 1;
                }
                slots[current] = SlotModel{f, disk[f], false};
                if (!disk[f].password.empty()) pending = current;
            } else if (action == 1 || action == 2) {  // an operation added to the current account
                std::wstring line = L" 2122026 RVente" + R + L"X" + R + L"1" + R + L"0" + R + std::to_wstring(nextId++);
                form.acc.operationLines.push_back({line, 0});
                form.markModified();
                cur.content.lines.push_back(line);
                cur.modified = true;
                form.AfficheYzo();
            } else if (action == 3 && form.led.displayCount() > 0 && form.w.focus == L"txt") {  // the line under the caret deleted or flagged
                long index = form.IndexAbsolu();
                if (!form.TestNumeroAffiche(index)) continue;
                std::wstring line = form.led.storedLine(index);
                auto it = std::find(cur.content.lines.begin(), cur.content.lines.end(), line);
                ASSERT_NE(it, cur.content.lines.end());
                bool yes = chance(2);
                if (chance(2)) {
                    p.replies.push_back(yes ? MsgResult::Yes : MsgResult::No);
                    user.key(kKeyDelete);
                    if (yes) {
                        cur.content.lines.erase(it);
                        cur.modified = true;
                    }
                } else {
                    bool registered = (*it)[8] == L'/';
                    if (registered) p.replies.push_back(yes ? MsgResult::Yes : MsgResult::No);
                    user.key(kKeyOem191);
                    if (!registered || yes) {
                        (*it)[8] = registered ? L' ' : L'/';
                        cur.modified = true;
                    }
                }
            } else if (action == 4) {  // a password created, a key pressed between the two typings
                if (!user.menu(L"mnuCreationPasse")) continue;
                if (!cur.content.password.empty()) continue;  // "Mot de passe existant"
                user.typePassword(L"ab");
                if (chance(2)) EXPECT_FALSE(user.key(chance(2) ? 'S' : kKeyF1 + 5, false, chance(2)));
                bool same = chance(2);
                user.typePassword(same ? L"ab" : L"cd");
                if (same) {
                    cur.content.password = cryptage(L"ab");
                    cur.modified = true;
                }
            } else if (action == 5) {  // next or previous account
                bool back = chance(2);
                user.key(kKeyF1 + 5, back, false);
                int n = static_cast<int>(slots.size());
                if (n > 1) current = back ? (current + n - 1) % n : (current + 1) % n;
            } else if (action == 6) {  // Ctrl+S
                bool untitled = cur.path == kUntitled;
                SlotModel copy = cur;
                bool saved = save(copy, untitled);
                ASSERT_TRUE(user.key('S', false, true));
                if (saved || !untitled) cur = copy;
            } else if (action == 7) {  // save under another name
                SlotModel copy = cur;
                if (!save(copy, true)) {
                    ASSERT_TRUE(user.menu(L"mnuEnregistrerSous"));
                } else {
                    ASSERT_TRUE(user.menu(L"mnuEnregistrerSous"));
                    cur = copy;
                }
            } else if (action == 8) {  // close, with any answer
                SlotModel copy = cur;
                bool goesOn = !cur.modified || answerQuestion(copy);
                ASSERT_TRUE(user.key(kKeyF1 + 3, false, true));
                if (goesOn) {
                    if (slots.size() == 1) {
                        slots[0] = SlotModel{kUntitled, {}, false};
                    } else {
                        slots.erase(slots.begin() + current);
                        if (current == static_cast<int>(slots.size())) --current;
                    }
                } else {
                    cur = copy;  // a save may have happened before a cancelled name dialog
                }
            } else if (action == 9) {  // quit, with any answers
                bool goesOn = true;
                std::vector<SlotModel> after = slots;
                for (auto& s : after)
                    if (goesOn && s.modified) goesOn = answerQuestion(s);
                ASSERT_TRUE(user.menu(L"mnuQuitterItem"));
                slots = after;
                ended = form.ended();
                ASSERT_EQ(ended, goesOn);
            } else if (action == 10) {  // a new untitled account
                if (slots.size() >= 8) continue;
                bool yes = chance(2);
                p.replies.push_back(yes ? MsgResult::Yes : MsgResult::No);
                ASSERT_TRUE(user.key('N', false, true));
                // Two open accounts never share the untitled name: an untitled
                // account nobody touched becomes the new one, a touched one
                // refuses a second.
                auto untitled = std::find_if(slots.begin(), slots.end(),
                                             [](const SlotModel& s) { return s.path == kUntitled; });
                if (!yes) {
                } else if (untitled == slots.end()) {
                    slots.push_back({kUntitled, {}, false});
                    current = static_cast<int>(slots.size()) - 1;
                } else if (!untitled->modified && untitled->content.lines.empty()) {
                    current = static_cast<int>(untitled - slots.begin());
                    *untitled = SlotModel{kUntitled, {}, false};
                }
            } else if (action == 11 && form.displayMode() == DisplayMode::Operations) {  // Escape in the ledger
                user.key(kKeyEscape);
            }
            ASSERT_TRUE(p.replies.empty() && p.files.empty() && p.inputs.empty());
            for (const auto& [path, content] : disk) ASSERT_EQ(contentOnDisk(path), content) << toUtf8(path);
            if (ended) break;
            ASSERT_EQ(form.acc.openCount, static_cast<int>(slots.size()));
            ASSERT_EQ(form.acc.currentDoc, current + 1);
            for (size_t k = 0; k < slots.size(); ++k) ASSERT_EQ(form.slotPath(static_cast<int>(k) + 1), slots[k].path);
        }
        fs::remove_all(dir);
    }
}

TEST(SlotSequences, OpeningInPlaceOfAnEmptyAccountKeepsTheFilesOfTheSlotsAfterIt) {
    char tmpl[] = "/tmp/yzo-place-XXXXXX";
    fs::path dir = mkdtemp(tmpl);
    std::vector<std::wstring> files;
    for (int f = 0; f < 3; ++f) {
        files.push_back(fromUtf8((dir / ("p" + std::to_string(f) + ".yzo")).string()));
        writeTextLines(files.back(), {header(L"P" + std::to_wstring(f)), operation(f)});
    }
    TestPlatform p;
    p.folder = fromUtf8(dir.string());
    MainForm form(p);
    form.Form_Load(files[0]);
    p.replies.push_back(MsgResult::Yes);
    form.MenuCommand(L"mnuNouveauItem");           // slot 2: a new empty account
    form.MenuCommand(L"mnuFichierPrecedentItem");  // back to slot 1
    p.files.push_back(files[1]);
    form.MenuCommand(L"mnuOuvrirItem");            // slot 3
    form.MenuCommand(L"mnuFichierSuivantItem");    // slot 1
    form.MenuCommand(L"mnuFichierSuivantItem");    // slot 2, empty
    p.files.push_back(files[2]);
    form.MenuCommand(L"mnuOuvrirItem");            // in its place
    ASSERT_EQ(form.acc.openCount, 3);
    EXPECT_EQ(form.slotPath(1), files[0]);
    EXPECT_EQ(form.slotPath(2), files[2]);
    EXPECT_EQ(form.slotPath(3), files[1]);
    // Each slot saves its own lines into its own file.
    for (int k = 1; k <= 3; ++k) {
        form.MenuCommand(L"mnuFichierSuivantItem");
        form.markModified();
        form.MenuCommand(L"mnuEnregistrer");
    }
    EXPECT_EQ(linesOnDisk(files[1]), std::vector<std::wstring>{operation(1)});
    EXPECT_EQ(linesOnDisk(files[2]), std::vector<std::wstring>{operation(2)});
    fs::remove_all(dir);
}
