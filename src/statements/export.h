// An account given out for other programs: a CSV table for a spreadsheet set
// to French conventions, and a plain-text journal that hledger and ledger read.
// Pure functions: stored lines in, the bytes of the file out.
#pragma once
#include <string>
#include <vector>

#include "account/account.h"

// What a file is written as, from its name's extension.
enum class ExportKind { Unknown, Csv, Journal };

// ".csv" gives Csv, ".journal" and ".ledger" Journal, whatever their case;
// any other extension, or none, Unknown.
ExportKind exportKindOf(const std::wstring& path);

// The bytes of an exported file and the number of operations written in it.
struct ExportedFile {
    std::string bytes;
    long operations = 0;
};

// The header row of the CSV table.
inline const std::wstring kCsvHeader = L"Date;Etat;Code;Rubrique;Objet;Montant;TVA;Numéro";

// The CSV table of the given stored lines, in their order: UTF-8 with a
// byte-order mark, CR LF line ends, ";" between cells, dates JJ/MM/AAAA,
// amounts with a decimal comma; a cell holding ";" or a quote is quoted.
// A line that cannot be read as an operation is left out.
ExportedFile exportCsv(const std::vector<std::wstring>& lines, const AccountHeader& header);

// The account's name in a journal: the file name without its extension.
std::wstring journalAccountName(const std::wstring& path);

// The journal of an account's operation lines (in stored order), its
// operations posted to "actif:NAME" (cash ones to "actif:NAME:espèces") and
// balanced by "revenus:RUBRIQUE" or "dépenses:RUBRIQUE", so that the journal's
// balance of "actif:NAME" is the account's balance by the balance rule and
// that of the cash sub-account its cash balance. See export.cpp for the
// lines left out and the opening balance.
ExportedFile exportJournal(const std::vector<std::wstring>& lines, const AccountHeader& header,
                           const std::wstring& accountName);
