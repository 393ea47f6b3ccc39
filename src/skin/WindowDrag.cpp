#include "WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "platform/desktop/DesktopWindow.h"

WindowDrag::WindowDrag(QWidget *window) : QObject(window), m_window(window)
{
    window->setMouseTracking(true);
    window->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_pressed = mouse->button() == Qt::LeftButton;
        m_dragging = m_manual = false;
        m_pressGlobal = mouse->globalPosition().toPoint();
        m_windowAtPress = m_window->pos();
        return false;
    }
    case QEvent::MouseMove:
        onMove(static_cast<QMouseEvent *>(event));
        return false;
    case QEvent::MouseButtonRelease:
        m_pressed = m_dragging = m_manual = false;
        return false;
    default:
        return false;
    }
}

void WindowDrag::onMove(const QMouseEvent *event)
{
    const bool held = m_pressed && (event->buttons() & Qt::LeftButton);
    if (held) {
        const QPoint travel = event->globalPosition().toPoint() - m_pressGlobal;
        // Started from the press, a quick click could leave the window
        // manager in move mode: start only once the pointer has travelled.
        if (!m_dragging && travel.manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            m_manual = !platform::startWindowManagerMove(m_window->windowHandle(), m_pressGlobal);
            if (!m_manual)
                m_pressed = false; // the window manager has the pointer now
        }
        if (m_manual)
            m_window->move(m_windowAtPress + travel);
    } else {
        m_pressed = m_dragging = m_manual = false;
    }
    emit surfaceMoved();
}
