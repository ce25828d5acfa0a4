#pragma once
// The hidden form that carries the statement list and a print job.
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QListWidget* ListBox1; // the statement list of the last calculation
    QLineEdit* Edit1;      // document title: the item name
    QLineEdit* Edit2;      // folder of the drawing files

    QStringList Lines() const;
    void SetLines(const QStringList& lines);
};
