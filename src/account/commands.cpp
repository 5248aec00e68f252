// The account commands of the "Fichier" and "Options" menus.
#include "app/mainform.h"

bool MainForm::accountMenu(const std::wstring& name, int index) {
    (void)index;
    if (name == L"mnuEnregistrer") enregistrer();
    else if (name == L"mnuEnregistrerSous") enregistrersous();
    else return false;
    return true;
}
