#include "ColourKey.h"

#include <QBitmap>
#include <QImage>
#include <QTransform>
#include <QWidget>

QRegion keyShape(const QImage &background)
{
    // On Qt 6.4, MaskInColor yields the bitmap whose set bits are the
    // pixels that differ from the key (MaskOutColor gives the inverse).
    const QImage mask = background.convertToFormat(QImage::Format_RGB32).createMaskFromColor(windowColourKey, Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(mask));
}

QRegion windowShape(const QImage &background, QSize size)
{
    return keyShape(background.copy(QRect(QPoint(0, 0), size)));
}

void applyColourKey(QWidget *window, const QImage &background)
{
    window->setMask(windowShape(background, window->size()));
}

QRegion shapeOnScreen(const QRegion &shape, qreal ratio)
{
    // How Qt hands a widget's mask to the window system at a device pixel
    // ratio (QHighDpi::toNativeLocalRegion, Qt 6.4): one scaling transform.
    return ratio == 1.0 ? shape : QTransform::fromScale(ratio, ratio).map(shape);
}
