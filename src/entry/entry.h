// State of the entry dialogs.
#pragma once
#include <string>

#include "account/account.h"

// The dialog modes: the validate action tests the first one that is set.
//
// Which may be set together (compatible() says whether they are):
//   rubriqueTypeChoice   only with exactly one of rubriqueScreenOpe and
//                        rubriqueScreenPen: the type of a rubrique being
//                        created on that screen, which it goes back to
//   every other mode     alone: each dialog clears the mode of the one it
//                        follows (InitYzo clears them all)
struct DialogModes {
    bool flagChoice = false;  // state-flag list
    bool rubriqueChoice = false;
    bool objetStep = false;  // objet list or objet box
    bool tvaChoice = false;
    bool copyList = false;
    bool criteriaList = false;
    bool importList = false;    // the review of a bank statement being imported
    bool importChoice = false;  // a question of that import: its account or a CSV column
    bool chequeParameter = false;
    bool chequePreview = false;
    bool accountTypeChoice = false;
    bool unitChoice = false;
    bool rubriqueTypeChoice = false;
    bool rubriqueScreenOpe = false;
    bool rubriqueScreenPen = false;
    bool objetScreenStandard = false;
    bool objetScreenOpe = false;
    bool objetScreenPen = false;
    bool tvaScreen = false;

    // How many modes are set.
    long setCount() const;
    // True when the modes set are a combination the table above allows.
    bool compatible() const;
};

struct EntryState {
    Operation blank;        // template of a new operation
    Date creationDate = 0;  // date offered for the next creation
    bool creationInProgress = false;
    bool columnModification = false;
    bool accepted = false;    // the step took its value at once
    bool numberStep = false;  // txtDial asks for the numéro
    std::wstring typeAhead;
    DialogModes modes;
    AccountHeader config;  // the account configuration being changed
};
