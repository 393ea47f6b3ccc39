#pragma once

#include <QColor>

class QImage;
class QRegion;
class QSize;
class QWidget;

// The colour that marks what lies outside a skinned window's outline.
constexpr QRgb windowColourKey = 0xffff00ff; // RGB(255, 0, 255)

// Cuts the window's shape out of its background: every pixel that is not
// exactly the key colour belongs to the window; key pixels are see-through
// and let clicks reach whatever lies below.
void applyColourKey(QWidget *window, const QImage &background);

// The pixels of `background` that are not the key colour: the window's shape.
QRegion keyShape(const QImage &background);
// That shape for a window of `size` (the picture may be larger).
QRegion windowShape(const QImage &background, QSize size);

// `shape`, in layout pixels, on a screen of `ratio` device pixels to one:
// the region the window system applies when Qt scales a mask.
QRegion shapeOnScreen(const QRegion &shape, qreal ratio);
