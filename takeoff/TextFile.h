#pragma once
// The text file a text output appends to.
#include <QByteArray>
#include <QString>
#include <optional>

#include <QFile>

// Appends to `path`, creating it when missing. The reason when it fails,
// naming the file; the file is then as it was before (cut back to its old
// length, or removed when it was new), never a partial statement.
std::optional<QString> AppendToFile(const QString& path, const QByteArray& bytes);

// The same in pieces, for output too large to hold at once.
class TextAppender {
  public:
    explicit TextAppender(const QString& path);
    // Each returns the failure's message (the file already put back).
    std::optional<QString> Open();
    std::optional<QString> Write(const QByteArray& piece);
    std::optional<QString> Finish();

  private:
    std::optional<QString> Failed(int err);
    QFile file_;
    bool existed_ = false;
    qint64 oldSize_ = 0;
};
// The chosen text-output name with ".txt" appended unless it ends in
// ".Txt", ".txt" or ".TXT".
QString TextFileName(const QString& chosen);
