// State of the search and selection commands: the cursor search, the
// criteria search and its date range, and the manual sum.
#pragma once
#include <array>

#include "account/account.h"
#include "ledger/format.h"

// Column codes a cursor search compares, and the type codes of the criteria rows.
enum SearchField {
    kFieldDate = kColumnDate,
    kFieldFlag = kColumnFlag,
    kFieldRubrique = kColumnRubrique,
    kFieldObjet = kColumnObjet,
    kFieldMontant = kColumnMontant,
    kFieldTva = kColumnTva,
    kFieldNumero = kColumnNumero
};

// Two dates, flag, rubrique, objet, montant, TVA and numéro: a type 1 or 2
// account keeping TVA shows all eight rows.
constexpr int kCriteriaRows = 8;

struct SearchState {
    Operation criterion;     // the values searched for
    int column = kNoColumn;  // column of the last cursor search
    bool forwardPending = false;
    bool backwardPending = false;
    // The criteria list: rows 1..rowCount (row 0 of the list is its title).
    std::array<int, kCriteriaRows + 1> rowType{};
    std::array<bool, kCriteriaRows + 1> rowSelected{};
    int rowCount = 0;
    Date from = 0, to = 0;  // the dates the criteria search shows, both included
    double manualSum = 0;   // shared by every account
};

// True when the criterion's text, trimmed, occurs in the operation's text
// trimmed and in upper case (an empty criterion occurs everywhere).
bool containsCriterion(const std::wstring& operationText, const std::wstring& criterionText);
// The cursor match of an operation on a column (0 or an unknown column: always).
bool matchesColumn(const Operation& op, const Operation& criterion, int column);
