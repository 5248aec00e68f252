// Quitting: the save questions, the current account first in the list, yzo.INI.
#include "account/paths.h"
#include "app/errors.h"
#include "app/mainform.h"
#include "app/textfile.h"

void MainForm::CmdQuitter_Click() {
    const std::wstring& caption = w.CmdQuitter.text;
    if (caption == kCaptionLeaveNotepad) {
        SauveBlocNote();
    } else if (caption == kCaptionCancel) {
        if (passwordDialogShown()) annuleMotDePasse();
        else InitYzo();
    } else if (app.normalMode) {
        quitter();
    } else {
        InitYzo();
    }
}

bool MainForm::quitter() {
    if (describeKey(L"quitter  yzo")) return false;
    // The notepad's text is asked about first: it may be what is on screen.
    if (!askNotepadSave()) return false;
    int remembered = acc.currentDoc;
    if (acc.openCount == 1) {
        RangeSauveTableYzo();
        if (!sauvegarde()) return false;
    } else {
        RangeSauveTableYzo();
        for (int k = 1; k <= acc.openCount; ++k) {
            acc.currentDoc = k;
            RangeTableYzo();
            if (!sauvegarde()) {
                // Cancelled: back to the account that was shown.
                RangeSauveTableYzo();
                acc.currentDoc = remembered;
                RangeTableYzo();
                AfficheStatus();
                AfficheYzo();
                return false;
            }
            RangeSauveTableYzo();
        }
    }
    acc.currentDoc = remembered;
    if (remembered != 1) {
        std::wstring path = slotPath(remembered);
        efface_nomdoc(remembered);
        insert_nomdoc(1, path);
    }
    writeIni();
    endProgram();
    return true;
}

void MainForm::writeIni() {
    std::vector<std::wstring> lines;
    int untitled = 0;
    for (int k = 1; k <= kMaxSlots; ++k) {
        if (slotPath(k) == kUntitled) ++untitled;
        else lines.push_back(slotPath(k));
    }
    for (int i = 0; i < untitled; ++i) lines.push_back(kUntitled);
    for (int k = kMaxSlots + 1; k <= kConfigLines; ++k) lines.push_back(app.config[k]);
    // A file that could not be read is not replaced by what the program made up.
    if (app.iniUnread) return;
    try {
        if (FichierExistant(app.pathIni)) copyFileAtomically(app.pathIni, app.pathIni + L".bak");
    } catch (const YzoError&) {
        message(L"copie de sauvegarde impossible");
    }
    try {
        // Paths the system gave may hold letters Windows-1252 cannot: kept as UTF-8 lines.
        writeTextLinesOrUtf8(app.pathIni, lines);
    } catch (const std::exception& e) {
        reportError(e, L"quitter");
    }
}
