#include "ImageElement.h"

#include <QMouseEvent>
#include <QPainter>

ImageElement::ImageElement(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void ImageElement::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void ImageElement::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (!m_stretch && !picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
    update();
}

void ImageElement::clearPicture()
{
    m_picture = QPixmap();
    update();
}

void ImageElement::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_stretch)
        painter.drawPixmap(rect(), m_picture);
    else
        painter.drawPixmap(0, 0, m_picture);
}

void ImageElement::mousePressEvent(QMouseEvent *event)
{
    m_click.press();
    event->accept();
}

void ImageElement::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (m_click.release(this, event))
        emit clicked();
}

void ImageElement::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}
