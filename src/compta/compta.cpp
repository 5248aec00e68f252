// The accounting report from a command file.
#include "app/mainform.h"

void MainForm::AppelComptabilite(const std::wstring& argument) {
    msgBox(L"Le rapport de comptabilité n'est pas encore disponible : " + argument);
    endProgram();
}
