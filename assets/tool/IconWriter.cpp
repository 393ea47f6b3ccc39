#include "IconWriter.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <functional>

namespace {

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

int rowBytes(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// BITMAPINFOHEADER + palette + XOR bits + AND mask, rows bottom-up.
QByteArray dib(const QImage &source, int bits, const QList<QRgb> &palette,
               const std::function<int(int, int)> &indexAt, const std::function<bool(int, int)> &transparentAt)
{
    const int w = source.width();
    const int h = source.height();
    QByteArray out;
    put32(out, 40);
    put32(out, static_cast<quint32>(w));
    put32(out, static_cast<quint32>(h * 2));
    put16(out, 1);
    put16(out, static_cast<quint16>(bits));
    put32(out, 0);
    put32(out, static_cast<quint32>((rowBytes(w, bits) + rowBytes(w, 1)) * h));
    put32(out, 0);
    put32(out, 0);
    put32(out, static_cast<quint32>(palette.size()));
    put32(out, 0);
    for (QRgb c : palette) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes(w, bits), '\0');
        for (int x = 0; x < w; ++x) {
            if (bits == 32) {
                const QRgb c = source.pixel(x, y);
                row[x * 4] = static_cast<char>(qBlue(c));
                row[x * 4 + 1] = static_cast<char>(qGreen(c));
                row[x * 4 + 2] = static_cast<char>(qRed(c));
                row[x * 4 + 3] = static_cast<char>(qAlpha(c));
            } else if (bits == 24) {
                const QRgb c = source.pixel(x, y);
                row[x * 3] = static_cast<char>(qBlue(c));
                row[x * 3 + 1] = static_cast<char>(qGreen(c));
                row[x * 3 + 2] = static_cast<char>(qRed(c));
            } else if (bits == 8) {
                row[x] = static_cast<char>(indexAt(x, y));
            } else if (indexAt(x, y)) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes(w, 1), '\0');
        for (int x = 0; x < w; ++x)
            if (transparentAt(x, y))
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

bool writeFile(const QString &path, quint16 type, const QList<QByteArray> &images,
               const QList<QSize> &sizes, const QList<quint16> &field1, const QList<quint16> &field2,
               const QList<int> &colourCounts)
{
    QByteArray out;
    put16(out, 0);
    put16(out, type);
    put16(out, static_cast<quint16>(images.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(static_cast<char>(sizes[i].width() >= 256 ? 0 : sizes[i].width()));
        out.append(static_cast<char>(sizes[i].height() >= 256 ? 0 : sizes[i].height()));
        out.append(static_cast<char>(colourCounts[i]));
        out.append('\0');
        put16(out, field1[i]);
        put16(out, field2[i]);
        put32(out, static_cast<quint32>(images[i].size()));
        put32(out, offset);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray &image : images)
        out.append(image);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

} // namespace

bool writeIcon(const QString &path, const QList<IconImage> &images)
{
    QList<QByteArray> data;
    QList<QSize> sizes;
    QList<quint16> planes;
    QList<quint16> bitCounts;
    QList<int> colourCounts;
    for (const IconImage &entry : images) {
        const QSize size = entry.image.size();
        sizes.append(size);
        planes.append(1);
        bitCounts.append(static_cast<quint16>(entry.bitsPerPixel));
        colourCounts.append(0);
        if (size.width() >= 256) {
            QByteArray png;
            QBuffer buffer(&png);
            if (!buffer.open(QIODevice::WriteOnly) || !entry.image.save(&buffer, "PNG"))
                return false;
            data.append(png);
            continue;
        }
        if (entry.bitsPerPixel == 32) {
            // Straight (not premultiplied) alpha; the AND mask marks the
            // fully transparent pixels for programs that ignore alpha.
            const QImage argb = entry.image.convertToFormat(QImage::Format_ARGB32);
            data.append(dib(argb, 32, {}, [](int, int) { return 0; },
                            [&](int x, int y) { return qAlpha(argb.pixel(x, y)) == 0; }));
            continue;
        }
        const QImage rgb = entry.image.convertToFormat(QImage::Format_RGB32);
        QList<QRgb> palette;
        QImage indexed;
        if (entry.bitsPerPixel == 8) {
            indexed = rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
            palette = indexed.colorTable();
        }
        data.append(dib(rgb, entry.bitsPerPixel, palette,
                        [&](int x, int y) { return indexed.isNull() ? 0 : indexed.pixelIndex(x, y); },
                        [](int, int) { return false; }));
    }
    return writeFile(path, 1, data, sizes, planes, bitCounts, colourCounts);
}

bool writeMonochromeCursor(const QString &path, const QImage &image, QPoint hotSpot)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QList<QRgb> palette{qRgb(0, 0, 0), qRgb(255, 255, 255)};
    const QByteArray data = dib(
        argb, 1, palette,
        [&](int x, int y) { return qAlpha(argb.pixel(x, y)) >= 128 && qGray(argb.pixel(x, y)) >= 128 ? 1 : 0; },
        [&](int x, int y) { return qAlpha(argb.pixel(x, y)) < 128; });
    return writeFile(path, 2, {data}, {argb.size()}, {static_cast<quint16>(hotSpot.x())},
                     {static_cast<quint16>(hotSpot.y())}, {2});
}
