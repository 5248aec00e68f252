// A Windows button clicks as soon as its mnemonic or Enter goes down: there
// is no release to wait for.
#include "buttonclick.h"

void clickWhenActivated(wxWindow*) {}
void clickAcceptWhenActivated(wxWindow*) {}
void clickMessageBoxButtonsWhenActivated() {}
