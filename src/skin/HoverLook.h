#pragma once

#include "LookSpec.h"

#include <QObject>
#include <QPixmap>

class QWidget;

// One skinned control's looks. As an event filter on the control it shows
// the hover look when the pointer moves over it and the press look when a
// button goes down on it; a look stays until something else replaces it.
class HoverLook : public QObject {
    Q_OBJECT
public:
    HoverLook(QWidget *control, LookKind kind, const QPixmap &hover, const QPixmap &press,
              const QPixmap &rest);

    QWidget *control() const { return m_control; }
    void showRest();
    void showHover();
    void showPress();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(const QPixmap &picture);
    void setBold(bool bold);
    QWidget *m_control;
    LookKind m_kind;
    QPixmap m_hover, m_press, m_rest;
};
