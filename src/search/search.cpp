// Criteria search.
#include "app/mainform.h"

// With no criteria defined yet every operation passes.
bool MainForm::RechercheAfficheListe() { return true; }

std::wstring MainForm::searchHeaderLine() { return L"Recherche"; }
