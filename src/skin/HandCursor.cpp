#include "HandCursor.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

namespace {

constexpr auto cursorResource = ":/skin/Hand.cur";

QPoint hotSpotOf(const QByteArray &cur)
{
    // CUR: 6-byte header, then 16-byte entries; the first entry's bytes
    // 4..7 hold the hot spot's x and y.
    if (cur.size() < 22)
        return {};
    const auto *entry = reinterpret_cast<const uchar *>(cur.constData()) + 6;
    return {qFromLittleEndian<quint16>(entry + 4), qFromLittleEndian<quint16>(entry + 6)};
}

} // namespace

QCursor handCursor()
{
    static const QCursor cursor = [] {
        QFile file(QString::fromLatin1(cursorResource));
        if (!file.open(QIODevice::ReadOnly))
            return QCursor(Qt::PointingHandCursor);
        const QByteArray data = file.readAll();
        const QImage image = QImage::fromData(data, "CUR");
        if (image.isNull())
            return QCursor(Qt::PointingHandCursor);
        const QPoint hotSpot = hotSpotOf(data);
        return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
    }();
    return cursor;
}
