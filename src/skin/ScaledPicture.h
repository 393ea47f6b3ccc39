#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

class QRegion;

// The skin's pictures for a screen's device pixel ratio. Every picture has
// a twin drawn at twice the size ("Name@2x.jpg"); ratios above 1 are made
// from that one, so text and edges stay sharp at 125, 150 and 200 %.
QImage scaledPicture(const QString &path, qreal ratio);
QPixmap scaledPixmap(const QString &path, qreal ratio);
// A picture made by scaledPixmap() again for another ratio (the window went
// to a screen of another scale); any other picture as it is.
QPixmap forRatio(const QPixmap &picture, qreal ratio);

// A window background at `ratio`, its key colour exactly outside `shape`
// (the window's mask, in layout pixels) as that shape lands on the screen's
// pixels. `transparent` makes what lies outside fully transparent instead.
QImage scaledBackground(const QString &path, qreal ratio, const QRegion &shape, bool transparent);
