// Draws every picture of the skin: the window backgrounds (24-bit BMP with
// the key colour outside the panel), the JPEG control pictures, the icons
// and the hand cursor; and the backgrounds and control pictures once more at
// twice the size ("Name@2x"), for screens scaled to 125 % and more.
// Usage: draw_skin OUTPUT_DIR [FONT_DIR]
#include "IconWriter.h"
#include "skin/ColourKey.h"
#include "skin/FeedbackLayout.h"
#include "skin/MainLayout.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstring>

namespace {

const QColor key = QColor::fromRgb(windowColourKey);
const QColor panelTop(17, 53, 67);
const QColor outline(8, 24, 30);
const QColor captionColour(196, 232, 224);
const QColor glyph(186, 222, 214);
const QColor glyphLit(255, 255, 255);
const QColor green(96, 206, 112);
const QColor greenLit(150, 240, 150);

QString outDir;
int scale = 1; // the pictures' pixels to a layout pixel

// A picture `width` x `height` layout pixels large, at the current scale.
QImage canvas(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    return QImage(width * scale, height * scale, format);
}

// A painter in layout pixels, whatever the scale.
struct Painter : QPainter {
    explicit Painter(QImage *image) : QPainter(image) { QPainter::scale(::scale, ::scale); }
};

QFont tahoma(double points, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool save(const QImage &image, QString name)
{
    if (scale != 1)
        name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(scale));
    const QString path = outDir + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    bool ok;
    if (name.endsWith(QLatin1String(".bmp")))
        ok = image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
    else if (name.endsWith(QLatin1String(".png")))
        ok = image.save(path, "PNG");
    else
        ok = image.convertToFormat(QImage::Format_RGB888).save(path, "JPG", 95);
    if (!ok)
        std::fprintf(stderr, "draw_skin: %s: cannot write\n", qPrintable(path));
    return ok;
}

// A panel with curved corners on the key colour. The edge is drawn
// without blending into the key, so no near-key colour appears. At every
// scale the key covers exactly the layout pixels it covers at 1x: the
// window's shape, which is cut in layout pixels, then fits the picture.
QImage panel(QSize size, QRect body, QColor bottom)
{
    QImage face = canvas(size.width(), size.height());
    face.fill(outline);
    {
        Painter p(&face);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gradient(0, body.top(), 0, body.bottom());
        gradient.setColorAt(0, panelTop);
        gradient.setColorAt(0.14, panelTop.lighter(112));
        gradient.setColorAt(1, bottom);
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawRoundedRect(QRectF(body).adjusted(1.5, 1.5, -0.5, -0.5), 10, 10);
        // A soft sheen along the top edge.
        p.setPen(QPen(QColor(90, 150, 160, 110), 1));
        p.drawLine(QPointF(body.left() + 10, body.top() + 2.5), QPointF(body.right() - 10, body.top() + 2.5));
    }
    QPainterPath shape;
    shape.addRoundedRect(QRectF(body.left(), body.top(), body.width(), body.height()), 11, 11);
    QImage image = face;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!shape.contains(QPointF(x / scale + 0.5, y / scale + 0.5)))
                image.setPixel(x, y, key.rgb());
    return image;
}

void checkMark(QPainter &p, QRectF r, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(170));
    p.drawEllipse(r);
    QPen pen(colour, r.width() / 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.26, r.top() + r.height() * 0.52);
    tick.lineTo(r.left() + r.width() * 0.44, r.top() + r.height() * 0.70);
    tick.lineTo(r.left() + r.width() * 0.76, r.top() + r.height() * 0.32);
    p.drawPath(tick);
    p.restore();
}

void musicNote(QPainter &p, QPointF at, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.translate(at);
    p.save();
    p.translate(4, 12);
    p.rotate(-22);
    p.drawEllipse(QRectF(-3.6, -2.5, 7.2, 5.0));
    p.restore();
    p.drawRect(QRectF(6.6, 0.5, 1.4, 11.5));
    QPainterPath flag;
    flag.moveTo(8, 0.5);
    flag.cubicTo(10, 3, 13, 3.5, 11.5, 8.5);
    flag.cubicTo(11.8, 5.5, 10, 4.8, 8, 4.5);
    flag.closeSubpath();
    p.drawPath(flag);
    p.restore();
}

void titleGlyph(QPainter &p, const QString &which, QRectF r, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    const QPointF c = r.center();
    if (which == QLatin1String("X")) {
        p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
        p.drawLine(c + QPointF(-3.5, 3.5), c + QPointF(3.5, -3.5));
    } else if (which == QLatin1String("_")) {
        p.drawLine(QPointF(c.x() - 4, r.bottom() - 3.5), QPointF(c.x() + 4, r.bottom() - 3.5));
    } else {
        // "?": the same pen as "_" and "X", a hook over a dot, 8 px high.
        QPainterPath hook;
        hook.moveTo(c + QPointF(-3, -2));
        hook.arcTo(QRectF(c.x() - 3, c.y() - 5, 6, 6), 180, -240);
        hook.quadTo(c + QPointF(0, 0.5), c + QPointF(0, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hook);
        p.drawPoint(c + QPointF(0, 4.5));
    }
    p.restore();
}

void textButton(QPainter &p, QRectF r, const QString &text, QColor fill, QColor textColour, bool pressed)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, pressed ? fill.darker(125) : fill.lighter(135));
    gradient.setColorAt(1, pressed ? fill.darker(105) : fill);
    p.setPen(QPen(fill.darker(190), 1));
    p.setBrush(gradient);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const QRectF face = r.translated(pressed ? 1 : 0, pressed ? 1 : 0);
    if (text == QLatin1String("...")) {
        // Three round dots, as weighty as the title glyphs' strokes.
        p.setPen(Qt::NoPen);
        p.setBrush(textColour);
        for (int i = -1; i <= 1; ++i)
            p.drawEllipse(face.center() + QPointF(4.5 * i, 0), 1.3, 1.3);
    } else {
        p.setPen(textColour);
        p.setFont(tahoma(8.5, true));
        p.drawText(face, Qt::AlignCenter, text);
    }
    p.restore();
}

// A green arrow curving down from the upper left into the lower middle.
void curvedArrow(QPainter &p, QRectF r, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = r.width();
    const double h = r.height();
    QPainterPath arc;
    arc.moveTo(r.left() + w * 0.10, r.top() + h * 0.42);
    arc.cubicTo(r.left() + w * 0.18, r.top() + h * 0.02, r.left() + w * 0.62, r.top() + h * 0.00,
                r.left() + w * 0.60, r.top() + h * 0.50);
    QPen pen(colour, w * 0.13, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(r.left() + w * 0.38, r.top() + h * 0.48);
    head.lineTo(r.left() + w * 0.82, r.top() + h * 0.48);
    head.lineTo(r.left() + w * 0.60, r.top() + h * 0.80);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
    p.restore();
}

QImage crop(const QImage &image, QRect r)
{
    return image.copy(QRect(r.topLeft() * scale, r.size() * scale)).convertToFormat(QImage::Format_RGB32);
}

QImage dropPicture(bool lit)
{
    QImage image = canvas(143, 146);
    Painter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 146);
    gradient.setColorAt(0, lit ? QColor(52, 132, 132) : QColor(28, 84, 92));
    gradient.setColorAt(1, lit ? QColor(40, 112, 112) : QColor(20, 62, 72));
    p.fillRect(QRect(0, 0, 143, 146), gradient);
    p.setPen(QPen(lit ? QColor(170, 240, 200) : QColor(80, 150, 150), 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5.5, 5.5, 132, 135), 8, 8);
    curvedArrow(p, QRectF(28, 14, 90, 80), lit ? greenLit : green);
    p.setPen(lit ? QColor(255, 255, 255) : QColor(214, 240, 232));
    p.setFont(tahoma(10, true));
    p.drawText(QRectF(0, 96, 143, 36), Qt::AlignCenter, QStringLiteral("Drop Files Here"));
    return image;
}

QImage arrowButton(bool lit)
{
    QImage image = canvas(18, 18);
    image.fill(QColor(14, 40, 48));
    Painter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 18);
    gradient.setColorAt(0, lit ? QColor(70, 150, 150) : QColor(40, 92, 104));
    gradient.setColorAt(1, lit ? QColor(40, 110, 110) : QColor(22, 58, 68));
    p.setPen(QPen(QColor(8, 24, 30), 1));
    p.setBrush(gradient);
    p.drawRoundedRect(QRectF(0.5, 0.5, 17, 17), 3, 3);
    QPainterPath triangle;
    triangle.moveTo(5, 7);
    triangle.lineTo(13, 7);
    triangle.lineTo(9, 12);
    triangle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? QColor(255, 255, 255) : QColor(190, 228, 220));
    p.drawPath(triangle);
    return image;
}

QImage progressPiece(int width, int roundedSide)
{
    // roundedSide: -1 left end, 1 right end, 0 the body slice.
    const QColor track(10, 30, 38);
    QImage image = canvas(width, 14);
    image.fill(track);
    Painter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 14);
    // Dark enough that the white caption keeps a contrast of 4.5:1 or more.
    gradient.setColorAt(0, QColor(40, 132, 70));
    gradient.setColorAt(0.45, QColor(32, 118, 60));
    gradient.setColorAt(1, QColor(22, 92, 46));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    if (roundedSide == 0)
        p.fillRect(QRect(0, 1, width, 12), gradient);
    else
        p.drawRoundedRect(QRectF(roundedSide < 0 ? 0 : -6, 1, width + 6, 12), 4, 4);
    return image;
}

// The program's icon at `size` pixels. Drawn for the size: below 24 pixels
// letters cannot be read, so the arrow alone fills the square; at 24 and 32
// the letters take whole pixels and more of the height. `small` false keeps
// the one design at every size (the window's own icon).
QImage iconImage(int size, bool small = true)
{
    // Transparent around the rounded square: no dark corners on a desktop,
    // a taskbar or Explorer.
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QLinearGradient gradient(0, 0, 0, s);
    gradient.setColorAt(0, QColor(22, 78, 90));
    gradient.setColorAt(1, QColor(14, 52, 62));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.16, s * 0.16);
    if (small && size < 24) {
        curvedArrow(p, QRectF(s * 0.04, s * 0.08, s * 0.92, s * 0.92), green);
        return image;
    }
    const bool fewPixels = small && size <= 32;
    curvedArrow(p, fewPixels ? QRectF(s * 0.16, s * 0.0, s * 0.68, s * 0.56) : QRectF(s * 0.12, s * 0.02, s * 0.78, s * 0.62),
                green);
    QFont font = tahoma(1, true);
    if (fewPixels) {
        font.setPixelSize(size <= 24 ? 9 : 12);
        font.setHintingPreference(QFont::PreferFullHinting);
        font.setLetterSpacing(QFont::AbsoluteSpacing, size <= 24 ? 0 : 0.5);
    } else {
        font.setPixelSize(static_cast<int>(s * (size <= 16 ? 0.5 : 0.38)));
    }
    p.setFont(font);
    p.setPen(QColor(255, 255, 255));
    const QRectF letters = fewPixels ? QRectF(0, s * 0.52, s, s * 0.46) : QRectF(0, s * 0.56, s, s * 0.44);
    p.drawText(letters, Qt::AlignCenter, QStringLiteral("MP3"));
    return image;
}

// The large icon's design as SVG, for desktops that scale their icons
// (hicolor's scalable/): the same square, arrow and letters, in the same
// proportions as iconImage() draws them.
bool writeIconSvg(const QString &path)
{
    const double s = 256;
    const double l = s * 0.12, t = s * 0.02, w = s * 0.78, h = s * 0.62; // the arrow's box
    const auto at = [&](double fx, double fy) { return QStringLiteral("%1,%2").arg(l + w * fx, 0, 'f', 2).arg(t + h * fy, 0, 'f', 2); };
    const QString svg =
        QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
                       "  <defs><linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                       "<stop offset=\"0\" stop-color=\"#164e5a\"/><stop offset=\"1\" stop-color=\"#0e343e\"/>"
                       "</linearGradient></defs>\n"
                       "  <rect width=\"256\" height=\"256\" rx=\"%1\" fill=\"url(#face)\"/>\n"
                       "  <path d=\"M%2 C%3 %4 %5\" fill=\"none\" stroke=\"%6\" stroke-width=\"%7\"/>\n"
                       "  <path d=\"M%8 L%9 L%10 Z\" fill=\"%6\"/>\n"
                       "  <text x=\"128\" y=\"%11\" text-anchor=\"middle\" font-family=\"Tahoma, DejaVu Sans, sans-serif\" "
                       "font-weight=\"bold\" font-size=\"%12\" fill=\"#ffffff\">MP3</text>\n"
                       "</svg>\n")
            .arg(s * 0.16, 0, 'f', 2)
            .arg(at(0.10, 0.42), at(0.18, 0.02), at(0.62, 0.00), at(0.60, 0.50), green.name())
            .arg(w * 0.13, 0, 'f', 2)
            .arg(at(0.38, 0.48), at(0.82, 0.48), at(0.60, 0.80))
            .arg(s * 0.78 + s * 0.38 * 0.36, 0, 'f', 2) // the letters centred as drawn
            .arg(static_cast<int>(s * 0.38));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(svg.toUtf8()) > 0;
}

// The window's icon has no alpha (24 and 8 bits): the square on the dark
// teal it always had.
QImage opaqueIcon(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(12, 44, 52));
    QPainter(&image).drawImage(0, 0, iconImage(size, false));
    return image;
}

QImage handCursor()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath hand;
    hand.moveTo(5, 1);               // the index finger, tip at (6, 0)
    hand.lineTo(8, 1);
    hand.lineTo(9, 2);
    hand.lineTo(9, 10);
    hand.lineTo(13, 10);             // middle finger
    hand.lineTo(14, 11);
    hand.lineTo(17, 11);             // ring finger
    hand.lineTo(18, 12);
    hand.lineTo(20, 12);             // little finger
    hand.lineTo(21, 13);
    hand.lineTo(21, 21);
    hand.lineTo(19, 25);
    hand.lineTo(18, 28);
    hand.lineTo(8, 28);
    hand.lineTo(7, 25);
    hand.lineTo(2, 19);              // the thumb
    hand.lineTo(1, 16);
    hand.lineTo(2, 15);
    hand.lineTo(4, 15);
    hand.lineTo(4, 2);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.drawLine(6, 0, 7, 0);
    p.drawLine(9, 10, 9, 15);
    p.drawLine(13, 11, 13, 15);
    p.drawLine(17, 12, 17, 15);
    return image;
}

// A control's rectangle as its window's layout table gives it.
QRect rectOf(const WindowSpec &window, const char *name)
{
    for (const ControlSpec &row : window.controls)
        if (std::strcmp(row.name, name) == 0)
            return {row.x, row.y, row.width, row.height};
    std::fprintf(stderr, "draw_skin: no control %s in %s\n", name, window.name);
    std::exit(1);
}

// A hover picture: the holder's size at the place of the control it serves.
QRect hoverRect(const WindowSpec &window, const char *control, const char *holder)
{
    return {rectOf(window, control).topLeft(), rectOf(window, holder).size()};
}

void caption(QPainter &p, QRectF r, const QString &text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    p.setPen(captionColour);
    p.setFont(tahoma(9));
    p.drawText(r, align, text);
}

void titleRule(QPainter &p, int left, int right, int y)
{
    p.setPen(QColor(8, 30, 36));
    p.drawLine(left, y, right, y);
    p.setPen(QColor(60, 120, 128));
    p.drawLine(left, y + 1, right, y + 1);
}

bool drawMainWindow()
{
    const WindowSpec &main = mainWindowSpec();
    QImage bg = panel({400, 220}, QRect(6, 3, 386, 213), QColor(66, 136, 123));
    {
        Painter p(&bg);
        p.setRenderHint(QPainter::TextAntialiasing);
        musicNote(p, {13, 8}, greenLit);
        p.setPen(QColor(255, 255, 255));
        p.setFont(tahoma(10, true));
        p.drawText(QRectF(29, 7, 48, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tolvik"));
        titleRule(p, 14, 383, 30);
        titleGlyph(p, QStringLiteral("?"), rectOf(main, "imgHelp"), glyph);
        titleGlyph(p, QStringLiteral("_"), rectOf(main, "imgMin"), glyph);
        titleGlyph(p, QStringLiteral("X"), rectOf(main, "imgExit"), glyph);
        caption(p, QRectF(18, 37, 100, 16), QStringLiteral("Bitrate (Kbps):"));
        caption(p, QRectF(124, 37, 100, 16), QStringLiteral("Rate (Hz):"));
        caption(p, QRectF(18, 85, 150, 16), QStringLiteral("Audio Channel:"));
        caption(p, QRectF(18, 133, 150, 16), QStringLiteral("Output Folder:"));
        textButton(p, rectOf(main, "imgBrowse"), QStringLiteral("..."), QColor(36, 92, 100), glyph, false);
        // The drop area's frame.
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(10, 34, 42), 2));
        p.setBrush(QColor(10, 34, 42));
        p.drawRoundedRect(QRectF(234, 31, 151, 154), 6, 6);
        p.setPen(QPen(QColor(96, 170, 164), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(235.5, 32.5, 148, 151), 5, 5);
        // The empty progress track, x 15..224, y 195..208.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(6, 20, 26));
        p.setBrush(QColor(10, 30, 38));
        p.drawRect(QRect(14, 194, 211, 15));
        checkMark(p, QRectF(313, 197, 12, 12), greenLit);
    }
    bool ok = save(bg, QStringLiteral("main/Background.bmp"));
    QImage minLight = crop(bg, hoverRect(main, "imgMin", "imgMinLight"));
    { Painter p(&minLight); titleGlyph(p, QStringLiteral("_"), QRectF(0, 0, 14, 14), glyphLit); }
    QImage exitLight = crop(bg, hoverRect(main, "imgExit", "imgExitLight"));
    {
        Painter p(&exitLight);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 60, 60));
        p.drawRoundedRect(QRectF(0, 0, 14, 13), 3, 3);
        titleGlyph(p, QStringLiteral("X"), QRectF(0, -1, 14, 15), glyphLit);
    }
    // Each hover glyph lies exactly where its resting glyph does.
    QImage helpLight = crop(bg, hoverRect(main, "imgHelp", "imgHelpLight"));
    { Painter p(&helpLight); titleGlyph(p, QStringLiteral("?"), QRectF(QPointF(0, 0), rectOf(main, "imgHelp").size()), glyphLit); }
    QImage browseLight = crop(bg, hoverRect(main, "imgBrowse", "imgBrowseLight"));
    QImage browseDark = crop(bg, hoverRect(main, "imgBrowse", "imgBrowseDark"));
    { Painter p(&browseLight); textButton(p, QRectF(0, 0, 42, 22), QStringLiteral("..."), QColor(56, 140, 140), glyphLit, false); }
    { Painter p(&browseDark); textButton(p, QRectF(0, 0, 42, 22), QStringLiteral("..."), QColor(24, 64, 72), glyphLit, true); }
    ok &= save(minLight, QStringLiteral("main/MinLight.jpg"));
    ok &= save(exitLight, QStringLiteral("main/ExitLight.jpg"));
    ok &= save(exitLight, QStringLiteral("feedback/ExitLight.jpg"));
    ok &= save(helpLight, QStringLiteral("main/HelpLight.jpg"));
    ok &= save(browseLight, QStringLiteral("main/BrowseLight.jpg"));
    ok &= save(browseDark, QStringLiteral("main/BrowseDark.jpg"));
    ok &= save(dropPicture(false), QStringLiteral("main/Drag.jpg"));
    ok &= save(dropPicture(true), QStringLiteral("main/DragLight.jpg"));
    ok &= save(arrowButton(false), QStringLiteral("main/Button.jpg"));
    ok &= save(arrowButton(true), QStringLiteral("main/ButtonLight.jpg"));
    ok &= save(progressPiece(1, 0), QStringLiteral("main/PB.jpg"));
    ok &= save(progressPiece(5, -1), QStringLiteral("main/PBLeft.jpg"));
    ok &= save(progressPiece(5, 1), QStringLiteral("main/PBRight.jpg"));
    if (scale != 1) // icons and the cursor are drawn per size, below
        return ok;
    ok &= writeIcon(outDir + QStringLiteral("/main/Icon.ico"),
                    {{opaqueIcon(48), 24}, {opaqueIcon(32), 24}, {opaqueIcon(16), 8}});
    // The executables' icon (Explorer, taskbar, Start menu, installer).
    ok &= writeIcon(outDir + QStringLiteral("/icons/tolvik.ico"),
                    {{iconImage(256), 32}, {iconImage(48), 32}, {iconImage(32), 32}, {iconImage(24), 32},
                     {iconImage(16), 32}});
    ok &= writeIconSvg(outDir + QStringLiteral("/icons/tolvik.svg"));
    ok &= writeMonochromeCursor(outDir + QStringLiteral("/Hand.cur"), handCursor(), {6, 0});
    // The desktop's application icon: the window icon's picture, each size drawn anew.
    for (const int size : {16, 32, 48, 64, 128, 256})
        ok &= save(iconImage(size), QStringLiteral("icons/tolvik-%1.png").arg(size));
    return ok;
}

bool drawFeedbackWindow()
{
    const WindowSpec &feedback = feedbackWindowSpec();
    QImage bg = panel({330, 180}, QRect(6, 3, 316, 167), QColor(68, 139, 126));
    const QColor buttonFill(36, 92, 100);
    {
        Painter p(&bg);
        p.setRenderHint(QPainter::TextAntialiasing);
        checkMark(p, QRectF(14, 10, 15, 15), greenLit);
        p.setPen(QColor(255, 255, 255));
        p.setFont(tahoma(10, true));
        p.drawText(QRectF(34, 8, 120, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Feedback"));
        titleRule(p, 14, 313, 32);
        titleGlyph(p, QStringLiteral("X"), rectOf(feedback, "imgExit"), glyph);
        const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
        caption(p, QRectF(10, 50, 94, 21), QStringLiteral("Your Name:"), right);
        caption(p, QRectF(10, 76, 94, 21), QStringLiteral("Your Email:"), right);
        caption(p, QRectF(10, 102, 94, 21), QStringLiteral("Comment:"), right);
        textButton(p, rectOf(feedback, "imgSend"), QStringLiteral("Send"), buttonFill, glyph, false);
        textButton(p, rectOf(feedback, "imgBack"), QStringLiteral("Back"), buttonFill, glyph, false);
    }
    bool ok = save(bg, QStringLiteral("feedback/Background.bmp"));
    QImage sendLight = crop(bg, hoverRect(feedback, "imgSend", "imgSendLight"));
    QImage backLight = crop(bg, hoverRect(feedback, "imgBack", "imgBackLight"));
    { Painter p(&sendLight); textButton(p, QRectF(0, 0, 58, 18), QStringLiteral("Send"), QColor(56, 140, 140), glyphLit, false); }
    { Painter p(&backLight); textButton(p, QRectF(0, 0, 58, 18), QStringLiteral("Back"), QColor(56, 140, 140), glyphLit, false); }
    ok &= save(sendLight, QStringLiteral("feedback/SendLight.jpg"));
    ok &= save(backLight, QStringLiteral("feedback/BackLight.jpg"));
    if (scale != 1)
        return ok;

    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(QColor(14, 52, 62));
    { QPainter p(&icon); checkMark(p, QRectF(1, 1, 14, 14), greenLit); }
    ok &= writeIcon(outDir + QStringLiteral("/feedback/Icon.ico"), {{icon, 24}});
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_skin OUTPUT_DIR [FONT_DIR]\n");
        return 1;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    if (argc > 2) {
        const QDir fonts(QString::fromLocal8Bit(argv[2]));
        for (const QString &name : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")})
            QFontDatabase::addApplicationFont(fonts.filePath(name));
    }
    bool ok = true;
    for (const int each : {1, 2}) {
        scale = each;
        ok = ok && drawMainWindow() && drawFeedbackWindow();
    }
    return ok ? 0 : 1;
}
