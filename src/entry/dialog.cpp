// The dialog area and the validate action.
#include "app/mainform.h"

void MainForm::Liste_KeyDown(const KeyEvent&) {}
void MainForm::txtDial_KeyDown(const KeyEvent&) {}
void MainForm::txtDate_KeyDown(const KeyEvent&) {}
void MainForm::CmdYzo_Click() {}
void MainForm::CmdCreation_Click() {}
void MainForm::CmdModifLigne_Click() {}

bool MainForm::entryMenu(const std::wstring& name) {
    (void)name;
    return false;
}
