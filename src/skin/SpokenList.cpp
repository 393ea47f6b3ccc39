#include "SpokenList.h"

#include <QAbstractItemView>
#include <QAccessible>

void SpokenList::showPopup()
{
    QComboBox::showPopup();
    QAbstractItemView *items = view();
    if (!QAccessible::isActive() || !items->isVisible() || !items->currentIndex().isValid())
        return;
    // The choice in the opened list has the focus now: said as such.
    QAccessibleEvent focus(items, QAccessible::Focus);
    focus.setChild(items->currentIndex().row());
    QAccessible::updateAccessibility(&focus);
}
