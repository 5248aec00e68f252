// The main window: all the program's state, and the procedures that act on it.
// Procedures are defined in the .cpp files of their subsystem's folder.
#pragma once
#include <optional>
#include <span>
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
#include "statements/import.h"

class MainForm;

// A row of a subsystem's menu table: an entry's name and the command it runs,
// a member without arguments or a function given the form and the entry's
// index (the file entries mnuOuvrirSousMenu). Every subsystem answers its
// entries through such a table.
struct MenuAction {
    using Command = void (MainForm::*)();
    using CommandAt = void (*)(MainForm& form, int index);
    MenuAction(const wchar_t* entry, Command command) : entry(entry), command(command) {}
    MenuAction(const wchar_t* entry, CommandAt commandAt) : entry(entry), commandAt(commandAt) {}
    const wchar_t* entry;
    Command command = nullptr;
    CommandAt commandAt = nullptr;
};

class MainForm {
public:
    // Every slot of the file list starts untitled.
    explicit MainForm(Platform& platform);

    // What the front-end provides: message boxes, dialogs, printer, clock, speech.
    Platform& platform;
    // The window's controls and menus, as the front-ends show them.
    WindowModel w;
    // The program's own state: yzo.INI lines, folders, modes.
    AppState app;
    // The open accounts: slots, headers, stored lines, the work operation.
    AccountsState acc;
    // The ledger display: shown lines, totals, the 20-line window, cursors.
    LedgerState led;
    // The operation dialog: its modes and the values being entered.
    EntryState ent;
    // The standard rubriques, objets and TVA rates.
    ListsState lst;
    // The cheque parameters.
    PrintState prn;
    // The notepad and the screen-reader folder search.
    ExtrasState ext;
    // The cursor and criteria searches, and the manual sum.
    SearchState srch;
    // The accounting report being built.
    ComptaState cpt;
    // The bank statement being imported.
    StatementsState imp;

    // --- Events from a front-end (app/events.cpp) -------------------------
    // Start-up: runs the launch sequence; an end asked during it stops there.
    void Form_Load(const std::wstring& commandLine);
    // A key pressed in a control, sent to that control's handler.
    void KeyDown(const std::wstring& control, const KeyEvent& key);
    // A typed character in the list or a dialog text box, sent to its handler.
    void KeyPress(const std::wstring& control, wchar_t ch);
    // A key pressed where the focus is, with the character it types (0: none):
    // the whole key protocol, which every front-end follows (see KeyResult).
    KeyResult PressKey(const KeyEvent& key, wchar_t ch);
    // What a control does with a key its handlers left alone: the ledger's
    // caret, the lists' selection, the check list's Space.
    KeyResult controlOwnKey(Control& c, const KeyEvent& key, const std::vector<bool>& checksBefore);
    // A click on one of the four buttons, sent to its action.
    void Click(const std::wstring& button);
    // A menu command (index: the entry of a numbered submenu), asked of each subsystem in turn.
    void MenuCommand(const std::wstring& name, int index = 0);
    // Its errors are reported "sur Click", as a button's are.
    void ListClick(const std::wstring& list);  // the selection changed
    void ItemCheck(int item);                  // an item of ListeRec was ticked or unticked
    // Its errors are reported "sur Change".
    void TextChanged(const std::wstring& control);  // the user changed a text box's text
    // The close box: returns true when the window may close.
    // Its errors are reported "sur QueryUnload".
    bool QueryClose();
    // Whether the program has ended.
    bool ended() const { return app.ended; }

    // --- Application shell (app/) ---------------------------------------
    // Shows text in the spoken status label; the same text twice gets two blanks more, to be said again.
    void message(const std::wstring& text);
    // Ends any dialog or screen and comes back to the ledger in normal mode.
    void InitYzo();
    // Normal mode: the four buttons get their ledger captions.
    void InitModeNormal();
    // Notes the operation under the caret as the slot's cursor, so that a new display finds it.
    void keepCaretOperation();
    // The title names the account (or the notepad file); the recent-files submenu is rebuilt.
    void AfficheStatus();
    // Changes the window title, telling the front-end only when it differs.
    void setTitle(const std::wstring& title);
    void endProgram();  // ends at once (throws ProgramEnd)
    // Error message box of a procedure: number, description, "sur " + procedure.
    void reportError(const std::exception& error, const std::wstring& procedure);
    // A chosen file that is not a regular file (a named pipe, a device, a
    // folder) is refused with an error box, before anything reads it: true then.
    bool refuseIrregularFile(const std::wstring& path, const std::wstring& procedure);
    // A question in a message box; returns the button chosen.
    MsgResult ask(const std::wstring& text, MsgButtons buttons, int defaultButton = 1);
    // A message box with OK.
    void msgBox(const std::wstring& text);
    // An input box; returns what was typed (empty on cancel).
    std::wstring inputBox(const std::wstring& prompt, const std::wstring& defaultText = L"");
    // An input box whose answer goes into a file: an answer holding the field
    // separator or a line break, or (unless it is a path, which yzo.INI keeps
    // whatever its letters) a letter Windows-1252 cannot hold, is refused with a
    // message box and asked again.
    enum class Typed { Text, Path };
    // Asks with an input box until the answer may be stored, as said above.
    std::wstring inputLineText(const std::wstring& prompt, const std::wstring& defaultText = L"",
                               Typed kind = Typed::Text);
    // Today's date, as the platform gives it.
    Date today() { return platform.Today(); }
    // The launch: program folder, lists, yzo.INI, storage folder, then the accounts to open.
    // Its errors, and those of readConfiguration and defaultStorageFolder, are reported "sur load".
    void loadSequence(const std::wstring& commandLine);
    // Installs the screen-reader files once, when the marker file verjaws.ini is there.
    void installScreenReaderFiles();
    void readConfiguration();  // yzo.INI or the defaults
    // The default value of a yzo.INI line.
    std::wstring configurationDefault(int line) const;
    // Applies yzo.INI to the menus, fonts and colours; fills the lines left empty.
    void applyConfiguration();
    // Finds the storage folder of yzo.INI, or asks whether to go on without it, or creates the default.
    void checkStorageFolder();
    void seedProgramFolder();             // the installed lists and help files the folder lacks
    std::wstring defaultStorageFolder();  // created when missing
    // The command-line argument: the report switch, or an account to open first; then opens the accounts.
    void commandLine(const std::wstring& arguments);
    // Asks for the storage folder of the accounts, creating it on Yes; notes it in yzo.INI.
    void RangeDossierStockage();
    // Enables and names the menu commands that depend on the account's type, TVA and unit.
    void configuration();
    // Whether a yes/no line of yzo.INI is on.
    bool option(int line) const { return app.config[line] == L"1"; }
    // The fourth button: closes the notepad, cancels a dialog, or quits.
    void CmdQuitter_Click();
    // Menu commands, answered by the subsystem that owns them (true when handled).
    bool appMenu(const std::wstring& name);
    // The row of the table for the entry so named, or nullptr.
    static const MenuAction* findMenuAction(std::span<const MenuAction> table, const std::wstring& name);
    // Runs a row's command for the entry of that index.
    void runMenuAction(const MenuAction& action, int index);
    // Runs the command of the entry so named when the table has it; false when it has not.
    bool runMenuTable(std::span<const MenuAction> table, const std::wstring& name, int index = 0);
    // The options menu: storage folder, account settings and the yes/no options.
    bool optionsMenu(const std::wstring& name);
    // Changes the account's settings: title, start date of the balances, then its type.
    void modifConfiguration();
    // The account type chosen in the list; then the list of units.
    void validationCompte();
    // The unit chosen, then the TVA question: the settings are applied, amounts converted on Yes.
    void validationUnite();
    // Asks a field of the account settings again until it can be stored; empty on cancel.
    std::wstring askHeaderField(const std::wstring& prompt, const std::wstring& current);
    // The file menu: new, open, recent files, next and previous, save, close, password.
    bool accountMenu(const std::wstring& name, int index);
    // The ledger's reading and display commands.
    bool ledgerMenu(const std::wstring& name);
    // The create and modify operation commands.
    bool entryMenu(const std::wstring& name);
    // Enter validates the password box, Escape cancels it.
    void txtPasse_KeyDown(const KeyEvent& key);
    // In the criteria list or a statement's review: Enter ticks or unticks the row, Escape cancels.
    void ListeRec_KeyDown(const KeyEvent& key);
    void Cmd_KeyDown(const KeyEvent& key);  // a key on one of the four buttons
    // Asks to save every modified account, then ends; false when cancelled.
    bool quitter();

    // --- Account files (account/) ------------------------------------------
    // Reads the current slot's header (or a new account), then its lines; false while a password is asked.
    // Its errors, and those of RangeLitFichierYzo, are reported "sur LitFichierYzo".
    bool litFichierYzo(bool isNew, bool checkPassword);
    // Files the read lines into the operation and traite/pension vectors (reopen: reads the file again).
    void RangeLitFichierYzo(bool reopen);
    // Copies the current account's lines back into its slot store, and notes its balance and TVA total.
    void RangeSauveTableYzo();
    // Loads the current slot's store into the work vectors.
    void RangeTableYzo();
    // Its errors are reported "sur RangeFichierYzo".
    bool rangefichierYzo();  // false when nothing was written
    // Says so and returns true when the current slot's lines were never read.
    bool refuseUnreadAccount();
    // Copies the account file to its backup before a save; says so when it cannot.
    void sauvebak();
    // Asks whether to save a modified account; false when cancelled or the save failed.
    bool sauvegarde();
    // The path of a slot's account (its yzo.INI line).
    std::wstring& slotPath(int slot) { return app.config[slot]; }
    // The path of the current account.
    std::wstring& currentPath() { return app.config[acc.currentDoc]; }
    // Inserts a path at a position of the file list, moving the following ones down.
    void insert_nomdoc(int position, const std::wstring& name);
    // Removes a position of the file list, moving the following ones up.
    void efface_nomdoc(int position);
    // Puts a path at the current slot's place in the file list, once.
    void range_ini(const std::wstring& name);
    // Opens the accounts of the file list from slot first on, as many as yzo.INI says.
    void ReprendreDisque(int first);
    // The save command: the account (or the notepad), under a name asked when untitled.
    void enregistrer();
    bool enregistrersous();  // false when the user cancelled
    // Sets up an empty untitled account in the current slot.
    void setUpUntitledAccount();
    // The start date of a new account: today, or the earliest of the accounts before it.
    Date newAccountDate() const;
    // In key-help mode, says label and returns true; otherwise false.
    bool describeKey(const std::wstring& label);
    // Says so and returns true when the path is already open.
    bool dejaOuvert(const std::wstring& path);
    // Stores the current account and its cursor before another slot is shown.
    void leaveSlot();
    // Empties a slot: lines, header, signature and display state.
    void clearSlot(int slot);
    // Moves a slot's account and display state to another slot.
    void moveSlot(int from, int to);
    // The new account command: asks, then creates it.
    void mnuNouveau();
    // Creates a new untitled account in a free or unused slot.
    void NouveauFichier();
    // The open untitled account's slot, 0 when none is open.
    int untitledSlot() const;
    // Whether the slot's account holds no line and no change.
    bool untouchedSlot(int slot) const;
    // A new untitled account in the current slot, shown.
    void setUpNewAccount();
    // The open command: a file dialog, then the account opens in a new slot.
    void mnuOuvrir();
    // Opens the account of an entry of the recent-files submenu.
    // A file that is not a regular file is refused "sur mnuOuvrir", as in the open dialog.
    void mnuOuvrirSousMenu(int entry);
    // Reads the current slot's file; previousSlot is where to come back when its password is cancelled.
    void openInCurrentSlot(int previousSlot);
    // Opens an account in a new slot after the open ones.
    void openInNewSlot(const std::wstring& path);
    // After an account is read: traites and pensions due, cursor at the start, shown.
    void finishOpening();
    // Shows the next open account (after the last, the first).
    void DocSuivant();
    // Shows the previous open account (before the first, the last).
    void DocPrecedent();
    // Shows another open account and says its name.
    void switchTo(int slot);
    // Closes the current account, asking to save it first.
    void fermer();
    // Clears the recent files that are not open.
    void effaceListeFichier();
    // Writes yzo.INI (after a backup copy), unless it could not be read.
    // Its errors are reported "sur quitter", the command that writes it.
    void writeIni();
    // The current slot's entry of the file list becomes name (save under another name).
    bool renameCurrentEntry(const std::wstring& name);
    // A chosen name the naming rule cuts is said and asked about first; false on No.
    bool acceptCutName(std::wstring& name);
    std::vector<std::wstring> pendingFileLines;  // the file being read, line by line
    FileSignature pendingFileSignature;          // what that file held
    // A file that could not be opened goes first among the recent files.
    void keepInRecentFiles(const std::wstring& path);
    // Traites and pensions (pensions/)
    // Copies every traite and pension due by today into the operations, moving each forward.
    // Its errors are reported "sur testPension".
    void TestPension();
    // Inserts the traite or pension under the caret into the operations now.
    void InsertPension();
    // The position of the operation inserted, or 0 when the item cannot move
    // forward; searchFrom as for AjoutOperation.
    // Its errors are reported "sur RangePension".
    long rangePension(long index, long searchFrom = 1);
    // The insert traite/pension command.
    bool pensionsMenu(const std::wstring& name);
    // Password (account/password.cpp)
    // Shows the password box, for opening, creating, changing or removing a password.
    void DialMotDePasse();
    // The typed password: checked, asked again, or stored, as the dialog requires.
    void validationPasse();
    // Gives up the password dialog; at opening, the account is not opened.
    void annuleMotDePasse();
    // The create password command.
    void creationPasse();
    // The remove password command.
    void suppressionPasse();
    // The change password command: the old password is asked first.
    void modifPasse();
    // Whether the password box is shown.
    bool passwordDialogShown() const { return w.txtPasse.visible; }
    // Closes the password dialog and shows the ledger again.
    void endPasswordDialog();
    // While a password is asked, every menu command but quitting is switched
    // off; afterwards each comes back as it was.
    void lockMenusForPassword();
    // The menu commands come back as they were before the password dialog.
    void unlockMenusAfterPassword();
    // The right password at opening: the account is read and shown.
    void passwordAccepted();

    // --- Ledger view (ledger/) --------------------------------------------
    // How lines are formatted for the current account and options.
    FormatSettings formatSettings() const;
    // The current slot's display mode.
    DisplayMode& displayMode() { return led.displayMode[acc.currentDoc]; }
    // The current slot's cursor: the display line to put the caret on.
    long& cursorIndex() { return led.cursorIndex[acc.currentDoc]; }
    // Builds the display of the current mode: lines, totals, balance line; puts the caret on the cursor.
    void AfficheYzo();
    // Adds the parsed operation to the totals of the display; false when it is not counted.
    bool DepenseRecetteSolde(double& amount, long shownBefore);
    // The same for an operation read in place: adds it to the totals of the display.
    bool addToTotals(const OperationView& op, double& amount, long shownBefore);
    // Writes the texts of the balance, other-unit and TVA lines from the totals.
    void Ligne_solde();
    // The name of a display mode as said in the balance line.
    std::wstring ligne_modeaffichage(DisplayMode mode) const;
    // The balance line of the last display, with the other unit and the TVA when shown.
    std::wstring balanceScreenLine() const;
    // The blank operation (today, debit or receipt): becomes the work operation.
    void init_vierge();
    // Says the balance of the last display, with its mode and unit.
    void parler_solde();
    // An amount as said, "moins" in place of the minus sign.
    std::wstring parler_moins(double amount) const;
    // Fills the text box with the 20 screen lines from the window's start.
    void InitTableINdex();
    // The display line under the caret.
    long IndexAbsolu();
    // The cursor becomes the display line under the caret, kept within the display.
    void NumeroAffiche();
    // Whether index is a line of the display.
    bool TestNumeroAffiche(long index) const;
    // Puts the caret on display line n, moving the window when needed, and says the line.
    void SurNumero(long n);
    // Puts the caret at the start of line m of the text box and says that line.
    void SurNumeroTxt(long m);
    // The text box line of a character position.
    long NumeroTxt(long position) const;
    // The position (from 1) of the start of the caret's line.
    long Debutligne() const;
    // The position (from 1) of the end of the caret's line.
    long FinLigne() const;
    // The text box line that holds a position (from 1).
    std::wstring extraitLigne(long position) const;
    // The column (from 1) of the caret in its line.
    long WhereX() const;
    // A key in the ledger: reading, moving, selecting and editing commands.
    void txt_KeyDown(const KeyEvent& key);
    void ledgerKey(const KeyEvent& key);  // txt_KeyDown, then "aucune fonction" in key-help mode
    // Up or Down in the ledger; with Shift, selects the line first.
    void arrowKey(const KeyEvent& key);
    // The balance of the shown lines 1..index, as the last display counted them.
    double soldeAuCurseur(long index) const;
    // Shows lines of text in the ledger text box (display mode 9).
    void AfficheTexte(const std::vector<std::wstring>& lines);
    void InformationCompte();          // "informations sur le compte"
    void OperationsNonEnregistrees();  // display mode 3
    void TraitesEtPensions();          // display mode 1
    // The 20-line window (ledger/caret.cpp).
    // Up in the ledger: on the window's first line, a first press marks the edge, a second pages back.
    void FlecheHaut();
    // Down in the ledger: on the window's last line, a first press marks the edge, a second turns a page.
    void FlecheBas();
    // A command that needs an operation under the caret found none: beeps
    // and says the ledger line that is there (the title or a balance).
    void sayNotAnOperation();
    // The window shows the previous 20 lines, the caret on the last.
    void Indexprecedent();
    // The window shows the next 20 lines, the caret on the first.
    void Indexsuivant();
    // The window goes back to the first lines.
    void AppelDebutIndex();
    // The window shows the last lines, the caret on the last.
    void AppelFinIndex();
    // The caret goes to the first operation dated today or later.
    void retourMicro();
    // Says the caret's column and line (in the ledger or the notepad).
    void CoordonneesCurseur();
    // Readers of the operation under the caret (ledger/readers.cpp).
    // Says the current column's field of the operation under the cursor.
    void ParlerColonne();
    // Says the date of the operation under the caret.
    void dateCours();
    // Says the flag (enregistré or repéré) of the operation under the caret.
    void EnregistrerCours();
    // Says the rubrique of the operation under the caret.
    void RubriqueCours();
    // Says the objet of the operation under the caret.
    void ObjetCours();
    // Says the amount of the operation under the caret.
    void MontantCours();
    // Says the TVA of the operation under the caret.
    void TvaCours();
    // Says the numéro (cheque, or months of a traite) of the operation under the caret.
    void AppelNumeroCours();
    // Shows the dates of the display as one column.
    void DateColonne();
    // Shows the flags of the display as one column.
    void EnregistrerColonne();
    // Shows the rubriques of the display as one column.
    void RubriqueColonne();
    // Shows the objets of the display as one column.
    void ObjetColonne();
    // Shows the amounts of the display as one column.
    void MontantColonne();
    // Shows the TVA amounts of the display as one column.
    void TvaColonne();
    // Shows the numéros of the display as one column.
    void NumeroColonne();
    // Says the balance of the display.
    void SoldeCours();
    // Says the balance without the cash operations.
    void SoldeSansEspece();
    // Says the balance of the cash operations.
    void SoldeEspece();
    // Says the last cheque number.
    void DernierNumero();
    // Marks the operation under the caret as not enregistré, or back (asking first).
    void EnregistrerOperation();
    // Marks or unmarks the operation under the caret as repérée.
    void RepererOperation();

    // --- Currency units (currency/) ----------------------------------------
    // Says the amount under the caret in the other unit (francs or euros).
    void MontantCoursAutreUnite();
    // Says the balance of the display in the other unit.
    void MessageSoldeAutreUnite();
    // Switches the other-unit column of the display on or off.
    void mnuAutreUnite();
    // Converts the account from francs to euros, after asking.
    void mnuConvertirEuro();
    // Convert every amount of the current account; header is the record that
    // takes the new unit and balances.
    void convertir_euro(AccountHeader& header);
    // The same from euros to francs.
    void convertir_franc(AccountHeader& header);
    // The other-unit and convert commands.
    bool currencyMenu(const std::wstring& name);

    // --- Operation entry (entry/) -----------------------------------------
    // A key in the dialog list: Delete erases the item, letters search, Down at the end beeps.
    void Liste_KeyDown(const KeyEvent& key);
    // Nothing: the dialog text box acts on typed characters.
    void txtDial_KeyDown(const KeyEvent& key);
    // Nothing: the date box acts on typed characters.
    void txtDate_KeyDown(const KeyEvent& key);
    void CmdYzo_Click();  // the validate action, of the password dialog too
    // The second button: creates an operation, a rubrique or an objet, by its caption.
    void CmdCreation_Click();
    // The third button: changes a column, a cheque value, prints a cheque or opens a rubrique's objets.
    void CmdModifLigne_Click();
    // Field of the line under the caret, for the readers (entry/fields.cpp):
    // true when the caret is on an operation, which is then parsed into the work operation.
    bool InitNumeroCours(int column);
    // The last cheque number of the account: the latest numéro made of digits only.
    std::wstring dernierNUMERO() const;
    // Dialog steps (entry/dialog.cpp)
    // Starts the dialog that creates an operation (a traite or pension in display mode 1).
    void CreationOperation();
    // Starts the dialog that changes the field of the current column of the operation under the caret.
    void ModifOperation();
    // Opens the step of the operation dialog that asks the given column (kColumnFlag..kColumnNumero; any
    // other step asks the date, under the prompt).
    void dial_yzo(int step, const std::wstring& prompt = L"");
    // The objet step: its list when the rubrique has one, else a text box.
    void openObjetStep();
    // Enter in the dialog text box: the objet or numéro typed is taken.
    void validationDial();
    // The flag step: a list of the two flag choices.
    void dial_valider();
    // The flag chosen in the list.
    void validationValider();
    bool validateListModes();  // rows of the validate action that test a list mode
    // Selects the first list item that starts with the letters typed.
    void Positioninitiale();
    // Backspace in a list: drops the last letter typed and searches again.
    void BakSpaceinitiale();
    // A character in the dialog list: Escape, Backspace or Enter.
    void Liste_KeyPress(wchar_t ch);
    // Escape cancels the dialog text box, Enter validates it.
    void txtDial_KeyPress(wchar_t ch);
    // Escape cancels the date box, Enter validates it.
    void txtDate_KeyPress(wchar_t ch);
    // Clears every dialog mode and list change flag.
    void clearDialogModes();
    // Debug builds stop at once when the dialog modes are set in a combination
    // that DialogModes does not allow; other builds do nothing.
    void checkDialogFlags() const;
    void entryButtons();  // "OK" and "Annuler" only
    // Shows the ledger text box and gives it the keyboard.
    void showLedger();
    // Whether a cursor or criteria search is asking its values.
    bool searchRunning() const;
    // Field rules (entry/validation.cpp)
    // Enter in the date box: the date typed is taken, or refused as invalid.
    void validationdate();
    // Asks a date in an input box until it is valid; ent.accepted when one was given.
    void DialDate(const std::wstring& prompt);
    // The rubrique chosen in the list becomes the work operation's, with its code.
    void validationRubrique();
    // Finds the objet list of the account or rubrique; true when there is one.
    bool Test_NomObjet();
    // The objet step as a text box.
    void dial_objet();
    // Asks an amount until it reads well; value and the status to say; false on cancel.
    bool askAmount(const std::wstring& prompt, double current, bool allowMinus, double& value, std::wstring& status);
    // The amount step.
    void dial_montant();
    // The TVA step: the list of standard rates, or another amount.
    void dial_Tva();
    // The TVA rate or amount chosen in the list.
    void validationTva();
    // Asks another TVA amount; false on cancel.
    bool EntreeMontantTva();
    // The numéro step (or the end of the dialog when no numéro is asked).
    void dial_numero();
    // The number after the last cheque number.
    std::wstring FUTURNUMERO();
    // Sets the current column from the caret's place on display line index; false between two columns.
    bool positionNom_rub(long index);
    // Stored lines (entry/operations.cpp)
    // searchFrom: the first line that may come after the work operation.
    long AjoutOperation(long searchFrom = 1);
    // Inserts the work operation, formatted, at a position of the operation lines.
    void insertionYzo(long position);
    // Removes an operation line.
    void supprimeYzo(long index);
    // Inserts the work operation among the traites and pensions, at the place of its date.
    void AjoutPension();
    // Inserts the work operation, formatted, at a position of the traite/pension lines.
    void insertionPension(long position);
    // Removes a traite/pension line.
    void supprimePension(long index);
    // Erases the operation under the caret, after asking.
    void effacementYzo();
    void storeOperation();      // a finished new operation, at its place
    void replaceCurrentLine();  // the line under the cursor becomes the work operation
    void moveCurrentLine();     // the same, moved to the place of its date
    // The stored line of the cursor's display line, 0 when none.
    long cursorSourceIndex() const;
    // Marks the current account as modified.
    void markModified();
    // A changed column is done: the line under the cursor takes it; the account is modified.
    void finishColumnModification();
    // Reference lists (lists/)
    // Reads the standard rubriques of operations and of traites/pensions.
    void LitRubrique();
    // The rubrique step: the list of standard rubriques of the mode.
    void AfficheRubrique();
    // The objet step as a list: another objet, then the standard objets.
    void AfficheObjet();
    // The objet chosen in the list (or typed) becomes the work operation's.
    void validationObjet();
    // Insertion and removal of standard rubriques (lists/lists.cpp)
    // Adds the work operation's rubrique to the operation rubriques, in order.
    void AjoutRubriqueOperation();
    // Inserts the work operation's rubrique and code at a position of the operation rubriques.
    void insertionRubriqueOperation(long position);
    // Adds the work operation's rubrique to the traite/pension rubriques, in order.
    void AjoutRubriquePension();
    // Inserts the work operation's rubrique and code at a position of the traite/pension rubriques.
    void insertionRubriquePension(long position);
    // Removes an operation rubrique.
    void supprimeRubriqueOperation(long index);
    // Removes a traite/pension rubrique.
    void supprimeRubriquePension(long index);
    // Adds the work operation's objet to the objet list shown, in order.
    void AjoutObjet();
    // Adds a TVA rate to the list shown, in order.
    void Ajouttva(const std::wstring& rate);
    // Erases the rubrique selected on a rubrique screen, after asking.
    // Its errors are reported "sur EffacementRubrique".
    void effacementRubrique();
    // Erases the objet selected on an objet screen, after asking.
    void effacementObjet();
    // Erases the TVA rate selected, after asking.
    void effacementtva();
    // Writes the rubriques of the screen shown to their file (askFirst: after a question).
    void SauveRubrique(bool askFirst);
    // Writes the objets of the list shown to their file.
    void SauveObjet();
    // Writes the TVA rates of the list shown to their file, after asking.
    // Its errors are reported "sur Sauvetva".
    void SauveTva();
    // The lines of a list file; a failed read is reported "sur " + procedure.
    std::vector<std::wstring> readListChecked(const std::wstring& path, const std::wstring& procedure);
    // The list screens (lists/screens.cpp)
    // The commands that show the standard rubriques, objets and TVA rates.
    bool listsMenu(const std::wstring& name);
    // The screen of the standard rubriques of operations.
    void mnuAfficheRubriqueOperation();
    // The screen of the standard rubriques of traites and pensions.
    void mnuAfficheRubriquePension();
    // The screen of the account's standard objets.
    void mnuAfficheObjet();
    // The screen of the standard TVA rates.
    void mnuAfficheTvaItem();
    // Fills the list with the operation rubriques.
    void AfficheRubriqueOperation();
    // Fills the list with the traite/pension rubriques.
    void AfficheRubriquePension();
    // Asks a new operation rubrique's name, then its type.
    void CreationRubriqueOperation();
    // Asks a new traite/pension rubrique's name, then its type.
    void CreationRubriquePension();
    // The type chosen for a new rubrique: it is added to its list.
    void validationRubriqueType();
    // Opens the objet screen of the operation rubrique selected (saving changed rubriques first).
    void validationRubriqueOperation();
    // Opens the objet screen of the traite/pension rubrique selected (saving changed rubriques first).
    void validationRubriquePension();
    // Fills the list with the objets of a rubrique or of the standard file, for editing.
    void AfficheObjetModif();
    // Asks a new objet and adds it to the list shown.
    void CreationObjet();
    // On the TVA screen, the first row asks a new rate and adds it.
    void validationEcranTva();
    bool rubriqueScreenShown() const;  // a rubrique screen showing its rubriques
    // Whether an objet screen is shown.
    bool objetScreenShown() const;
    // A text typed in an input box for a list: asked again after each refusal; empty on cancel.
    std::wstring askListText(const std::wstring& prompt, bool rubrique);

    // --- Printing and cheques (print/) ---------------------------------------
    // The print commands.
    bool printMenu(const std::wstring& name);
    // The table of the display lines; with the report flag it is never narrowed.
    std::wstring FormeTableAffiche(bool report);
    // Shows a text to be printed in the ledger text box.
    void VisuImprimer(const std::wstring& text);
    // A portrait print job in the printer font of yzo.INI.
    void InitPortrait(PrintJob& job);
    // Sends the text and a form feed to the printer; false when it failed.
    bool printText(PrintJob& job, const std::wstring& text);
    // Prints the display as a table.
    void mnuImprimer();
    // Shows the display's table as it would print.
    void mnuVisuImprimer();
    // Opens the printer dialog.
    void mnuParametreImprimer();
    // Writes the display's table to a text file chosen by the user.
    void mnuMiseFichier();
    // Writes the account to a CSV table (the lines of the display) or a
    // journal (every operation), as the name chosen says (statements/).
    void mnuExportCompte();
    // The stored lines the display shows, in its order; every operation line
    // when a text is shown in place of the ledger.
    std::vector<std::wstring> displayedLines() const;
    // Loads the labels of the cheque parameters.
    void InitTableLibelleCheque();
    // Chooses (or creates) the cheque parameter file, then shows its values for editing.
    void mnuParametreCheque();
    // Fills the list with the cheque parameters and their values.
    void AfficheListeCheque();
    // Asks a new value for the cheque parameter selected.
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
    // Shows the cheque of the debit under the caret, after asking the payee and the place, ready to print.
    void AfficheCheque();
    bool ImprimeCheque();  // false when the printer failed

    // --- Accounting report (compta/) ------------------------------------------
    // The four accounting report commands.
    bool comptaMenu(const std::wstring& name);
    // The four menu commands: the report viewed or printed, detailed or simple.
    void comptabilite(const std::wstring& menuEntry, bool detailed, bool print);
    // Builds the report from the command file; false when nothing was built.
    bool LitFichierCompta();
    // A file that is not a regular file is refused "sur LitFichierCompta", the reading that follows.
    bool askCommandFile();  // false when cancelled
    bool askDateRange();    // false when cancelled
    // Carries out one line of the report's command file.
    void traiteCommande(const std::wstring& line);
    // Sums one account named by a NOM_COMPTE line into the report.
    void cumul(const NomCompte& name);
    // The folders where the names of the command file are looked for.
    ComptaFolders comptaFolders() const;
    // How an account named by the command file was found: yes, missing, or unreadable.
    enum class Trouve { Oui, Absent, Illisible };
    // Finds the account: an open one (outside a run from the command line) or
    // its file. lines[1..] are its stored lines; path is the file found.
    Trouve fichier(const NomCompte& name, AccountHeader& header, std::vector<std::wstring>& lines, std::wstring& path);
    // The open slot that holds the file at path, 0 when none.
    int openSlotOf(const std::wstring& path) const;
    // The stored lines of an open slot, from index 1 (the traites and pensions first).
    std::vector<std::wstring> slotLines(int slot) const;
    void miseFichierCompta();  // the ".prn" file, shown on the information screen
    // Prints the report.
    void imprimeCompta();
    // What is wrong in a report: spoken in the window; from the command line,
    // said on standard error and the run fails.
    void comptaWarning(const std::wstring& text);
    // The accounting report from the command line ("/C"): no window, no question.
    // Its errors are reported "sur AppelCompta".
    void AppelComptabilite(const std::wstring& argument);

    // --- Search (search/) -------------------------------------------------
    // The search, selection, copy, erase and manual-sum commands.
    bool searchMenu(const std::wstring& name);
    // Cursor search (search/search.cpp)
    // The forward search: asks the value of the current column, then searches after the cursor.
    void mnuRechercherCurseurItem();
    // The backward search: asks the value of the current column, then searches before the cursor.
    void AppelRechercherArriere();
    // Asks the value searched for in the caret's column, from the operation there; false when none.
    bool EntreeRecherche();
    // Finds the next display line that matches the search, or says "introuvable".
    void RechercherAvant();
    // Finds the previous display line that matches the search, or says "introuvable".
    void RechercherArriere();
    void foundLine(long k);  // the cursor goes on display line k, which is said
    // Searches the same value again, backwards.
    void mnuRechercherPrecedentItem();
    // Searches the same value again, forwards.
    void mnuRechercherSuivantItem();
    // Asks the numéro (or mensualité) searched for.
    void dial_numero_recherche();
    // A flag, rubrique or objet dialog of a search was validated: the work
    // operation becomes the criterion and the pending search goes on.
    void suiteRecherche(int field);
    // Criteria search (search/criteria.cpp)
    // The criteria search: the list of fields to tick.
    void CritereRecherche();
    // The criteria ticked: their values are asked in turn.
    void validationRecherche();
    // After the flag criterion, asks the next ones.
    void SuiteRechercheValider();
    // After the rubrique criterion, asks the next ones.
    void SuiteRechercheRubrique();
    // After the objet criterion, asks the next ones.
    void SuiteRechercheObjet();
    // Asks the values of the selected rows from row on, then shows the results.
    void askCriteria(int row);
    // Shows the operations that pass the criteria (display mode 4).
    void showSearchResults();
    // Whether the work operation passes the criteria of the running search.
    bool RechercheAfficheListe();
    // The title line of a criteria search display: the dates and criteria.
    std::wstring searchHeaderLine();
    // Says "sélectionné" when a criterion is ticked (in a statement's review, the row's new state).
    void ListeRec_ItemCheck(int item);
    // Says "sélectionné" when the criterion reached is ticked.
    void ListeRec_Click();
    // Selection, copy, erase, bulk delete, manual sum (search/selection.cpp)
    // Selects the operation under the caret and says its objet.
    void SelectionOperation();
    // Unselects the operation under the caret and says its objet.
    void DeselectionOperation();
    // Selects every line of the display.
    void MnuSelectionToutItem();
    // Unselects every line of the display.
    void MnuDeSelectionToutItem();
    // Copy of the selected operations: the list of the other open accounts.
    void MnuCopieSelectionItem();
    // Copies the selected operations, at the place of their dates, into the open account chosen.
    void validationCopie();
    // Inserts one copied line into target, a slot store of count lines.
    void rangeCopie(const std::wstring& line, std::vector<LineEntry>& target, long& count, int targetType);
    // Erases the selected operations, after asking.
    void MnuEffaceSelectionItem();
    // Erases the operations between two dates asked, after asking.
    void mnuEffaceBlocOperation();
    // Adds the amount of the operation under the caret to the manual sum.
    void somme();
    // Says the manual sum.
    void TotalCours();
    // Resets the manual sum to zero.
    void RemiseZero();
    // The display line's selection mark, on the line and on its stored line.
    void setSelectionMark(long index, bool selected);

    // --- Bank statements (statements/review.cpp) ------------------------------
    // The import command.
    bool statementsMenu(const std::wstring& name);
    // Imports a bank statement: the file asked, read, then shown for review.
    // Its errors are reported "sur mnuImportReleve".
    void mnuImportReleve();
    // Reads the file chosen, as its content says; nothing but a word when it cannot be read.
    void readStatementFile(const std::wstring& path);
    // The QIF file read, its date order asked when its dates do not decide it; nothing on cancel.
    std::optional<Statement> readQifAsking(std::string_view bytes);
    // The CSV file read with its remembered layout, or its columns asked first.
    void readCsvAsking(std::string_view bytes);
    // Asks the next column of a CSV file in the list, the reader's guess
    // selected; after the last, reads the file and remembers its layout.
    void askCsvColumn();
    // A list question of the import: its title, its items, the row selected.
    void showImportChoice(const std::wstring& title, const std::vector<std::wstring>& items, int selected);
    // A statement read: its account asked when it holds several, then its review.
    void importStatement(const Statement& statement);
    // Enter or OK on a list question of the import: the account or the column chosen.
    void validationImportChoice();
    // The layouts remembered in the program's folder, one line each.
    std::vector<std::wstring> readCsvLayouts();
    // Remembers a layout for its header line.
    void rememberCsvLayout(const CsvTable& table, const CsvLayout& layout);
    // Builds the review of the statement's lines against the account and shows it in ListeRec.
    void showImportReview(const StatementAccount& account);
    // The text of review row k (1-based) as it stands ticked or not.
    std::wstring importRow(int row) const;
    // A row ticked or unticked: its new text, and what it means said.
    void importItemCheck(int item);
    // OK on the review: the ticked lines imported or flagged, the ledger shown, the outcome said.
    void validationImport();
    // The account's balance at a date as the bank should see it, in cents: on a
    // bank-code account its last bank line up to then plus registeredNow (the
    // operations the import registered), on the others every operation up to then.
    long long registeredBalanceAt(Date date, long long registeredNow) const;
    // The bank line takes the statement's balance and date (a new one when the account has none).
    void setBankLine(long long cents, Date date);

    // --- Screen colours and fonts (app/colours.cpp) ----------------------
    // Adds the names of the colours to the list.
    void ListeCouleur();
    // Shows the list of colours under a title.
    void showColourList(const std::wstring& title);
    // The screen colours command: the foreground colour is asked first.
    void mnuCouleurEcran();
    // The foreground colour chosen; the background colour is asked.
    void ValidationCouleurPremierPlan();
    // The background colour chosen: both are applied and noted in yzo.INI, unless the same.
    void ValidationCouleurArrierePlan();
    // Says the font of a yzo.INI line pair (name, size) and changes it through the font dialog on Yes.
    void chooseFont(int nameLine, FontKind kind, const std::wstring& shownAs, const std::wstring& question);
    // Switches the cheque printing between landscape and portrait.
    void mnuOrientationImprimanteCheque();
    // The colour, font and cheque orientation commands.
    bool displayOptionsMenu(const std::wstring& name);

    // --- Notepad, help, screen-reader files (extras/) ---------------------
    // Opens a text file in the notepad.
    void blocnote();
    // A key in the notepad: Escape leaves it; a key that changes the text marks it modified.
    void RtbNote_KeyDown(const KeyEvent& key);
    // Leaves the notepad, asking to save a modified text.
    void SauveBlocNote();
    // Copies the notepad file to its backup; false when it cannot.
    bool sauvebakBlocNote();
    // Writes the notepad text to its file; false when it failed.
    bool RangeBlocNote();
    bool saveNotepad();    // the save command while the notepad is shown
    bool saveNotepadAs();  // the same, under another name
    // The text of a notepad file (empty when there is none); nothing, after
    // the error is told, when the file cannot be read whole.
    // Its errors are reported "sur blocnote", the command that opens the notepad.
    std::optional<std::wstring> readNotepadFile(const std::wstring& path);
    // The quit's question about a modified notepad: false when the quit stops
    // (Cancel, or a save that failed).
    bool askNotepadSave();
    // Switches key-help mode, where each key and command says what it does.
    void mnuAideTouche();
    // The buttons of a text view: only "Annuler".
    void textViewButtons();
    // Shows a help file of the program folder in the ledger text box.
    void AfficheAide(const std::wstring& fileName);
    // Shows the about text.
    void mnuApropos();
    // The help and notepad commands.
    bool helpMenu(const std::wstring& name);
    // Copies the screen-reader script files of the program folder to a folder asked.
    void jaws(const std::wstring& baseName);
    // Looks for the screen reader's scripts folder under the user folders.
    std::wstring findScreenReaderFolder();
    // Looks for a folder named name under start; found says whether it was.
    void rechercherDossier(const std::wstring& start, const std::wstring& name, bool& found);
    // Searches folder's subfolders for name, depth first; beeps every 1000 folders.
    void recherche_dir(const std::wstring& folder, const std::wstring& name, int& counter, bool& found);
};

// The palette index of a row of the colour list (0 for any other row).
int RangCouleur(int row);
