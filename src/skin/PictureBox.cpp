#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_click.press();
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (m_click.release(this, event))
        emit clicked();
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}
