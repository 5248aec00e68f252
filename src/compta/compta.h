// The accounting report: a command file names accounts whose balances are
// summed, asks for partial and grand totals, and every other line of it is
// copied into the report. The report is viewed (a ".prn" file shown on the
// information screen), printed, or written from the command line with no window.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "account/account.h"
#include "account/balance.h"
#include "ledger/format.h"

// --- The command file (command.cpp) -----------------------------------------

enum CodeCommande { kTexte = 0, kNomCompte = 1, kSoldePartiel = 2, kSoldeTotal = 3 };

// One line of the command file, classified.
struct Commande {
    int code = kTexte;
    std::wstring texte;             // after a keyword: the text after its colon, case and blanks kept
    bool manqueDeuxPoints = false;  // a keyword stood in a line with no colon
};

// The keywords NOM_COMPTE, SOLDE_PARTIEL and SOLDE_TOTAL are looked for in
// this order, anywhere and in any case. A keyword found in a text holding a
// colon counts, and the text becomes what follows the first colon, in which the
// next keywords are looked for; a keyword in a text with no colon does not count.
Commande test_commande(const std::wstring& line);

// One account name of a NOM_COMPTE line: the name as the user wrote it
// (trimmed), and the files it may stand for, in the order they are looked for.
struct NomCompte {
    std::wstring written;
    std::vector<std::wstring> candidates;  // none for an empty name
};

// The folders a name without a folder is looked for in, each ending with a
// separator: the storage folder (the rule's folder of every name but the
// last), the program's folder (the rule's folder of the last name), and the
// command file's own folder.
struct ComptaFolders {
    std::wstring storage;
    std::wstring program;
    std::wstring commandFile;
};

// The account names of a NOM_COMPTE line: the names between the "+", trimmed,
// their file names upper-cased. A name that is a full path (it holds a colon
// or starts with a separator) stands for that file alone. Any other name is
// looked for first where the rule places it (the storage folder, the program's
// folder for the last one), then in the storage folder, then in the command
// file's folder; a folder already named is not named again. An empty name
// stands for no file.
std::vector<NomCompte> extrait_fichier(const std::wstring& names, const ComptaFolders& folders);

// The first of the name's files that exists (found whatever the case of its
// letters); nothing when none does.
std::optional<std::wstring> findAccountFile(const NomCompte& name);

// The file a name stands for: the folder's entry whose name is the same
// letters in any case (the file itself when its name matches exactly).
// Nothing when no regular file answers.
std::optional<std::wstring> resolveAccountFile(const std::wstring& path);

// What the command line of a report holds: the command file, and whether the
// report is simple ("/S") rather than detailed. The switches "/C" and "/S" are
// words of their own, so that a path such as "/srv/compta.txt" is a name.
struct ArgumentsCompta {
    std::wstring commandFile;
    bool simple = false;
};
ArgumentsCompta comptaArguments(const std::wstring& commandLine);
// True when a command line asks for the accounting report: "/C" in any case,
// standing as a word of its own (the same rule as comptaArguments).
bool hasReportSwitch(const std::wstring& commandLine);

// --- Building the report (report.cpp) -------------------------------------

// The dates whose operations are summed; to = 0 means no upper bound.
struct ComptaRange {
    Date from = 0;
    Date to = 0;
};

// The balances of one account, by the ledger's balance rule.
using AccountSums = BalanceSums;

// One account as it is summed: its header, the operations listed in a
// detailed report, and its sums.
struct ComptaAccount {
    AccountHeader header;
    std::vector<std::wstring> listed;
    AccountSums sums;
};

// The report as it grows, and the sums carried from one account to the next.
struct ComptaReport {
    bool detailed = true;
    bool allDates = true;
    ComptaRange range;  // when allDates is false
    std::wstring text;  // every line ends with CR LF
    bool firstAccount = true;
    std::wstring firstUnit;
    std::wstring lastUnit;  // the unit of the account summed last
    bool unitsInconsistent = false;
    bool hasTva = false;  // an account keeping TVA has been summed
    double partialBalance = 0, partialTva = 0, totalBalance = 0, totalTva = 0;
};

// A new report: the date and time line and the centred title; the sums at 0.
void debutRapport(ComptaReport& report, Date today, long secondsSinceMidnight, const FormatSettings& settings);

// The range of an account: the report's, or from the account's start with no
// upper bound when all dates are asked.
ComptaRange rangeOf(const ComptaReport& report, const AccountHeader& header);

// One stored line of an account: outside the range it is ignored; inside, a
// detailed report lists it (traites and pensions excepted) and it is summed
// by the ledger's balance rule (addToBalance).
// Throws YzoError when the line cannot be read field by field. The line is
// kept by the account when it is listed.
void RangeOperation_compta(std::wstring line, const ComptaRange& range, bool detailed, ComptaAccount& account);

// "Fichier " + the name as written + " inconnu", and the folders it was
// looked for in.
std::wstring texteInconnu(const NomCompte& name);
// The line of an account not found or not read, in the report: texteInconnu,
// or "Fichier " + the file + " inconnu" for a file that could not be read.
void compteInconnu(ComptaReport& report, const std::wstring& text);

// Whether the account's unit differs from that of the first account summed
// (the first account sets it). Call before ajouteCompte.
bool uniteDifferente(const ComptaReport& report, const AccountHeader& header);

// The part of one account: an empty line, the units warning when its unit
// differs from the first account's, its title and a rule, its operations in
// a detailed report, its cash and cheque balances when it has cash, and its
// total; its balance goes into the partial and grand totals.
void ajouteCompte(ComptaReport& report, const ComptaAccount& account);

// A balance line, centred: "SOLDE " + label + " : " + amount and unit, and the
// TVA when asked and some account keeps it.
std::wstring imprime_solde(const ComptaReport& report, const std::wstring& label, double amount, bool withTva,
                           double tva);

// A partial or grand total line, or the units warning when the units differ.
void fin_cumul(ComptaReport& report, const std::wstring& label, double balance, double tva);

// The ".prn" file of a command file: its name up to and with its first "."
// followed by "prn".
std::wstring prnName(const std::wstring& commandFile);

// --- The state held by the main window --------------------------------------

struct ComptaState {
    std::wstring commandFile;  // the command file of the report
    ComptaReport report;
    bool batch = false;           // started from the command line: nothing is asked
    long lineCounter = 0;         // lines of the command file read
    std::wstring currentCommand;  // the line being processed (after a keyword, what follows its colon)
};

inline const std::wstring kUnitesIncoherentes = L"Les unités de votre comptabilité sont incohérentes";
inline const std::wstring kUniteDifferente = L"unité différente de votre premier compte!";
