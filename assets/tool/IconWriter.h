#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

// Writes Windows icon (.ico) and cursor (.cur) files. Each image keeps its
// depth: 32 (with alpha), 24 or 8 bits for icon images (a 256-pixel image
// is stored as PNG, as Windows expects it), 1 bit (black, white,
// transparent) for a cursor.
struct IconImage {
    QImage image;
    int bitsPerPixel;
};

bool writeIcon(const QString &path, const QList<IconImage> &images);
bool writeMonochromeCursor(const QString &path, const QImage &image, QPoint hotSpot);
