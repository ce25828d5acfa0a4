// The statement lines a text output writes, and writing them to the file.
#include "main1.h"

#include "Cp932.h"
#include "ItemTexts.h"
#include "PrnSys.h"
#include "Takeoff.h"

#include <QFile>

namespace {

// Lines 12 to 19 of a statement are the labels of the printed drawing.
constexpr int kHeadLines = 12;
constexpr int kDrawingLabels = 8;

// Every item in list order, each loaded and calculated. An item whose
// calculation stops on an input check adds nothing: its messages were shown,
// and the statement list still holds the item before it.
QStringList AllItems(TForm1& f) {
    QStringList out;
    ForEachItem(f, [&](int, const QString&, const std::optional<engine::CalcOutput>& calc) {
        if (calc)
            out << f.Form2->Lines();
    });
    return out;
}

} // namespace

void ForEachItem(TForm1& f, const ItemVisitor& visit) {
    for (int i = 0; i < f.ComboBox1->count(); ++i) {
        // Only the item box's text moves on: choosing by index makes the box's
        // completer search the list from the top for every item, a cost that
        // grows with the square of the project's size.
        const QString name = f.ComboBox1->itemText(i);
        f.ComboBox1->setEditText(name);
        f.RememberedIndex = i;
        f.ListInput(name, f.CurrentProject);
        visit(i, name, CalculateOnScreen(f));
    }
}

QStringList SingleOutputLines(const QStringList& statement) {
    QStringList out;
    const int n = static_cast<int>(statement.size());
    for (int k = 0; k + kDrawingLabels < n; ++k)
        out << statement[k < kHeadLines ? k : k + kDrawingLabels];
    return out;
}

QString ClosingLine() {
    return QStringLiteral("\n\r");
}

QStringList ComposeTextOutput(TForm1& f) {
    QStringList out = f.Q1->isChecked() ? AllItems(f) : SingleOutputLines(f.Form2->Lines());
    out << ClosingLine();
    return out;
}

QByteArray EncodeTextOutput(const QStringList& lines, bool utf8) {
    QByteArray bytes;
    for (const QString& line : lines) {
        const std::string text = line.toStdString();
        const std::string encoded = utf8 ? text : yoheki::cp932::Encode(text);
        bytes.append(encoded.data(), static_cast<qsizetype>(encoded.size()));
        bytes.append("\r\n", 2);
    }
    return bytes;
}

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
