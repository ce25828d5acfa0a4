#include "TextFile.h"

#include "ItemTexts.h"
#include "SystemReason.h"

#include <cerrno>

#include <QFile>

TextAppender::TextAppender(const QString& path) : file_(path) {}

std::optional<QString> TextAppender::Open() {
    existed_ = file_.exists();
    oldSize_ = existed_ ? file_.size() : 0;
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append))
        return Failed(errno);
    return std::nullopt;
}

std::optional<QString> TextAppender::Write(const QByteArray& piece) {
    errno = 0;
    if (file_.write(piece) != piece.size() || !file_.flush())
        return Failed(errno);
    return std::nullopt;
}

std::optional<QString> TextAppender::Finish() {
    errno = 0;
    if (!file_.flush())
        return Failed(errno);
    file_.close();
    if (file_.error() != QFileDevice::NoError)
        return Failed(errno);
    return std::nullopt;
}

// What was appended goes again: the estimator's earlier statements stay as
// they were, with no half statement after them.
std::optional<QString> TextAppender::Failed(int err) {
    const QString reason = err != 0 ? QString::fromStdString(yoheki::SystemReason(err))
                                    : file_.errorString();
    const bool opened = file_.isOpen();
    file_.close();
    QString after;
    if (opened && existed_)
        after = QFile::resize(file_.fileName(), oldSize_)
                    ? QString::fromUtf8("\n\rファイルは書き込む前の長さに戻しました")
                    : QString::fromUtf8("\n\rファイルを元の長さに戻せませんでした");
    else if (opened)
        after = QFile::remove(file_.fileName())
                    ? QString::fromUtf8("\n\r作りかけのファイルは削除しました")
                    : QString::fromUtf8("\n\r作りかけのファイルを削除できませんでした");
    return QString::fromUtf8("テキストファイル【") + file_.fileName() +
           QString::fromUtf8("】に書き込めません\n\r（") + reason + QString::fromUtf8("）") + after;
}

std::optional<QString> AppendToFile(const QString& path, const QByteArray& bytes) {
    TextAppender out(path);
    if (auto failed = out.Open())
        return failed;
    if (auto failed = out.Write(bytes))
        return failed;
    return out.Finish();
}

QString TextFileName(const QString& chosen) {
    const QString tail = chosen.right(4);
    for (const char* ext : {itemtext::kTxt1, itemtext::kTxt2, itemtext::kTxt3})
        if (tail == QLatin1String(ext))
            return chosen;
    return chosen + QLatin1String(itemtext::kTxt2);
}
