// The main window: all the program's state, and the procedures that act on it.
// Procedures are defined in the .cpp files of their subsystem's folder.
#pragma once
#include <string>
#include <vector>

#include "account/account.h"
#include "app/app.h"
#include "app/platform.h"
#include "app/window.h"
#include "entry/entry.h"
#include "ledger/ledger.h"
#include "lists/lists.h"

class MainForm {
public:
    explicit MainForm(Platform& platform);

    Platform& platform;
    WindowModel w;
    AppState app;
    AccountsState acc;
    LedgerState led;
    EntryState ent;
    ListsState lst;

    // --- Events from a front-end (app/events.cpp) -------------------------
    void Form_Load(const std::wstring& commandLine);
    void KeyDown(const std::wstring& control, const KeyEvent& key);
    void KeyPress(const std::wstring& control, wchar_t ch);
    void Click(const std::wstring& button);
    void MenuCommand(const std::wstring& name, int index = 0);
    void ListClick(const std::wstring& list);             // the selection changed
    void ItemCheck(int item);                             // an item of ListeRec was ticked or unticked
    void TextChanged(const std::wstring& control);        // the user changed a text box's text
    // The close box: returns true when the window may close.
    bool QueryClose();
    bool ended() const { return app.ended; }

    // --- Application shell (app/) ---------------------------------------
    void message(std::wstring& text);
    void message(const std::wstring& text);
    void InitYzo();
    void InitModeNormal();
    void keepCaretOperation();
    void AfficheStatus();
    void setTitle(const std::wstring& title);
    void endProgram();                      // ends at once (throws ProgramEnd)
    // Error message box of a procedure: number, description, "sur " + procedure.
    void reportError(const std::exception& error, const std::wstring& procedure);
    MsgResult ask(const std::wstring& text, MsgButtons buttons, int defaultButton = 1);
    void msgBox(const std::wstring& text);
    std::wstring inputBox(const std::wstring& prompt, const std::wstring& defaultText = L"");
    // An input box whose answer goes into a file: an answer holding the field
    // separator or a line break is refused with a message box and asked again.
    std::wstring inputLineText(const std::wstring& prompt, const std::wstring& defaultText = L"");
    Date today() { return platform.Today(); }
    void loadSequence(const std::wstring& commandLine);
    void readConfiguration();               // yzo.INI or the defaults
    void applyConfiguration();
    void checkStorageFolder();
    void commandLine(const std::wstring& arguments);
    void RangeDossierStockage();
    // The accounting report from a command file ("/C" on the command line).
    void AppelComptabilite(const std::wstring& argument);
    void configuration();
    bool option(int line) const { return app.config[line] == L"1"; }
    void CmdQuitter_Click();
    // Menu commands, answered by the subsystem that owns them (true when handled).
    bool appMenu(const std::wstring& name);
    bool optionsMenu(const std::wstring& name);
    void modifConfiguration();
    void validationCompte();
    bool accountMenu(const std::wstring& name, int index);
    bool ledgerMenu(const std::wstring& name);
    bool entryMenu(const std::wstring& name);
    void txtPasse_KeyDown(const KeyEvent& key);
    void ListeRec_KeyDown(const KeyEvent& key);
    // Asks to save every modified account, then ends; false when cancelled.
    bool quitter();

    // --- Account files (account/) ------------------------------------------
    bool litFichierYzo(bool isNew, bool checkPassword);
    void RangeLitFichierYzo(bool reopen);
    void RangeSauveTableYzo();
    void RangeTableYzo();
    bool rangefichierYzo();   // false when nothing was written
    // Says so and returns true when the current slot's lines were never read.
    bool refuseUnreadAccount();
    void sauvebak();
    bool sauvegarde();
    std::wstring& slotPath(int slot) { return app.config[slot]; }
    std::wstring& currentPath() { return app.config[acc.currentDoc]; }
    void insert_nomdoc(int position, const std::wstring& name);
    void efface_nomdoc(int position);
    void range_ini(const std::wstring& name);
    void ReprendreDisque(int first);
    void enregistrer();
    bool enregistrersous();   // false when the user cancelled
    void setUpUntitledAccount();
    Date newAccountDate() const;
    bool describeKey(const std::wstring& label);
    bool dejaOuvert(const std::wstring& path);
    void leaveSlot();
    void clearSlot(int slot);
    void moveSlot(int from, int to);
    void mnuNouveau();
    void NouveauFichier();
    void mnuOuvrir();
    void mnuOuvrirSousMenu(int entry);
    void openInCurrentSlot(int previousSlot);
    void openInNewSlot(const std::wstring& path);
    void finishOpening();
    void DocSuivant();
    void DocPrecedent();
    void switchTo(int slot);
    void fermer();
    void effaceListeFichier();
    void writeIni();
    // The current slot's entry of the file list becomes name (save under another name).
    bool renameCurrentEntry(const std::wstring& name);
    std::vector<std::wstring> pendingFileLines;   // the file being read, line by line
    // Traites and pensions due (pensions/)
    void TestPension();
    // Password (account/password.cpp)
    void DialMotDePasse();
    void validationPasse();
    void annuleMotDePasse();
    void creationPasse();
    void suppressionPasse();
    void modifPasse();
    bool passwordDialogShown() const { return w.txtPasse.visible; }
    void endPasswordDialog();
    // While a password is asked, every menu command but quitting is switched
    // off; afterwards each comes back as it was.
    void lockMenusForPassword();
    void unlockMenusAfterPassword();
    void passwordAccepted();

    // --- Ledger view (ledger/) --------------------------------------------
    FormatSettings formatSettings() const;
    int& displayMode() { return led.displayMode[acc.currentDoc]; }
    long& cursorIndex() { return led.cursorIndex[acc.currentDoc]; }
    void AfficheYzo();
    bool DepenseRecetteSolde(double& amount, long shownBefore);
    void Ligne_solde();
    std::wstring ligne_modeaffichage(int mode) const;
    void init_vierge();
    void parler_solde();
    std::wstring parler_moins(double amount) const;
    void InitTableINdex();
    long IndexAbsolu();
    void NumeroAffiche();
    bool TestNumeroAffiche(long index) const;
    void SurNumero(long n);
    void SurNumeroTxt(long m);
    long NumeroTxt(long position) const;
    long Debutligne() const;
    long FinLigne() const;
    std::wstring extraitLigne(long position) const;
    long WhereX() const;
    void txt_KeyDown(const KeyEvent& key);
    // The balance of the shown lines 1..index, as the last display counted them.
    double soldeAuCurseur(long index) const;
    // Shows lines of text in the ledger text box (display mode 9).
    void AfficheTexte(const std::vector<std::wstring>& lines);
    void InformationCompte();               // "informations sur le compte"
    void OperationsNonEnregistrees();       // display mode 3
    void TraitesEtPensions();               // display mode 1
    // The 20-line window (ledger/caret.cpp).
    void FlecheHaut();
    void FlecheBas();
    void Indexprecedent();
    void Indexsuivant();
    void AppelDebutIndex();
    void AppelFinIndex();
    void retourMicro();
    void CoordonneesCurseur();
    // Readers of the operation under the caret (ledger/readers.cpp).
    void ParlerColonne();
    void dateCours();
    void EnregistrerCours();
    void RubriqueCours();
    void ObjetCours();
    void MontantCours();
    void TvaCours();
    void AppelNumeroCours();
    void DateColonne();
    void EnregistrerColonne();
    void RubriqueColonne();
    void ObjetColonne();
    void MontantColonne();
    void TvaColonne();
    void NumeroColonne();
    void SoldeCours();
    void SoldeSansEspece();
    void SoldeEspece();
    void DernierNumero();
    void EnregistrerOperation();
    void RepererOperation();

    // --- Operation entry (entry/) -----------------------------------------
    void Liste_KeyDown(const KeyEvent& key);
    void txtDial_KeyDown(const KeyEvent& key);
    void txtDate_KeyDown(const KeyEvent& key);
    void CmdYzo_Click();          // the validate action
    void CmdCreation_Click();
    void CmdModifLigne_Click();
    // Field of the line under the caret, for the readers (entry/fields.cpp):
    // true when the caret is on an operation, which is then parsed into the work operation.
    bool InitNumeroCours(int column);
    // The last cheque number of the account: the latest numéro made of digits only.
    std::wstring dernierNUMERO() const;
    // Dialog steps (entry/dialog.cpp)
    void CreationOperation();
    void ModifOperation();
    void dial_yzo(int step, const std::wstring& prompt = L"");
    void openObjetStep();
    void validationDial();
    void dial_valider();
    void validationValider();
    bool validateListModes();     // rows of the validate action that test a list mode
    void Positioninitiale();
    void BakSpaceinitiale();
    void Liste_KeyPress(wchar_t ch);
    void txtDial_KeyPress(wchar_t ch);
    void txtDate_KeyPress(wchar_t ch);
    void clearDialogModes();
    void entryButtons();          // "OK" and "Annuler" only
    void showLedger();
    bool searchRunning() const;
    // Field rules (entry/validation.cpp)
    void validationdate();
    void DialDate(const std::wstring& prompt);
    void validationRubrique();
    bool Test_NomObjet();
    void dial_objet();
    bool askAmount(const std::wstring& prompt, double current, bool allowMinus, double& value,
                   std::wstring& status);
    void dial_montant();
    void dial_Tva();
    void validationTva();
    bool EntreeMontantTva();
    void dial_numero();
    std::wstring FUTURNUMERO();
    bool positionNom_rub(long index);
    // Stored lines (entry/operations.cpp)
    void AjoutOperation();
    void insertionYzo(long position);
    void supprimeYzo(long index);
    void AjoutPension();
    void insertionPension(long position);
    void supprimePension(long index);
    void effacementYzo();
    void storeOperation();        // a finished new operation, at its place
    void replaceCurrentLine();    // the line under the cursor becomes the work operation
    void moveCurrentLine();       // the same, moved to the place of its date
    long cursorSourceIndex() const;
    void markModified();
    void finishColumnModification();
    // Reference lists (lists/)
    void LitRubrique();
    void AfficheRubrique();
    void AfficheObjet();
    void validationObjet();

    // --- Search (search/) -------------------------------------------------
    // Whether the work operation passes the criteria of the running search.
    bool RechercheAfficheListe();
    std::wstring searchHeaderLine();
};
