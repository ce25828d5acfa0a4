#pragma once
// Where the settings file of a start comes from. A Qrtt.dat in the start
// folder is used as it is. Without one the program works in the user's own
// folder (~/.local/share/yoheki), and on the first start there it makes that
// folder's Qrtt.dat from the delivered one, with the drawing folder set to the
// delivered drawings, and puts a copy of the sample project beside it.
#include <QString>

class TForm1;

// The user's own folder of the program: "yoheki" in the XDG data folder.
QString UserSettingsFolder();

// Makes the current directory the folder whose Qrtt.dat this start reads,
// setting that file up first when needed and telling the user once where it
// is. False, after the missing-settings message and the end of the program,
// when no settings file can be had.
bool PrepareSettings(TForm1& form);

// "Qrtt.dat is missing: copy it into `folder`".
QString MissingSettingsText(const QString& folder);

// True when `argument` names an existing project file (".Fa1", any letter case).
bool IsProjectArgument(const QString& argument);
