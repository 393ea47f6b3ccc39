#include "WindowAccessible.h"

#include "FocusMark.h"
#include "SkinPicture.h"

#include <QMenu>

WindowAccessible::WindowAccessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window) {}

bool WindowAccessible::isDecoration(const QWidget *widget)
{
    // A picture with a name is a control; one without is a look in waiting.
    return qobject_cast<const FocusMark *>(widget)
           || (qobject_cast<const SkinPicture *>(widget) && widget->accessibleName().isEmpty());
}

QList<QWidget *> WindowAccessible::controls() const
{
    QList<QWidget *> found;
    for (QObject *child : widget()->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        // A hidden control is none to meet now (a spoken notice once said,
        // the drop area during a batch); it comes back when it shows.
        if (control && !control->isWindow() && !control->isHidden() && !qobject_cast<QMenu *>(control)
            && !isDecoration(control))
            found << control;
    }
    return found;
}

int WindowAccessible::childCount() const
{
    return int(controls().size());
}

QAccessibleInterface *WindowAccessible::child(int index) const
{
    const QList<QWidget *> found = controls();
    return index >= 0 && index < found.size() ? QAccessible::queryAccessibleInterface(found.at(index)) : nullptr;
}

int WindowAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(controls().indexOf(qobject_cast<QWidget *>(child->object())));
}
