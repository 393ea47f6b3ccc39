#include "SkinnedWindow.h"

#include "FocusMark.h"
#include "SkinAccessibility.h"

#include "ColourKey.h"
#include "ScaledPicture.h"
#include "SkinResources.h"
#include "UserLanguage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>

#include <algorithm>

SkinnedWindow::SkinnedWindow(const WindowSpec &layout, const ControlFactory &factory, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    initSkinResources();
    UserLanguage::install();
    m_backgroundPath = QString::fromLatin1(layout.background);
    m_background = QImage(m_backgroundPath);
    setFixedSize(layout.clientWidth, layout.clientHeight);
    // A Wayland compositor applies no window shape: there the key colour
    // becomes real transparency (the mask, cut from the keyed background,
    // still keeps clicks off it). On a scaled screen the face is drawn from
    // the larger pictures, cut to the shape as it lands on the screen.
    m_transparent = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    setAttribute(m_transparent ? Qt::WA_TranslucentBackground : Qt::WA_OpaquePaintEvent);
    drawFace();
    setWindowTitle(QCoreApplication::translate(layout.name, layout.title));
    setWindowIcon(QIcon(QString::fromLatin1(layout.icon)));
    setMouseTracking(true);
    // A window that is not active shows tool tips too: right after a drop
    // from the file manager, the file manager is the active window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    installSkinAccessibility();
    SkinBuilder::build(this, layout, factory);
    new FocusMark(this);
}

void SkinnedWindow::applyColourKey()
{
    ::applyColourKey(this, m_background);
}

void SkinnedWindow::drawFace()
{
    m_face = scaledBackground(m_backgroundPath, devicePixelRatioF(), windowShape(m_background, size()), m_transparent);
}

void SkinnedWindow::paintEvent(QPaintEvent *)
{
    if (m_face.devicePixelRatio() != std::max<qreal>(devicePixelRatioF(), 1.0))
        drawFace();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_face);
}
