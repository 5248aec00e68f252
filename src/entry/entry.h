// State of the entry dialogs.
#pragma once
#include <string>

#include "account/account.h"

struct EntryState {
    Operation blank;              // template of a new operation
    Date creationDate = 0;        // date offered for the next creation
    bool creationInProgress = false;
    bool columnModification = false;
    std::wstring typeAhead;
};
