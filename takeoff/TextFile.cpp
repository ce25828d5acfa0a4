#include "TextFile.h"

#include "ItemTexts.h"

#include <QFile>

std::optional<QString> AppendToFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size() &&
        file.flush()) {
        file.close();
        if (file.error() == QFileDevice::NoError)
            return std::nullopt;
    }
    return QString::fromUtf8("テキストファイル【") + path +
           QString::fromUtf8("】に書き込めません\n\r") + file.errorString();
}

QString TextFileName(const QString& chosen) {
    const QString tail = chosen.right(4);
    for (const char* ext : {itemtext::kTxt1, itemtext::kTxt2, itemtext::kTxt3})
        if (tail == QLatin1String(ext))
            return chosen;
    return chosen + QLatin1String(itemtext::kTxt2);
}
