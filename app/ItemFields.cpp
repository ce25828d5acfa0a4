// The item's fields are open for typing only while the project has an item
// to hold what is typed: in a new, empty project a figure typed into them
// would be thrown away when the first item is added.
#include "Takeoff.h"
#include "main1.h"

#include <QAbstractItemModel>

namespace {

void EnableItemFields(TForm1& f) {
    const bool any = f.ComboBox1->count() > 0;
    for (int n = 1; n <= 18; ++n)
        f.REdit(n)->setEnabled(any);
    const QList<QWidget*> others = {f.ComboBox2, f.ComboBox3, f.ComboBox4, f.CheckBox1,
                                    f.CheckBox2, f.CheckBox3, f.CheckBox5, f.CheckBox6,
                                    f.RG_BL,     f.RG_HL,     f.RG_TL,     f.RG_YL,
                                    f.Button1,   f.Button2};
    for (QWidget* w : others)
        w->setEnabled(any);
}

} // namespace

void FollowItemCount(TForm1& f) {
    QAbstractItemModel* items = f.ComboBox1->model();
    const auto update = [&f] { EnableItemFields(f); };
    QObject::connect(items, &QAbstractItemModel::rowsInserted, &f, update);
    QObject::connect(items, &QAbstractItemModel::rowsRemoved, &f, update);
    QObject::connect(items, &QAbstractItemModel::modelReset, &f, update);
    EnableItemFields(f);
}
