// Counts, in a screenshot, the pixels of the skin's colour key and those of
// the most frequent other colour of a window's background picture (the
// window is drawn when there are many). Usage: skin_pixels SHOT BACKGROUND
// Prints "key N" and "skin N"; then, taking the colour of the shot's
// top-left pixel as the desktop's, the size of what stands out from it
// ("window W H") and how many pixels of that outline are lighter than the
// skin's dark edge ("light-edge N": where the shape cuts into the picture).
#include <QHash>
#include <QImage>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("Usage: skin_pixels SCREENSHOT BACKGROUND\n", stderr);
        return 2;
    }
    const QImage shot = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage background = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    if (shot.isNull() || background.isNull()) {
        std::fputs("skin_pixels: a picture cannot be read\n", stderr);
        return 2;
    }
    constexpr QRgb key = 0xffff00ff;
    QHash<QRgb, int> frequency;
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            if (background.pixel(x, y) != key)
                ++frequency[background.pixel(x, y)];
    QRgb common = 0;
    for (auto it = frequency.cbegin(); it != frequency.cend(); ++it)
        if (it.value() > frequency.value(common))
            common = it.key();
    int keyPixels = 0;
    int skinPixels = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            keyPixels += shot.pixel(x, y) == key;
            skinPixels += shot.pixel(x, y) == common;
        }
    std::printf("key %d\nskin %d\n", keyPixels, skinPixels);

    // The desktop: the top-left pixel's colour, as far as it reaches from
    // there (a window may hold pixels of that colour too).
    const QRgb desktop = shot.pixel(0, 0);
    std::vector<char> outside(std::size_t(shot.width()) * shot.height());
    const auto at = [&](QPoint p) -> char & { return outside[std::size_t(p.y()) * shot.width() + p.x()]; };
    QList<QPoint> next{{0, 0}};
    at({0, 0}) = 1;
    while (!next.isEmpty()) {
        const QPoint p = next.takeLast();
        for (const QPoint n : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
            if (shot.rect().contains(n) && !at(n) && shot.pixel(n) == desktop) {
                at(n) = 1;
                next << n;
            }
    }
    const auto onDesktop = [&](int x, int y) { return !shot.rect().contains(x, y) || at({x, y}); };
    QRect window;
    int lightEdge = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (onDesktop(x, y))
                continue;
            window |= QRect(x, y, 1, 1);
            const bool edge = onDesktop(x - 1, y) || onDesktop(x + 1, y) || onDesktop(x, y - 1) || onDesktop(x, y + 1);
            const QRgb c = shot.pixel(x, y);
            lightEdge += edge && std::max({qRed(c), qGreen(c), qBlue(c)}) > 100;
        }
    std::printf("window %d %d\nlight-edge %d\n", window.width(), window.height(), lightEdge);
    return 0;
}
