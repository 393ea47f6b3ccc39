#pragma once

#include <QPointer>
#include <QWidget>

// The visible focus of a skinned window's picture controls, links and
// lists: a dotted frame in the skin's light colour
// around the control that has the focus, above everything, and never in
// the way of the mouse.
class FocusMark : public QWidget {
    Q_OBJECT
public:
    explicit FocusMark(QWidget *window);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *focused);
    QPointer<QWidget> m_target;
};
