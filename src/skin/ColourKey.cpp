#include "ColourKey.h"

#include <QBitmap>
#include <QImage>
#include <QWidget>

void applyColourKey(QWidget *window, const QImage &background)
{
    const QImage visible = background.convertToFormat(QImage::Format_RGB32)
                               .copy(0, 0, window->width(), window->height());
    // On Qt 6.4, MaskInColor yields the bitmap whose set bits are the
    // pixels that differ from the key (MaskOutColor gives the inverse).
    const QImage mask = visible.createMaskFromColor(windowColourKey, Qt::MaskInColor);
    window->setMask(QBitmap::fromImage(mask));
}

QImage withKeyTransparent(const QImage &background)
{
    QImage image = background.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == windowColourKey)
                line[x] = 0;
    }
    return image;
}
