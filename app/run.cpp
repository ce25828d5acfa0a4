// Calculation run, text output, the run flags and the project summary.
#include "main1.h"

void TForm1::D1Click() {}
void TForm1::T1Click() {}
void TForm1::Q1Click() { Q1->setChecked(!Q1->isChecked()); }
void TForm1::D2Click() { D2->setChecked(!D2->isChecked()); }
void TForm1::A1Click() { A1->setChecked(!A1->isChecked()); }
void TForm1::CalcYoH() {}
void TForm1::CalcSBs() {}
void TForm1::CalcUJS() {}
engine::Snapshot TForm1::TakeSnapshot() const { return {}; }
void TForm1::S4Click() {}
