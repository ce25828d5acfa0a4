#pragma once
// The text file a text output appends to.
#include <QByteArray>
#include <QString>
#include <optional>

// Appends to `path`, creating it when missing. The reason when it fails.
std::optional<QString> AppendToFile(const QString& path, const QByteArray& bytes);
// The chosen text-output name with ".txt" appended unless it ends in
// ".Txt", ".txt" or ".TXT".
QString TextFileName(const QString& chosen);
