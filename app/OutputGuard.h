#pragma once
// Outputs that would land on an input: the text output, the CSV and the PDF
// are refused when the chosen file is the open project, the settings file or
// a drawing, however the name was spelled.
#include "Dialogs.h"

#include <QString>
#include <optional>

// The message for an output onto `path`, or nothing when `path` is none of
// the inputs: `project`, "Qrtt.dat" in the current folder or in
// `drawingFolder` (the settings folder), and the drawings there.
std::optional<QString> OutputOntoInput(const QString& path, const QString& project,
                                       const QString& drawingFolder);

// Shows that message and returns true when the output must not be written.
bool RefuseOutput(yoheki::Dialogs& dialogs, const QString& path, const QString& project,
                  const QString& drawingFolder);
