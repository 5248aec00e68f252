// Adapting the menus to the current account.
#include "app/mainform.h"

void MainForm::configuration() {
    init_vierge();
    const AccountHeader& h = acc.header;
    int type = h.accountType;
    bool flagged = type == 1 || type == 2;
    w.entry(L"MnuNonenregistrer").enabled = flagged;
    w.entry(L"MnuEnregistrerCours").enabled = flagged;
    w.entry(L"MnuEnregistrerColonne").enabled = flagged;
    if (type == 1) {
        w.entry(L"mnuRepererOperationItem").enabled = false;
        w.entry(L"mnuEnregistrerOperation").enabled = true;
        w.entry(L"mnuEnregistrerOperation").caption = L"Activer/Inactiver l'opération : / ou Maj Espace";
        w.entry(L"MnuEnregistrerCours").caption = L"Enregistrer en cours : E";
        w.entry(L"MnuEnregistrerColonne").caption = L"Enregistrement en colonne : Maj E";
    } else if (type == 2) {
        w.entry(L"mnuRepererOperationItem").enabled = true;
        w.entry(L"mnuEnregistrerOperation").enabled = false;
        w.entry(L"mnuEnregistrerOperation").caption = L"Repèrer l'opération : *";
        w.entry(L"MnuEnregistrerCours").caption = L"repèrer en cours : E";
        w.entry(L"MnuEnregistrerColonne").caption = L"Repère en colonne : Maj E";
    } else {
        w.entry(L"mnuRepererOperationItem").enabled = false;
        w.entry(L"mnuEnregistrerOperation").enabled = false;
    }
    bool objetsOnly = type == 4 || type == 5;
    w.entry(L"mnuAfficheObjet").enabled = objetsOnly;
    w.entry(L"mnuAfficheRubriqueOperation").enabled = !objetsOnly;
    w.entry(L"mnuAfficheRubriquePension").enabled = !objetsOnly;
    w.entry(L"MnuRubriqueCours").enabled = !objetsOnly;
    w.entry(L"MnuRubriqueColonne").enabled = !objetsOnly;
    for (const wchar_t* name : {L"mnuAfficheTvaItem", L"MnuTvaCoursItem", L"MnuTvaColonne"})
        w.entry(name).enabled = h.hasTva;
    w.entry(L"mnuConvertirEuroItem").enabled = h.unitCode != 2;
    w.entry(L"mnuAutreUniteItem").enabled = h.unitCode == 1 || h.unitCode == 2;
}
