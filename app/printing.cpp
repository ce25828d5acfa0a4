// Printing commands: one item, all items, preview, the edit-file print tool.
#include "main1.h"

void TForm1::Print1Click() {}
void TForm1::A2Click() {}
void TForm1::FileE1Click() {}
void TForm1::PrintPreview1Click() {}
