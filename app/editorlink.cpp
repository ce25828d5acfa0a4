// Opening the standard-finish editor from the main window.
#include "main1.h"

void TForm1::E1Click() {}
