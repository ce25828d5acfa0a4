// Opening the standard-finish editor from the main window.
#include "ListIn.h"
#include "Takeoff.h"
#include "main1.h"

namespace {

// The list refilled with what was registered; the text in the field stays
// until the item is loaded again.
void Refill(TComboBox* combo, const QStringList& finishes) {
    const QString text = combo->currentText();
    combo->clear();
    combo->AddItems(finishes);
    combo->setEditText(text);
}

} // namespace

void TForm1::E1Click() {
    if (!LI_Menu)
        return;
    // Stored now, because coming back from the editor reloads the item from
    // the project file: an item that could not be stored would be lost, so
    // the editor stays shut then (the failure has been reported).
    const QString item = ItemOnScreen(*this);
    if (!SaveItem(*this, item, CurrentProject))
        return;
    ListInput(item, CurrentProject);
    LI_Menu->SetMainWindow(this);
    LI_Menu->RefreshLists = [this](const QStringList& front, const QStringList& back,
                                   const QStringList& top) {
        Refill(ComboBox2, front);
        Refill(ComboBox3, back);
        Refill(ComboBox4, top);
    };
    LI_Menu->Closed = [this] {
        raise();
        activateWindow();
        FormActivate();
    };
    // The main window stays in sight behind the editor, closed to input
    // until the editor is done, since its return reloads the item.
    LI_Menu->setWindowModality(Qt::ApplicationModal);
    LI_Menu->adjustSize();
    QRect place = LI_Menu->frameGeometry();
    place.moveCenter(frameGeometry().center());
    LI_Menu->move(place.topLeft());
    LI_Menu->show();
}
