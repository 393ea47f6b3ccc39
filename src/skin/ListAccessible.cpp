#include "ListAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>

ListAccessible::ListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

QComboBox *ListAccessible::list() const
{
    return static_cast<QComboBox *>(widget());
}

void *ListAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString ListAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return list()->currentText();
    return QAccessibleWidget::text(kind);
}

QAccessible::State ListAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = list()->view()->isVisible();
    state.collapsed = !state.expanded;
    return state;
}

QStringList ListAccessible::actionNames() const
{
    return {showMenuAction(), setFocusAction()};
}

void ListAccessible::doAction(const QString &actionName)
{
    if (actionName == showMenuAction())
        list()->showPopup();
    else
        QAccessibleWidget::doAction(actionName);
}

QString ListAccessible::text(int start, int end) const
{
    const QString choice = list()->currentText();
    if (end < 0 || end > choice.size())
        end = int(choice.size());
    return start >= 0 && start < end ? choice.mid(start, end - start) : QString();
}

int ListAccessible::characterCount() const
{
    return int(list()->currentText().size());
}

QString ListAccessible::attributes(int offset, int *start, int *end) const
{
    *start = 0;
    *end = characterCount();
    Q_UNUSED(offset);
    return {};
}
