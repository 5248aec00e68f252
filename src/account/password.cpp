// The account password.
#include "app/mainform.h"

void MainForm::DialMotDePasse() {
    message(std::wstring(80, L' '));
    w.CmdYzo.text = L"OK";
    w.CmdYzo.show();
    w.CmdCreation.enabled = false;
    w.CmdModifLigne.enabled = false;
    w.CmdQuitter.text = L"Annuler";
    w.CmdQuitter.show();
    w.txt.show(false);
    w.LblDial.text = app.passwordModes[1] || app.passwordModes[2] ? L"Mot de passe actuel" : L"Mot de passe";
    w.LblDial.show();
    w.txtPasse.text.clear();
    w.txtPasse.show();
    w.focus = L"txtPasse";
}
