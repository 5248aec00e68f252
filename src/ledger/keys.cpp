// The keys of the ledger text box, and the ledger's menu commands.
#include "app/mainform.h"

void MainForm::txt_KeyDown(const KeyEvent& key) {
    if (key.code == kKeyEscape) InitYzo();
    else if (key.code == 'S' && key.ctrl && !key.shift) enregistrer();
    else if (key.code == 'S' && key.ctrl && key.shift) enregistrersous();
}

bool MainForm::ledgerMenu(const std::wstring& name) {
    (void)name;
    return false;
}
