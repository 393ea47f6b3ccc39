#include "LinkAccessible.h"

#include <QCoreApplication>
#include <QWidget>
#include <QKeyEvent>
#include <QLabel>

LinkAccessible::LinkAccessible(QWidget *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

QAccessible::Role LinkAccessible::role() const
{
    return widget()->focusPolicy() != Qt::NoFocus ? QAccessible::Link : QAccessible::StaticText;
}

QString LinkAccessible::text(QAccessible::Text kind) const
{
    // Named by its text unless it has a name of its own.
    const QString own = QAccessibleWidget::text(kind);
    if (kind == QAccessible::Name && own.isEmpty())
        return static_cast<QLabel *>(widget())->text();
    return own;
}

QStringList LinkAccessible::actionNames() const
{
    if (role() != QAccessible::Link)
        return {};
    return {pressAction(), setFocusAction()};
}

void LinkAccessible::doAction(const QString &actionName)
{
    if (actionName != pressAction() || role() != QAccessible::Link) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    // Followed as the keyboard follows it: whoever handles the link's
    // Enter handles this.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &press);
}
