#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

// Writes Windows icon (.ico) and cursor (.cur) files. Ours because the
// skin is drawn at build time and each image must keep a depth of its own
// (a 1-bit cursor with its hot spot, a 256-pixel icon image as PNG), which
// Qt's image writers do not offer. Each image keeps its
// depth: 32 (with alpha), 24 or 8 bits for icon images (a 256-pixel image
// is stored as PNG, as Windows expects it), 1 bit (black, white,
// transparent) for a cursor.
struct IconImage {
    QImage image;
    int bitsPerPixel;
};

bool writeIcon(const QString &path, const QList<IconImage> &images);
bool writeMonochromeCursor(const QString &path, const QImage &image, QPoint hotSpot);
