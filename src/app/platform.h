// Everything modal or outside the program: dialogs, printer, beep, clock,
// the program's folder, the end of the program, and the screen reader.
#pragma once
#include <optional>
#include <string>

#include "app/calendar.h"
#include "extras/extras.h"

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

struct FileDialogRequest {
    std::wstring filter;  // "Fichiers YZO (*.yzo)|*.yzo|tous fichiers (*.*)|*.*"
    std::wstring defaultExt;
    std::wstring initialName;  // a folder ending with a separator: that folder, no name
    bool mustExist = false;
    bool confirmOverwrite = false;
};

enum class FontKind { Screen, Printer };
struct FontChoice {
    std::wstring name;
    int size = 10;
};

enum class Orientation { Portrait, Landscape };
struct PrintJob {
    Orientation orientation = Orientation::Portrait;
    std::wstring fontName;
    int fontSize = 12;
    std::wstring text;  // lines joined by CR LF; a form feed starts a new page
    // The width of a column and the height of a line on paper, in millimetres;
    // 0 leaves them to the font (the width of a digit, the line height).
    double columnWidthMm = 0;
    double lineHeightMm = 0;
};

class Platform {
public:
    virtual ~Platform() = default;
    // Returns the typed text; empty on Cancel.
    virtual std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                                  const std::wstring& defaultText) = 0;
    // defaultButton: 1 first button, 2 second, 3 third.
    virtual MsgResult MsgBox(const std::wstring& text, MsgButtons buttons, int defaultButton,
                             const std::wstring& title) = 0;
    virtual std::optional<std::wstring> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::wstring> SaveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<FontChoice> FontDialog(FontKind kind, const FontChoice& current) = 0;
    virtual bool PrinterDialog() = 0;
    // Prints the job on the chosen printer; false when it failed.
    virtual bool Print(const PrintJob& job) = 0;
    virtual void Beep() = 0;
    virtual Date Today() = 0;
    virtual long SecondsSinceMidnight() = 0;
    // The program's folder (where yzo.INI, the list files and the help files are).
    virtual std::wstring ProgramFolder() = 0;
    // The installed default lists and help files that fill a new program's
    // folder; empty when the program runs from where it was built.
    virtual std::wstring InstalledDataFolder() { return {}; }
    // The folder of the accounts when yzo.INI names none.
    virtual std::wstring DefaultStorageFolder() { return ProgramFolder(); }
    // The program ends after the current event.
    virtual void EndProgram() = 0;
    // The status label has a new text: the screen reader must say it.
    virtual void StatusChanged(const std::wstring& text) = 0;
    // The window has a new title.
    virtual void TitleChanged(const std::wstring& title) = 0;
    // The folders below which a screen reader keeps its settings (none on this system).
    virtual ScreenReaderRoots ScreenReaderFolders() { return {}; }
};
