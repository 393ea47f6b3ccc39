#include "HoverLook.h"

#include "SkinPicture.h"

#include <QEvent>
#include <QLabel>

HoverLook::HoverLook(QWidget *control, LookKind kind, const QPixmap &hover, const QPixmap &press,
                     const QPixmap &rest)
    : QObject(control), m_control(control), m_kind(kind), m_hover(hover), m_press(press), m_rest(rest)
{
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

void HoverLook::show(const QPixmap &picture)
{
    if (auto *skinned = qobject_cast<SkinPicture *>(m_control))
        skinned->setPicture(picture);
}

void HoverLook::setBold(bool bold)
{
    QFont font = m_control->font();
    font.setBold(bold);
    m_control->setFont(font);
    if (auto *label = qobject_cast<QLabel *>(m_control))
        label->adjustSize(); // the link sizes itself to its text
}

void HoverLook::showRest()
{
    if (m_kind == LookKind::TextLink)
        return setBold(false);
    show(m_kind == LookKind::HotSpot ? QPixmap() : m_rest);
}

void HoverLook::showHover()
{
    if (m_kind == LookKind::TextLink)
        return setBold(true);
    show(m_hover);
}

void HoverLook::showPress()
{
    if (!m_press.isNull())
        show(m_press);
}

bool HoverLook::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        showHover();
        // The pointer is over this control, not over the window's surface.
        event->accept();
        return m_kind == LookKind::TextLink;
    case QEvent::MouseButtonPress:
        showPress();
        return false;
    default:
        return false;
    }
}
