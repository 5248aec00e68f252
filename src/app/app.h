// State of the application shell: configuration list, paths, modes, last message.
#pragma once
#include <array>
#include <string>

constexpr int kConfigLines = 36;

struct AppState {
    // Lines 1..36 of yzo.INI (element 0 unused); lines 1-15 are the slots' paths.
    std::array<std::wstring, kConfigLines + 1> config{};
    std::wstring programFolder;   // always ends with a separator
    std::wstring storageFolder;   // default folder of the accounts
    std::wstring pathRubriquePen, pathRubriqueOpe, pathTva, pathIni;
    std::wstring lastMessage;
    bool normalMode = true;
    bool keyHelp = false;         // each command only says what it does
    bool keyDescribed = false;
    bool notepadShown = false;
    bool chequePrintMode = false;
    std::array<bool, 2> colourModes{};
    int chosenForeColour = 0;     // held between the two colour steps
    bool ended = false;           // the program has been asked to end
};

// Thrown to leave every procedure at once when the program ends.
struct ProgramEnd {};
