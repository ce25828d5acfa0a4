#pragma once
// The title block printed in the margin of every page of a document handed to
// a client: which project, which item, when it was made and which page of how
// many. Statement pages, the printed summary and the printed breakdown use the
// same block, so the documents of one project look alike.
#include <QDate>
#include <QRect>
#include <QString>

class QPainter;

struct TitleBlock {
    QString project; // 工事名: the project's bare name
    QString item;    // 拾い名称: the item, or the document's name for a table
    QDate date;      // 作成日
    int page = 1;    // page x of y
    int pages = 1;
};

// "2024/05/01", as dates are written on Japanese forms.
QString TitleBlockDate(const QDate& date);
// "1 / 3".
QString PageOfPages(int page, int pages);

// Paints the block into `rect` (device coordinates of the painter): a framed
// row of captioned cells 工事名, 拾い名称, 作成日 and the page number. The text
// height follows the rectangle's; texts too long for their cell are elided,
// never run into the next one. The painter's state is kept.
void PaintTitleBlock(QPainter& canvas, const QRect& rect, const TitleBlock& block);

