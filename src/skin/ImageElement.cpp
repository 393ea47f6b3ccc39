#include "ImageElement.h"

#include "ScaledPicture.h"

#include <QPainter>

ImageElement::ImageElement(QWidget *parent) : SkinPicture(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageElement::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void ImageElement::setPicture(const QPixmap &picture)
{
    if (!m_stretch && !picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
    SkinPicture::setPicture(picture);
}

void ImageElement::paintEvent(QPaintEvent *event)
{
    if (!m_stretch)
        return SkinPicture::paintEvent(event);
    if (!m_picture.isNull())
        QPainter(this).drawPixmap(rect(), forRatio(m_picture, devicePixelRatioF()));
}
