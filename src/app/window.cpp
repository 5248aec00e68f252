#include "app/window.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {
Control makeControl(const wchar_t* name, ControlKind kind, const wchar_t* accessibleName, bool visible) {
    Control c;
    c.name = name;
    c.kind = kind;
    c.accessibleName = accessibleName;
    c.visible = visible;
    c.enabled = visible;
    return c;
}

struct EntrySpec {
    const wchar_t* name;
    const wchar_t* caption;
    int key;
    bool shift;
    bool ctrl;
};

void addMenu(WindowModel& w, const wchar_t* name, const wchar_t* caption, std::initializer_list<EntrySpec> entries) {
    w.menuBar.push_back({name, caption});
    for (const auto& e : entries) {
        MenuEntry m;
        m.menu = name;
        m.name = e.name;
        m.caption = e.caption;
        m.shortcut = {e.key, e.shift, e.ctrl};
        w.menus.push_back(m);
    }
}
}  // namespace

WindowModel::WindowModel() {
    txt = makeControl(L"txt", ControlKind::MultiLineTextBox, L"Opérations", true);
    // The two labels are named by their text, which a name would hide.
    LblMessage = makeControl(L"LblMessage", ControlKind::Label, L"", true);
    LblDial = makeControl(L"LblDial", ControlKind::Label, L"", false);
    txtDial = makeControl(L"txtDial", ControlKind::TextBox, L"Réponse", false);
    txtDate = makeControl(L"txtDate", ControlKind::TextBox, L"Date", false);
    txtPasse = makeControl(L"txtPasse", ControlKind::TextBox, L"Mot de passe", false);
    Liste = makeControl(L"Liste", ControlKind::ListBox, L"Liste", false);
    ListeRec = makeControl(L"ListeRec", ControlKind::CheckListBox, L"Critères", false);
    RtbNote = makeControl(L"RtbNote", ControlKind::MultiLineTextBox, L"Bloc note", false);
    CmdYzo = makeControl(L"CmdYzo", ControlKind::Button, L"", true);
    CmdCreation = makeControl(L"CmdCreation", ControlKind::Button, L"", true);
    CmdModifLigne = makeControl(L"CmdModifLigne", ControlKind::Button, L"", true);
    CmdQuitter = makeControl(L"CmdQuitter", ControlKind::Button, L"", true);
    CmdYzo.text = kCaptionChequePreview;
    CmdCreation.text = kCaptionCreate;
    CmdModifLigne.text = kCaptionModifyLine;
    CmdQuitter.text = kCaptionQuit;

    // The 15 file entries stand first in "Fichier"; their captions come at run time.
    for (int i = 1; i <= 15; ++i) {
        MenuEntry m;
        m.menu = L"mnuFichier";
        m.name = L"mnuOuvrirSousMenu";
        m.index = i;
        m.visible = false;
        menus.push_back(m);
    }
    const int F = kKeyF1 - 1;  // F + n is the key Fn
    addMenu(*this, L"mnuFichier", L"&Fichier",
            {
                {L"mnuNouveauItem", L"&Nouveau...", 'N', false, true},
                {L"mnuOuvrirItem", L"&Ouvrir...", 'O', false, true},
                {L"mnuImportReleve", L"Importer un relevé bancaire…", 'I', true, true},
                {L"mnuFichierPrecedentItem", L"Fichier précédent", F + 6, true, false},
                {L"mnuFichierSuivantItem", L"Fichier suivant", F + 6, false, false},
                {L"mnuEnregistrer", L"Enregistrer", 'S', false, true},
                {L"mnuEnregistrerSous", L"&Enregistrer sous... Controle Maj S", 0, false, false},
                {L"mnuFermerItem", L"&Fermer", F + 4, false, true},
                {L"mnuImprimer", L"Im&primer l'affichage", 'P', false, true},
                {L"mnuVisuImprimer", L"&Visualisation de l'impression", 'I', false, true},
                {L"mnuParametreImprimer", L"Choix de l'imprimante", 0, false, false},
                {L"mnuMiseFichier", L"&Mise sur fichier de l'affichage", 'F', false, true},
                {L"mnuExportCompte", L"Exporter le compte...", 0, false, false},
                {L"mnuQuitterItem", L"&Quitter : alt Q", 0, false, false},
            });
    addMenu(
        *this, L"mnuEdition", L"&Edition",
        {
            {L"mnuEnregistrerOperation", L"Activer/Inactiver l'opération : / ou Maj Espace", 0, false, false},
            {L"mnuRepererOperationItem", L"Repèrer l'opération : *", 0, false, false},
            {L"mnuCreationOperationItem", L"Création d'une opération : alt C", 0, false, false},
            {L"mnumodifColonne", L"modification d'une colonne : Alt L", 0, false, false},
            {L"mnuInsertPension", L"Insérer traite, pension dans comptabilité: espace", 0, false, false},
            {L"mnuEffaceBlocOperation", L"Effacement des opérations entre 2 dates", 0, false, false},
            {L"mnuAfficheTvaItem", L"T V A standards", 0, false, false},
            {L"mnuAfficheRubriqueOperation", L"Rubriques et objets standards des opérations", 0, false, false},
            {L"mnuAfficheRubriquePension", L"Rubriques et objets standards des traites et pensions", 0, false, false},
            {L"mnuAfficheObjet", L"Objets standards du mode recette ou dépense", 0, false, false},
            {L"mnuBlocNote", L"Bloc note : Maj Ctrl B", 0, false, false},
        });
    addMenu(
        *this, L"mnuAffichage", L"&Affichage",
        {
            {L"MnuInformationItem", L"informations sur le compte", F + 9, false, false},
            {L"MnuDateCoursItem", L"Date en cours : D", 0, false, false},
            {L"MnuEnregistrerCours", L"Enregistrer en cours : E", 0, false, false},
            {L"MnuRubriqueCours", L"Rubrique en cours : R", 0, false, false},
            {L"MnuObjetCoursItem", L"Objet en cours : O", 0, false, false},
            {L"MnuMontantCoursItem", L"Montant en cours : M", 0, false, false},
            {L"MnuMontantCoursAutreUniteItem", L"Montant en cours dans l'autre unité : Maj Ctrl M", 0, false, false},
            {L"MnuTvaCoursItem", L"T V A en cours : T", 0, false, false},
            {L"MnuNumeroCoursItem", L"Numéro en cours : N", 0, false, false},
            {L"MnuDateColonne", L"Date en colonne : Maj D", 0, false, false},
            {L"MnuEnregistrerColonne", L"Enregistrement en colonne : Maj E", 0, false, false},
            {L"MnuRubriqueColonne", L"Rubrique en colonne : Maj R", 0, false, false},
            {L"MnuObjetColonne", L"Objet en colonne : Maj O", 0, false, false},
            {L"MnuMontantColonne", L"Montant en colonne : Maj M", 0, false, false},
            {L"MnuTvaColonne", L"T V A en colonne : Maj T", 0, false, false},
            {L"MnuNumeroColonne", L"Numéro en colonne : Maj N", 0, false, false},
            {L"MnuNonenregistrer", L"Opérations non enregistrées", F + 5, false, false},
            {L"MnuPension", L"traites et pensions", 'T', false, true},
            {L"MnuSoldeCoursItem", L"Solde suivant le mode d'affichage : S", 0, false, false},
            {L"MnuSoldeAutreUniteItem", L"Solde suivant le mode d'affichage dans l'autre unité : U", 0, false, false},
            {L"MnuSoldeEspeceItem", L"Solde des espèces(numéro = 'ES')", 'E', false, true},
            {L"MnuSoldeSansEspeceItem", L"Solde sans les espèces : Maj Ctrl E", 0, false, false},
            {L"MnuDernierNumeroItem", L"Dernier numéro de chèque", F + 8, false, false},
            {L"MnuRetourMicroItem", L"Opérations du jour en cours", F + 7, false, false},
            {L"mnuXYItem", L"Coordonnées du curseur", 'G', false, true},
        });
    addMenu(*this, L"mnuRecherche", L"&Recherche",
            {
                {L"mnuRechercherCurseurItem", L"Rechercher depuis le curseur", F + 3, false, false},
                {L"MnuCritereRechercheItem", L"Recherche sur plusieurs champs", 'R', false, true},
                {L"mnuRechercherArriereItem", L"Rechercher depuis le curseur en arrière : Maj Ctrl R", 0, false, false},
                {L"mnuRechercherPrecedentItem", L"Recherche précédente", F + 3, true, false},
                {L"mnuRechercherSuivantItem", L"Recherche suivante", F + 3, false, true},
            });
    addMenu(*this, L"mnuSelections", L"&Sélection",
            {
                {L"MnuSelectionItem", L"sélection d'une opération : Maj Flêche", 0, false, false},
                {L"MnuSelectionToutItem", L"sélection de tout l'affichage", 'A', false, true},
                {L"MnuDeSelectionItem", L"désélection d'une opération : Ctrl-Espace", 0, false, false},
                {L"MnuDeSelectionToutItem", L"désélection de tout l'affichage", 'Z', false, true},
                {L"MnuCopieSelectionItem", L"copie des opérations sélectionnées", F + 6, true, true},
                {L"MnuEffaceSelectionItem", L"effacement des opérations sélectionnées", F + 5, true, false},
            });
    // The selection's shortcuts act on the ledger's lines.
    for (auto& m : menus)
        if (m.menu == L"mnuSelections") m.ledgerOnly = true;
    addMenu(*this, L"mnuGroupes", L"&Groupe",
            {
                {L"MnuComptaDetailItem", L"Visualisation de la comptabilité détaillée", 0, false, false},
                {L"MnuComptaSimpleItem", L"Visualisation de la comptabilité sans les opérations", 0, false, false},
                {L"MnuImprimeComptaDetail", L"Impression de la comptabilité détaillée", 0, false, false},
                {L"MnuImprimeComptaSimple", L"Impression de la comptabilité sans les opérations", 0, false, false},
                {L"MnuSommeItem", L"Mise  dans la somme manuelle  d'une opération : Maj-Entrée", 0, false, false},
                {L"MnuRemiseZeroItem", L"Remise à zéro de la somme manuelle : Z", 0, false, false},
                {L"MnuTotalCoursItem", L"Somme manuelle  en cours : Espace", 0, false, false},
            });
    addMenu(
        *this, L"mnuOptions", L"&Options",
        {
            {L"mnuDossierStockage", L"Dossier de stockage des comptes par defaut : ", 0, false, false},
            {L"mnuModifConfiguration", L"Modification de la configuration", F + 9, true, true},
            {L"mnuEnTableau", L"Affichage en tableau/compactée", 0, false, false},
            {L"mnuCreationPasse", L"Création d'un mot de passe", 0, false, false},
            {L"mnuSuppressionPasse", L"Suppression du mot de passe", 0, false, false},
            {L"mnuModifPasse", L"Modification du mot de passe", 0, false, false},
            {L"mnuEntreeDebutSolde", L"Entrée de la date du début du calcul des soldes", 0, false, false},
            {L"mnuNomJour", L"Nom du jour pour les dates", 0, false, false},
            {L"mnuNomMois", L"Nom du mois pour les dates", 0, false, false},
            {L"mnuDeuxFichiersItem", L"Nombre de fichier à ouvrir au lancement", 0, false, false},
            {L"mnuAutreUniteItem", L"affichage du solde avec l'autre unité", 0, false, false},
            {L"mnuIncrementationNumero", L"Incrémentation du numero uniquement sur rubrique chèque", 0, false, false},
            {L"mnuNumeroSurCheque", L"Entrée du numéro que sur la rubrique chèque", 0, false, false},
            {L"mnuEffaceListeFichier", L"Réinitialisation de la liste des fichiers avec sanstitre", 0, false, false},
            {L"mnuConvertirEuroItem", L"Convertir le compte en euro", 0, false, false},
            {L"mnuCouleurEcran", L"Choix de la couleur de l'écran", 0, false, false},
            {L"mnuPoliceEcranItem", L"Choix de la police de l'écran", 0, false, false},
            {L"mnuPoliceImprimante", L"Choix de la police de l'imprimante", 0, false, false},
            {L"mnuPoliceImprimanteCheque", L"Choix de la police de l'imprimante pour un chèquier", 0, false, false},
            {L"mnuOrientationImprimanteCheque", L"Orientation en mode Paysage pour chèque", 0, false, false},
            {L"mnuParametreCheque", L"Parametre du chéquier", 0, false, false},
        });
    addMenu(*this, L"mnuAide", L"&?",
            {
                {L"mnuAideToucheItem", L"&Aide mémoire des touches", F + 1, false, false},
                {L"mnuaideListeToucheItem", L"Liste des touches", 0, false, false},
                {L"mnuAideTxtItem", L"&Guide", 0, false, false},
                {L"mnuApropos", L"A &propos", 0, false, false},
                {L"mnuAideComptaItem", L"exemple de fichier de commande pour la comptabilité", 0, false, false},
                {L"mnuScriptOrca", L"Installer le script Orca", 0, false, false},
            });
}

Control* WindowModel::control(const std::wstring& name) {
    for (Control* c : controls())
        if (c->name == name) return c;
    return nullptr;
}

std::vector<Control*> WindowModel::controls() {
    return {&txt,      &LblMessage, &LblDial, &txtDial,     &txtDate,       &txtPasse,  &Liste,
            &ListeRec, &RtbNote,    &CmdYzo,  &CmdCreation, &CmdModifLigne, &CmdQuitter};
}

MenuEntry* WindowModel::menu(const std::wstring& name, int index) {
    for (auto& m : menus)
        if (m.name == name && m.index == index) return &m;
    return nullptr;
}

bool WindowModel::focusInTypingBox() {
    const Control* c = control(focus);
    return c && c->isTextBox() && c != &txt;
}

MenuEntry* WindowModel::menuForKey(const KeyEvent& key) {
    bool typing = focusInTypingBox();
    if (typing && isTextEditingKey(key)) return nullptr;
    for (auto& m : menus)
        if (m.visible && m.enabled && m.shortcut.matches(key) && !(typing && m.ledgerOnly)) return &m;
    return nullptr;
}

bool isTextEditingKey(const KeyEvent& key) {
    switch (key.code) {
    case kKeyHome:
    case kKeyEnd:
    case kKeyLeft:
    case kKeyRight:
    case kKeyUp:
    case kKeyDown:
    case kKeyBackspace:
    case kKeyDelete: return true;
    default: break;
    }
    if (!key.ctrl) return false;
    for (char letter : {'A', 'Z', 'C', 'X', 'V'})
        if (key.code == keyLetter(letter)) return true;
    return false;
}

bool isCaretKey(int code) {
    switch (code) {
    case kKeyUp:
    case kKeyDown:
    case kKeyLeft:
    case kKeyRight:
    case kKeyHome:
    case kKeyEnd:
    case kKeyPageUp:
    case kKeyPageDown: return true;
    default: return false;
    }
}

bool isCopyKey(const KeyEvent& key) {
    return key.ctrl && !key.shift && (key.code == keyLetter('C') || key.code == kKeyInsert);
}

bool leavesTextAsItIs(const KeyEvent& key) {
    if (isCaretKey(key.code) || key.code == kKeyShift || key.code == kKeyCtrl) return true;
    return key.ctrl && (key.code == keyLetter('A') || key.code == keyLetter('C'));
}

wchar_t characterOfKey(int code, wchar_t typed) {
    switch (code) {
    case kKeyEnter: return L'\r';
    case kKeyEscape: return L'\x1b';
    case kKeyBackspace: return L'\b';
    case kKeySpace: return L' ';
    case kKeyTab: return 0;
    default: return typed >= 32 && typed != 127 ? typed : 0;
    }
}

int keyCodeOfCharacter(wchar_t ch) {
    if (ch >= L'a' && ch <= L'z') return keyLetter(static_cast<char>(ch - L'a' + L'A'));
    if (ch >= L'A' && ch <= L'Z') return keyLetter(static_cast<char>(ch));
    if (ch >= L'0' && ch <= L'9') return kKey0 + (ch - L'0');
    // Punctuation: the key of a French keyboard that carries the mark.
    static const std::pair<const wchar_t*, int> keys[] = {
        {L":/", kKeyOem191}, {L"*\u00b5", kKeyOem220}, {L",?", 188},
        {L";.", 190},        {L"!\u00a7", 223},        {L"\u00f9%`", 192},
        {L"^\u00a8]", 221},  {L"$\u00a3", 186},        {L")\u00b0[", 219},
        {L"=+", 187},        {L"\u00b2'", 222},        {L"<>", 226},
        {L"-", 189},
    };
    for (const auto& [marks, code] : keys)
        if (std::wstring_view(marks).find(ch) != std::wstring_view::npos) return code;
    return 0;
}

void caretLineColumn(const std::wstring& text, long caret, long& line, long& column) {
    if (caret > static_cast<long>(text.size())) caret = static_cast<long>(text.size());
    line = 1;
    long start = 0;
    for (long i = 0; i < caret; ++i) {
        if (text[i] == L'\n') {
            ++line;
            start = i + 1;
        }
    }
    column = caret - start + 1;
}

namespace {
// Start and end (exclusive, before CR) of each line.
void lineBounds(const std::wstring& text, std::vector<long>& starts, std::vector<long>& ends) {
    long start = 0;
    for (long i = 0; i < static_cast<long>(text.size()); ++i) {
        if (text[i] == L'\n') {
            starts.push_back(start);
            ends.push_back(i > start && text[i - 1] == L'\r' ? i - 1 : i);
            start = i + 1;
        }
    }
    starts.push_back(start);
    ends.push_back(static_cast<long>(text.size()));
}
}  // namespace

long textLineCount(const std::wstring& text) {
    std::vector<long> s, e;
    lineBounds(text, s, e);
    return static_cast<long>(s.size());
}

std::wstring textLine(const std::wstring& text, long line) {
    std::vector<long> s, e;
    lineBounds(text, s, e);
    if (line < 1 || line > static_cast<long>(s.size())) return L"";
    return text.substr(s[line - 1], e[line - 1] - s[line - 1]);
}

long caretFromLineColumn(const std::wstring& text, long line, long column) {
    std::vector<long> s, e;
    lineBounds(text, s, e);
    if (line < 1) line = 1;
    if (line > static_cast<long>(s.size())) line = static_cast<long>(s.size());
    long pos = s[line - 1] + (column < 1 ? 0 : column - 1);
    return pos > e[line - 1] ? e[line - 1] : pos;
}

long moveCaretInTextBox(const std::wstring& text, long caret, const KeyEvent& key) {
    long line, column;
    caretLineColumn(text, caret, line, column);
    long count = textLineCount(text);
    switch (key.code) {
    case kKeyUp: return line > 1 ? caretFromLineColumn(text, line - 1, column) : caret;
    case kKeyDown: return line < count ? caretFromLineColumn(text, line + 1, column) : caret;
    case kKeyLeft:
        return caret > 0 ? (caret >= 2 && text[caret - 1] == L'\n' && text[caret - 2] == L'\r' ? caret - 2 : caret - 1)
                         : 0;
    case kKeyRight:
        if (caret >= static_cast<long>(text.size())) return caret;
        return text[caret] == L'\r' && caret + 1 < static_cast<long>(text.size()) && text[caret + 1] == L'\n'
                   ? caret + 2
                   : caret + 1;
    case kKeyHome: return key.ctrl ? 0 : caretFromLineColumn(text, line, 1);
    case kKeyEnd: return key.ctrl ? static_cast<long>(text.size()) : caretFromLineColumn(text, line, 1L << 30);
    case kKeyPageUp: return caretFromLineColumn(text, 1, column);
    case kKeyPageDown: return caretFromLineColumn(text, count, column);
    default: return caret;
    }
}

int moveListSelection(int selected, int count, const KeyEvent& key) {
    if (count <= 0) return selected;
    // Item 0 is the list's title: no key moves onto it, unless the list has
    // nothing else.
    const int first = count > 1 ? 1 : 0;
    switch (key.code) {
    case kKeyUp: return selected <= first ? first : selected - 1;
    case kKeyDown: return selected < first ? first : std::min(selected + 1, count - 1);
    case kKeyHome: return first;
    case kKeyEnd: return count - 1;
    case kKeyPageUp: return std::max(first, selected - 10);
    case kKeyPageDown: return std::min(count - 1, std::max(first, selected) + 10);
    default: return selected;
    }
}
