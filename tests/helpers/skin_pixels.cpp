// Counts, in a screenshot, the pixels of the skin's colour key and those of
// the most frequent other colour of a window's background picture (the
// window is drawn when there are many). Usage: skin_pixels SHOT BACKGROUND
// Prints "key N" and "skin N".
#include <QHash>
#include <QImage>

#include <cstdio>

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
    return 0;
}
