#pragma once
// The numeric edit field of the main window: a line edit that shows its text
// flush right, as numbers are. It filters nothing; the calculations reject
// what is not a whole number of millimetres.
#include <QLineEdit>

class TREdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TREdit(QWidget* parent = nullptr);
};
