// The skin's pictures: formats, sizes and the colour key.
#include "TestSupport.h"
#include "skin/ColourKey.h"
#include "skin/HandCursor.h"
#include "skin/MainLayout.h"
#include "skin/SkinResources.h"

#include <QBitmap>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainterPath>
#include <QTest>

#include <cmath>
#include <QWidget>

namespace {

QByteArray bytes(const QString &resource)
{
    QFile file(resource);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 le32(const QByteArray &b, int at)
{
    return static_cast<quint8>(b[at]) | static_cast<quint8>(b[at + 1]) << 8 | static_cast<quint8>(b[at + 2]) << 16
           | static_cast<quint32>(static_cast<quint8>(b[at + 3])) << 24;
}

bool nearKey(QRgb c)
{
    return c != windowColourKey && qAbs(qRed(c) - 255) + qAbs(qGreen(c)) + qAbs(qBlue(c) - 255) < 120;
}

// The picture drawn at twice the size for scaled screens.
QString twinOf(QString resource)
{
    return resource.insert(resource.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
}

} // namespace

class SkinAssetsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initSkinResources(); }

    void backgrounds_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("body");
        QTest::newRow("main") << ":/skin/main/Background.bmp" << QSize(400, 220) << QRect(6, 3, 386, 213);
        QTest::newRow("feedback") << ":/skin/feedback/Background.bmp" << QSize(330, 180) << QRect(6, 3, 316, 167);
    }

    void backgrounds()
    {
        QFETCH(QString, resource);
        QFETCH(QSize, size);
        QFETCH(QRect, body);
        const QByteArray bmp = bytes(resource);
        QVERIFY(bmp.startsWith("BM"));
        QCOMPARE(le32(bmp, 14), 40u);                     // BITMAPINFOHEADER
        QCOMPARE(static_cast<quint8>(bmp[28]), quint8(24)); // 24 bits a pixel
        QCOMPARE(le32(bmp, 30), 0u);                      // uncompressed

        const QImage image = QImage::fromData(bmp).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), size);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                QVERIFY2(!nearKey(c), qPrintable(QStringLiteral("near-key pixel at %1,%2").arg(x).arg(y)));
                const bool inside = body.contains(x, y);
                if (!inside)
                    QVERIFY2(c == windowColourKey, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                // The panel is solid apart from its curved corners.
                if (body.adjusted(12, 0, -12, 0).contains(x, y) || body.adjusted(0, 12, 0, -12).contains(x, y))
                    QVERIFY2(c != windowColourKey, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        // The corners really are curved.
        QCOMPARE(image.pixel(body.topLeft()), windowColourKey);
        QCOMPARE(image.pixel(body.bottomRight()), windowColourKey);

        // Its twin for scaled screens: twice the size, the key on exactly
        // the same layout pixels (the shape is cut in layout pixels).
        const QImage twin = QImage(twinOf(resource)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(twin.size(), size * 2);
        int strays = 0;
        for (int y = 0; y < twin.height(); ++y)
            for (int x = 0; x < twin.width(); ++x)
                strays += (twin.pixel(x, y) == windowColourKey) != (image.pixel(x / 2, y / 2) == windowColourKey)
                          || nearKey(twin.pixel(x, y));
        QVERIFY2(strays == 0, qPrintable(QStringLiteral("%1 pixels of the twin break the shape").arg(strays)));
    }

    void maskIsThePanel()
    {
        QWidget window;
        window.setFixedSize(395, 219);
        const QImage background(QStringLiteral(":/skin/main/Background.bmp"));
        applyColourKey(&window, background);
        const QRegion shape = window.mask();
        QCOMPARE(shape.boundingRect(), QRect(6, 3, 386, 213));
        QVERIFY(!shape.contains(QPoint(6, 3)));    // a key-coloured corner
        QVERIFY(shape.contains(QPoint(200, 100))); // the panel
        QVERIFY(!shape.contains(QPoint(2, 100)));  // the margin
    }

    void controlPictures_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QSize>("size");
        const QList<std::pair<const char *, QSize>> pictures{
            {"main/Drag.jpg", {143, 146}},      {"main/DragLight.jpg", {143, 146}},
            {"main/Button.jpg", {18, 18}},      {"main/ButtonLight.jpg", {18, 18}},
            {"main/MinLight.jpg", {14, 14}},    {"main/ExitLight.jpg", {14, 13}},
            {"main/HelpLight.jpg", {12, 17}},   {"main/BrowseLight.jpg", {42, 22}},
            {"main/BrowseDark.jpg", {42, 22}},  {"main/PB.jpg", {1, 14}},
            {"main/PBLeft.jpg", {5, 14}},       {"main/PBRight.jpg", {5, 14}},
            {"feedback/SendLight.jpg", {58, 18}}, {"feedback/BackLight.jpg", {58, 18}},
            {"feedback/ExitLight.jpg", {14, 13}},
        };
        for (const auto &[name, size] : pictures)
            QTest::newRow(name) << QStringLiteral(":/skin/") + QLatin1String(name) << size;
    }

    void controlPictures()
    {
        QFETCH(QString, resource);
        QFETCH(QSize, size);
        const QByteArray jpeg = bytes(resource);
        QVERIFY(jpeg.startsWith("\xff\xd8"));
        const int sof0 = jpeg.indexOf("\xff\xc0"); // baseline
        QVERIFY(sof0 > 0);
        QCOMPARE(jpeg.indexOf("\xff\xc2"), -1);    // not progressive
        QCOMPARE(static_cast<quint8>(jpeg[sof0 + 9]), quint8(3)); // three components
        QCOMPARE(QImage::fromData(jpeg).size(), size);
        QCOMPARE(QImage(twinOf(resource)).size(), size * 2);
    }

    void theProgressCaptionStaysReadable()
    {
        // WCAG contrast of the caption's colour over every pixel it can
        // stand on: the three fill pictures and the empty track.
        const auto luminance = [](QRgb c) {
            const auto channel = [](int v) {
                const double s = v / 255.0;
                return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
        };
        QRgb caption = 0;
        for (const ControlSpec &control : mainWindowSpec().controls) {
            if (QLatin1String(control.name) == QLatin1String("lblPb"))
                caption = control.colour;
        }
        QList<QRgb> under;
        for (const char *piece : {"PB", "PBLeft", "PBRight"}) {
            const QImage image(QStringLiteral(":/skin/main/%1.jpg").arg(QLatin1String(piece)));
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    under << image.pixel(x, y);
        }
        const QImage background(QStringLiteral(":/skin/main/Background.bmp"));
        for (int x = 20; x < 215; x += 5)
            under << background.pixel(x, 201); // the track, x 15..224, y 195..208
        double worst = 100;
        for (const QRgb c : under)
            worst = std::min(worst, (luminance(caption) + 0.05) / (luminance(c) + 0.05));
        QVERIFY2(worst >= 4.5, qPrintable(QString::number(worst)));
    }

    void iconsAndCursor()
    {
        QImageReader reader(QStringLiteral(":/skin/main/Icon.ico"));
        QList<QSize> sizes;
        do {
            const QImage image = reader.read();
            sizes << image.size();
        } while (reader.jumpToNextImage());
        QCOMPARE(sizes, (QList<QSize>{{48, 48}, {32, 32}, {16, 16}}));
        const QByteArray ico = bytes(QStringLiteral(":/skin/main/Icon.ico"));
        QCOMPARE(static_cast<quint8>(ico[6 + 6]), quint8(24));
        QCOMPARE(static_cast<quint8>(ico[22 + 6]), quint8(24));
        QCOMPARE(static_cast<quint8>(ico[38 + 6]), quint8(8));
        QCOMPARE(QImage(QStringLiteral(":/skin/feedback/Icon.ico")).size(), QSize(16, 16));

        const QCursor hand = handCursor();
        QCOMPARE(hand.hotSpot(), QPoint(6, 0));
        QCOMPARE(hand.pixmap().size(), QSize(32, 32));
        const QImage cursor = hand.pixmap().toImage();
        QCOMPARE(qAlpha(cursor.pixel(6, 0)), 255);                 // the finger tip
        QCOMPARE(qAlpha(cursor.pixel(31, 0)), 0);                  // transparent around
    }
};

QTEST_MAIN(SkinAssetsTest)
#include "test_skin_assets.moc"
