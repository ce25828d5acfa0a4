#pragma once
// The numeric edit field of the main window: a line edit that shows its text
// flush right, as numbers are. With the input method on, digits and minus
// signs come full-width (１５０, －２０); what is typed or pasted is turned
// into ASCII at once, so the item stores a number the calculations read. It
// filters nothing else; the calculations reject what is not a whole number of
// millimetres. Text set by the program (a stored value) is left as it is.
#include <QLineEdit>

class TREdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TREdit(QWidget* parent = nullptr);

    // Full-width digits and the minus signs an input method gives, as ASCII;
    // every other character as it is.
    static QString AsciiDigits(const QString& text);

private:
    void Normalize(const QString& text);
};
