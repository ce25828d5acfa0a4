#include "PrnSys.h"

#include <QVBoxLayout>

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form2"));
    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Edit1 = new QLineEdit(QStringLiteral("500"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    layout->addWidget(Edit1);
    layout->addWidget(Edit2);
    layout->addWidget(ListBox1);
}

QStringList TForm2::Lines() const {
    QStringList out;
    out.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i) out << ListBox1->item(i)->text();
    return out;
}

void TForm2::SetLines(const QStringList& lines) {
    ListBox1->clear();
    ListBox1->addItems(lines);
}
