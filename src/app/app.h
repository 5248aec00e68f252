// State of the application shell: configuration list, paths, modes, last message.
#pragma once
#include <array>
#include <string>

// The lines of yzo.INI, numbered from 1; lines 1 to 15 hold the paths of the
// open-account list, the others one option each ("1" on, "0" off for a switch).
constexpr int kIniOtherUnit = 16;          // the balance line also shows the other unit
constexpr int kIniIncrementOnCheque = 17;  // the cheque number grows only on the rubrique chèque
constexpr int kIniNumeroOnCheque = 18;     // the numéro is asked only on the rubrique chèque
constexpr int kIniScreenFont = 19;         // screen font name (its size on the next line)
constexpr int kIniScreenFontSize = 20;     // screen font size
constexpr int kIniPrinterFont = 21;        // printer font name (its size on the next line)
constexpr int kIniPrinterFontSize = 22;    // printer font size
constexpr int kIniReportFile = 23;         // the file last chosen for the accounting report
constexpr int kIniStorageFolder = 24;      // the accounts' default folder
constexpr int kIniChequeParameters = 25;   // the cheque parameter file in use
constexpr int kIniChequeFont = 26;         // cheque font name (its size on the next line)
constexpr int kIniChequeFontSize = 27;     // cheque font size
constexpr int kIniChequeLandscape = 28;    // cheques printed in landscape
constexpr int kIniChequePlace = 29;        // the place last written after "Fait à"
constexpr int kIniDayNames = 30;           // dates shown with the day's name
constexpr int kIniLaunchCount = 31;        // how many accounts of the list open at launch
constexpr int kIniNotepadFile = 32;        // the file last chosen for the notepad
constexpr int kIniDisplayStyle = 33;       // "en tableau" or "compacté"
constexpr int kIniForeColour = 34;         // screen foreground colour, 0 to 15
constexpr int kIniBackColour = 35;         // screen background colour, 0 to 15
constexpr int kIniMonthNames = 36;         // dates shown with the month's name
constexpr int kConfigLines = 36;

struct AppState {
    // Lines 1..36 of yzo.INI (element 0 unused); lines 1-15 are the slots' paths.
    std::array<std::wstring, kConfigLines + 1> config{};
    std::wstring programFolder;  // always ends with a separator
    std::wstring storageFolder;  // default folder of the accounts
    std::wstring pathRubriquePen, pathRubriqueOpe, pathTva, pathIni;
    std::wstring lastMessage;
    bool normalMode = true;
    bool keyHelp = false;  // each command only says what it does
    bool keyDescribed = false;
    bool notepadShown = false;
    bool chequePrintMode = false;
    std::array<bool, 2> colourModes{};
    int chosenForeColour = 0;  // held between the two colour steps
    bool ended = false;        // the program has been asked to end
    bool iniUnread = false;    // yzo.INI exists but could not be read
};

// Thrown to leave every procedure at once when the program ends.
struct ProgramEnd {};
