#pragma once
// The files delivered with the program: the settings file Qrtt.dat, the three
// drawings and the sample project. They lie in share/yoheki beside the folder
// of the programs, in an installation (/usr/bin and /usr/share/yoheki) and in
// the build tree alike (build/app, build/batch and build/share/yoheki).
#include <QString>

namespace yoheki {

// The folder of the delivered files; empty before the application object exists.
QString BundledDataDir();

// Points BundledDataDir() at another folder; an empty name goes back to the
// folder beside the programs. Tests use it to run without delivered files.
void SetBundledDataDir(const QString& folder);

} // namespace yoheki
