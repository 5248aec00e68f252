// Runs a script of user events against the main window.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "script_platform.h"

class ScriptRunner {
public:
    ScriptRunner(MainForm& form, ScriptPlatform& platform, std::ostream& out);
    // Runs every line; throws ScriptError on a fault of the script.
    void run(const std::vector<std::string>& lines);
    bool anyFailed() const { return failed_; }
    // Prints each command line of the script, after kEchoPrefix, before what it causes.
    void echoCommands(bool on) { echo_ = on; }

private:
    void command(const std::vector<std::wstring>& words, const std::wstring& rawLine);
    void key(const std::wstring& spec);
    void typeIntoBox(Control& c, const KeyEvent& k);
    void show(const std::vector<std::wstring>& words);
    void expect(const std::vector<std::wstring>& words);
    void answer(const std::vector<std::wstring>& words);
    Control& usable(const std::wstring& name);
    void requireRunning();
    void print(const std::wstring& text);

    MainForm& form_;
    ScriptPlatform& platform_;
    std::ostream& out_;
    bool started_ = false;
    bool failed_ = false;
    bool echo_ = false;
};

// What starts an echoed script line in the transcript: no other transcript line starts so.
inline constexpr const char* kEchoPrefix = "$ ";

// Splits a script line into words; a double-quoted word may hold blanks, \" and \\.
std::vector<std::wstring> splitScriptLine(const std::wstring& line);
// The key of a name such as "shift+ctrl+F6"; throws ScriptError on an unknown name.
KeyEvent parseKeyName(const std::wstring& spec);
