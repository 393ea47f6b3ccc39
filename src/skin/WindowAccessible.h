#pragma once

#include <QAccessibleWidget>

// What a screen reader sees of a skinned window: a window whose children
// are its controls as they stand. The pictures the skin only holds for
// its looks, the focus frame and hidden controls are left out.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget *window);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    // True for a child a screen reader should not meet.
    static bool isDecoration(const QWidget *widget);

private:
    QList<QWidget *> controls() const;
};
