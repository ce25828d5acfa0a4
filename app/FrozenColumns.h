#pragma once
// The first columns of a wide table kept in place while the others scroll
// sideways: a second view of the same model and selection laid over the
// table's left edge, scrolling up and down with it.
class QTableView;

// Keeps the first `count` columns of `table` in place. The overlay is a
// child of the table and goes with it; calling again changes the count.
void FreezeColumns(QTableView* table, int count);
