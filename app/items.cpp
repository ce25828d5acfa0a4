// Take-off item and project file: ListInput, ListOutPut, ActList, project
// selection, adding, deleting and switching items.
#include "main1.h"

void TForm1::ListInput(const QString&, const QString&) {}
void TForm1::ListOutPut(const QString&, const QString&) {}
void TForm1::ActList() { ReadDefaults(); }
void TForm1::SelectProject() {}
void TForm1::F1Click() { SelectProject(); }
void TForm1::ComboBox1DropDown() {}
void TForm1::ComboBox1Change() {}
void TForm1::ComboBox2Change() {}
void TForm1::Button4Click() {}
void TForm1::Button3Click() {}
