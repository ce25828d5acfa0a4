#pragma once
// The toolkit's own texts (dialog buttons, the file, print and preview
// dialogs) in Japanese when the desktop is Japanese.
#include <QLocale>

// Loads the toolkit's Japanese translation for `locale` once; true when it
// is in use. Other languages keep the toolkit's English. Call after the
// QApplication exists.
bool InstallToolkitTranslation(const QLocale& locale = QLocale::system());
