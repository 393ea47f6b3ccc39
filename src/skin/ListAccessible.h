#pragma once

#include <QAccessibleWidget>

class QComboBox;

// What a screen reader sees of a drop-down list: a combo box named for
// what it sets, whose text is the choice. (Qt names a list on Linux by
// its choice, so "Bit rate" never reaches the reader.)
class ListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ListAccessible(QComboBox *list);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // The choice as read-only text.
    QString text(int start, int end) const override;
    int characterCount() const override;
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override;

private:
    QComboBox *list() const;
};
