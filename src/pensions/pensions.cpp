// Traites and pensions.
#include "app/mainform.h"

// Inserting the traites and pensions that have fallen due comes with the
// pensions screen; until then an account opens with its lines as they are.
void MainForm::TestPension() {}
