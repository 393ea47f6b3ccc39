#include "SkinPicture.h"

#include "ScaledPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

SkinPicture::SkinPicture(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void SkinPicture::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void SkinPicture::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, forRatio(m_picture, devicePixelRatioF()));
}

// Only the left button clicks: a right click on "X" must not end the program.
void SkinPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedInside = true;
    event->accept();
}

void SkinPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const bool click = m_pressedInside && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    event->accept();
    if (click)
        emit clicked();
}

void SkinPicture::keyPressEvent(QKeyEvent *event)
{
    // Space and Enter press a focused control, as they press a button.
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SkinPicture::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}
