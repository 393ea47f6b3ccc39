#pragma once

#include <QAccessibleWidget>

// What a screen reader sees of a label of a skinned window: a link it can
// follow (as Enter on it does) when the label takes the focus, as text
// links do; plain text otherwise. Asked each time, since a label becomes
// a link after it is made.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(QWidget *label);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text kind) const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};
