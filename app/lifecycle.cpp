// Start-up, activation and shut-down of the main window.
#include "main1.h"

void TForm1::FormCreate() { ActList(); }

void TForm1::FormActivate() {
    if (ComboBox2->count() > 0) ActList();
    else EsttIn(QStringLiteral("Qrtt.dat"));
}

void TForm1::FormClose() {}
