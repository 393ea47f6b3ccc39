#include "ScaledPicture.h"

#include "ColourKey.h"

#include <QHash>
#include <QRegion>
#include <QtMath>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

QString twinAt2x(const QString &path)
{
    QString twin = path;
    twin.insert(path.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    return twin;
}

// Gives each key-coloured pixel next to the picture the colour of its
// neighbour, a few pixels deep, so that smooth scaling never mixes the key
// into the edge (a purple fringe); the shape cuts them away again.
QImage bleedOverKey(QImage image, int depth)
{
    image = image.convertToFormat(QImage::Format_RGB32);
    for (int pass = 0; pass < depth; ++pass) {
        const QImage before = image;
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] != windowColourKey)
                    continue;
                for (const QPoint n : {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                    if (!before.rect().contains(n))
                        continue;
                    const QRgb colour = before.pixel(n);
                    if (colour != windowColourKey) {
                        line[x] = colour;
                        break;
                    }
                }
            }
        }
    }
    return image;
}

QImage resized(const QImage &twin, QSize layoutSize, qreal ratio)
{
    const QSize pixels(qCeil(layoutSize.width() * ratio - 0.01), qCeil(layoutSize.height() * ratio - 0.01));
    QImage image = pixels == twin.size() ? twin : twin.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    return image;
}


// The pictures made so far, by file and ratio, and the file each came from:
// a window moving between screens asks for the same few again and again.
QHash<std::pair<QString, qreal>, QPixmap> &made()
{
    static QHash<std::pair<QString, qreal>, QPixmap> pictures;
    return pictures;
}

QHash<qint64, QString> &sources()
{
    static QHash<qint64, QString> files;
    return files;
}

} // namespace

QImage scaledPicture(const QString &path, qreal ratio)
{
    QImage base(path);
    if (ratio <= 1.0 || base.isNull())
        return base;
    const QImage twin(twinAt2x(path));
    return twin.isNull() ? base : resized(twin, base.size(), ratio);
}

QPixmap scaledPixmap(const QString &path, qreal ratio)
{
    const std::pair key(path, std::max<qreal>(ratio, 1.0));
    auto found = made().constFind(key);
    if (found != made().constEnd())
        return *found;
    const QPixmap picture = QPixmap::fromImage(scaledPicture(path, ratio));
    sources().insert(picture.cacheKey(), path);
    made().insert(key, picture);
    return picture;
}

QPixmap forRatio(const QPixmap &picture, qreal ratio)
{
    if (picture.isNull() || picture.devicePixelRatio() == std::max<qreal>(ratio, 1.0))
        return picture;
    const auto source = sources().constFind(picture.cacheKey());
    return source == sources().constEnd() ? picture : scaledPixmap(*source, ratio);
}

QImage scaledBackground(const QString &path, qreal ratio, const QRegion &shape, bool transparent)
{
    const QImage base(path);
    const QImage twin(twinAt2x(path));
    QImage face;
    QRegion inside = shape;
    if (ratio <= 1.0 || twin.isNull()) {
        face = base.convertToFormat(QImage::Format_RGB32);
    } else {
        face = resized(bleedOverKey(twin, 3), base.size(), ratio);
        inside = shapeOnScreen(shape, ratio);
    }
    face = face.convertToFormat(transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImage cut(face.size(), face.format());
    cut.setDevicePixelRatio(face.devicePixelRatio());
    cut.fill(transparent ? QRgb(0) : windowColourKey);
    for (const QRect &rect : inside & QRegion(face.rect())) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            std::memcpy(cut.scanLine(y) + rect.left() * 4, face.constScanLine(y) + rect.left() * 4, rect.width() * 4);
    }
    return cut;
}
