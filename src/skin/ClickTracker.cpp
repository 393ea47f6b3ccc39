#include "ClickTracker.h"

#include <QMouseEvent>
#include <QWidget>

bool ClickTracker::release(const QWidget *control, const QMouseEvent *event)
{
    const bool click = m_pressedInside && control->rect().contains(event->position().toPoint());
    m_pressedInside = false;
    return click;
}
