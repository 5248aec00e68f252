// The main window: all the program's state, and the procedures that act on it.
// Procedures are defined in the .cpp files of their subsystem's folder.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "account/account.h"
#include "app/app.h"
#include "app/platform.h"
#include "app/window.h"
#include "compta/compta.h"
#include "entry/entry.h"
#include "extras/extras.h"
#include "ledger/ledger.h"
#include "lists/lists.h"
#include "print/print.h"
#include "search/search.h"

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
    PrintState prn;
    ExtrasState ext;
    SearchState srch;
    ComptaState cpt;

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
    // A chosen file that is not a regular file (a named pipe, a device, a
    // folder) is refused with an error box, before anything reads it: true then.
    bool refuseIrregularFile(const std::wstring& path, const std::wstring& procedure);
    MsgResult ask(const std::wstring& text, MsgButtons buttons, int defaultButton = 1);
    void msgBox(const std::wstring& text);
    std::wstring inputBox(const std::wstring& prompt, const std::wstring& defaultText = L"");
    // An input box whose answer goes into a file: an answer holding the field
    // separator or a line break, or (unless it is a path, which yzo.INI keeps
    // whatever its letters) a letter Windows-1252 cannot hold, is refused with a
    // message box and asked again.
    enum class Typed { Text, Path };
    std::wstring inputLineText(const std::wstring& prompt, const std::wstring& defaultText = L"",
                               Typed kind = Typed::Text);
    Date today() { return platform.Today(); }
    void loadSequence(const std::wstring& commandLine);
    void installScreenReaderFiles();
    void readConfiguration();               // yzo.INI or the defaults
    std::wstring configurationDefault(int line) const;
    void applyConfiguration();
    void checkStorageFolder();
    void seedProgramFolder();               // the installed lists and help files the folder lacks
    std::wstring defaultStorageFolder();    // created when missing
    void commandLine(const std::wstring& arguments);
    void RangeDossierStockage();
    void configuration();
    bool option(int line) const { return app.config[line] == L"1"; }
    void CmdQuitter_Click();
    // Menu commands, answered by the subsystem that owns them (true when handled).
    bool appMenu(const std::wstring& name);
    bool optionsMenu(const std::wstring& name);
    void modifConfiguration();
    void validationCompte();
    void validationUnite();
    std::wstring askHeaderField(const std::wstring& prompt, const std::wstring& current);
    bool accountMenu(const std::wstring& name, int index);
    bool ledgerMenu(const std::wstring& name);
    bool entryMenu(const std::wstring& name);
    void txtPasse_KeyDown(const KeyEvent& key);
    void ListeRec_KeyDown(const KeyEvent& key);
    void Cmd_KeyDown(const KeyEvent& key);   // a key on one of the four buttons
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
    // The open untitled account's slot, 0 when none is open.
    int untitledSlot() const;
    // Whether the slot's account holds no line and no change.
    bool untouchedSlot(int slot) const;
    // A new untitled account in the current slot, shown.
    void setUpNewAccount();
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
    // A chosen name the naming rule cuts is said and asked about first; false on No.
    bool acceptCutName(std::wstring& name);
    std::vector<std::wstring> pendingFileLines;   // the file being read, line by line
    FileSignature pendingFileSignature;            // what that file held
    // A file that could not be opened goes first among the recent files.
    void keepInRecentFiles(const std::wstring& path);
    // Traites and pensions (pensions/)
    void TestPension();
    void InsertPension();
    // The position of the operation inserted, or 0 when the item cannot move
    // forward; searchFrom as for AjoutOperation.
    long rangePension(long index, long searchFrom = 1);
    bool pensionsMenu(const std::wstring& name);
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
    // The same for an operation read in place: adds it to the totals of the display.
    bool addToTotals(const OperationView& op, double& amount, long shownBefore);
    void Ligne_solde();
    std::wstring ligne_modeaffichage(int mode) const;
    // The balance line of the last display, with the other unit and the TVA when shown.
    std::wstring balanceScreenLine() const;
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
    void ledgerKey(const KeyEvent& key);  // txt_KeyDown, then "aucune fonction" in key-help mode
    void arrowKey(const KeyEvent& key);
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
    // A command that needs an operation under the caret found none: beeps
    // and says the ledger line that is there (the title or a balance).
    void sayNotAnOperation();
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

    // --- Currency units (currency/) ----------------------------------------
    void MontantCoursAutreUnite();
    void MessageSoldeAutreUnite();
    void mnuAutreUnite();
    void mnuConvertirEuro();
    // Convert every amount of the current account; header is the record that
    // takes the new unit and balances.
    void convertir_euro(AccountHeader& header);
    void convertir_franc(AccountHeader& header);
    bool currencyMenu(const std::wstring& name);

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
    // searchFrom: the first line that may come after the work operation.
    long AjoutOperation(long searchFrom = 1);
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
    // Insertion and removal of standard rubriques (lists/lists.cpp)
    void AjoutRubriqueOperation();
    void insertionRubriqueOperation(long position);
    void AjoutRubriquePension();
    void insertionRubriquePension(long position);
    void supprimeRubriqueOperation(long index);
    void supprimeRubriquePension(long index);
    void AjoutObjet();
    void Ajouttva(const std::wstring& rate);
    void effacementRubrique();
    void effacementObjet();
    void effacementtva();
    void SauveRubrique(bool askFirst);
    void SauveObjet();
    void SauveTva();
    // The lines of a list file; a failed read is reported "sur " + procedure.
    std::vector<std::wstring> readListChecked(const std::wstring& path, const std::wstring& procedure);
    // The list screens (lists/screens.cpp)
    bool listsMenu(const std::wstring& name);
    void mnuAfficheRubriqueOperation();
    void mnuAfficheRubriquePension();
    void mnuAfficheObjet();
    void mnuAfficheTvaItem();
    void AfficheRubriqueOperation();
    void AfficheRubriquePension();
    void CreationRubriqueOperation();
    void CreationRubriquePension();
    void validationRubriqueType();
    void validationRubriqueOperation();
    void validationRubriquePension();
    void AfficheObjetModif();
    void CreationObjet();
    void validationEcranTva();
    bool rubriqueScreenShown() const;   // a rubrique screen showing its rubriques
    bool objetScreenShown() const;
    // A text typed in an input box for a list: asked again after each refusal; empty on cancel.
    std::wstring askListText(const std::wstring& prompt, bool rubrique);

    // --- Printing and cheques (print/) ---------------------------------------
    bool printMenu(const std::wstring& name);
    // The table of the display lines; with the report flag it is never narrowed.
    std::wstring FormeTableAffiche(bool report);
    void VisuImprimer(const std::wstring& text);
    void InitPortrait(PrintJob& job);
    // Sends the text and a form feed to the printer; false when it failed.
    bool printText(PrintJob& job, const std::wstring& text);
    void mnuImprimer();
    void mnuVisuImprimer();
    void mnuParametreImprimer();
    void mnuMiseFichier();
    void InitTableLibelleCheque();
    void mnuParametreCheque();
    void AfficheListeCheque();
    void validationCheque();
    // Writes the edited values; false when the list stays open (the file was
    // not replaced). Nothing is written when no value was changed.
    bool RangeListeCheque();
    // OK or Enter in the editing list: saves, then back to the ledger.
    void validationListeCheque();
    // True when the parameter file may be replaced: it is missing, it is a
    // usable parameter file, or the user said Yes to a question that names it.
    bool mayReplaceChequeFile(const std::wstring& path);
    // Reads the parameter file into the values; false (and a message) when it cannot be used.
    bool readChequeParameters(const std::wstring& procedure);
    void AfficheCheque();
    bool ImprimeCheque();   // false when the printer failed

    // --- Accounting report (compta/) ------------------------------------------
    bool comptaMenu(const std::wstring& name);
    // The four menu commands: the report viewed or printed, detailed or simple.
    void comptabilite(const std::wstring& menuEntry, bool detailed, bool print);
    // Builds the report from the command file; false when nothing was built.
    bool LitFichierCompta();
    bool askCommandFile();      // false when cancelled
    bool askDateRange();        // false when cancelled
    void traiteCommande(const std::wstring& line);
    // Sums one account named by a NOM_COMPTE line into the report.
    void cumul(const NomCompte& name);
    // The folders where the names of the command file are looked for.
    ComptaFolders comptaFolders() const;
    enum class Trouve { Oui, Absent, Illisible };
    // Finds the account: an open one (outside a run from the command line) or
    // its file. lines[1..] are its stored lines; path is the file found.
    Trouve fichier(const NomCompte& name, AccountHeader& header, std::vector<std::wstring>& lines,
                   std::wstring& path);
    int openSlotOf(const std::wstring& path) const;
    std::vector<std::wstring> slotLines(int slot) const;
    void miseFichierCompta();   // the ".prn" file, shown on the information screen
    void imprimeCompta();
    // What is wrong in a report: spoken in the window; from the command line,
    // said on standard error and the run fails.
    void comptaWarning(const std::wstring& text);
    // The accounting report from the command line ("/C"): no window, no question.
    void AppelComptabilite(const std::wstring& argument);

    // --- Search (search/) -------------------------------------------------
    bool searchMenu(const std::wstring& name);
    // Cursor search (search/search.cpp)
    void mnuRechercherCurseurItem();
    void AppelRechercherArriere();
    bool EntreeRecherche();
    void RechercherAvant();
    void RechercherArriere();
    bool RechercheAffiche();
    void foundLine(long k);   // the cursor goes on display line k, which is said
    void mnuRechercherPrecedentItem();
    void mnuRechercherSuivantItem();
    void dial_numero_recherche();
    // A flag, rubrique or objet dialog of a search was validated: the work
    // operation becomes the criterion and the pending search goes on.
    void suiteRecherche(int field);
    // Criteria search (search/criteria.cpp)
    void CritereRecherche();
    void validationRecherche();
    void SuiteRechercheValider();
    void SuiteRechercheRubrique();
    void SuiteRechercheObjet();
    // Asks the values of the selected rows from row on, then shows the results.
    void askCriteria(int row);
    void showSearchResults();
    // Whether the work operation passes the criteria of the running search.
    bool RechercheAfficheListe();
    std::wstring searchHeaderLine();
    void ListeRec_ItemCheck(int item);
    void ListeRec_Click();
    // Selection, copy, erase, bulk delete, manual sum (search/selection.cpp)
    void SelectionOperation();
    void DeselectionOperation();
    void MnuSelectionToutItem();
    void MnuDeSelectionToutItem();
    void MnuCopieSelectionItem();
    void validationCopie();
    // Inserts one copied line into target, a slot store of count lines.
    void rangeCopie(const std::wstring& line, std::vector<LineEntry>& target, long& count, int targetType);
    void MnuEffaceSelectionItem();
    void mnuEffaceBlocOperation();
    void somme();
    void TotalCours();
    void RemiseZero();
    // The display line's selection mark, on the line and on its stored line.
    void setSelectionMark(long index, bool selected);

    // --- Screen colours and fonts (app/colours.cpp) ----------------------
    void ListeCouleur();
    void showColourList(const std::wstring& title);
    void mnuCouleurEcran();
    void ValidationCouleurPremierPlan();
    void ValidationCouleurArrierePlan();
    void chooseFont(int nameLine, FontKind kind, const std::wstring& shownAs, const std::wstring& question);
    void mnuOrientationImprimanteCheque();
    bool displayOptionsMenu(const std::wstring& name);

    // --- Notepad, help, screen-reader files (extras/) ---------------------
    void blocnote();
    void RtbNote_KeyDown(const KeyEvent& key);
    void SauveBlocNote();
    bool sauvebakBlocNote();
    bool RangeBlocNote();
    bool saveNotepad();       // the save command while the notepad is shown
    bool saveNotepadAs();     // the same, under another name
    // The text of a notepad file (empty when there is none); nothing, after
    // the error is told, when the file cannot be read whole.
    std::optional<std::wstring> readNotepadFile(const std::wstring& path);
    // The quit's question about a modified notepad: false when the quit stops
    // (Cancel, or a save that failed).
    bool askNotepadSave();
    void mnuAideTouche();
    void textViewButtons();
    void AfficheAide(const std::wstring& fileName);
    void mnuApropos();
    bool helpMenu(const std::wstring& name);
    void jaws(const std::wstring& baseName);
    std::wstring findScreenReaderFolder();
    void rechercherDossier(const std::wstring& start, const std::wstring& name, bool& found);
    void recherche_dir(const std::wstring& folder, const std::wstring& name, int& counter, bool& found);
};

// The palette index of a row of the colour list (0 for any other row).
int RangCouleur(int row);
