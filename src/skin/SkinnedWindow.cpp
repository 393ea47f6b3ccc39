#include "SkinnedWindow.h"

#include "FocusMark.h"
#include "SkinPictureAccessible.h"

#include "ColourKey.h"
#include "SkinResources.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>

SkinnedWindow::SkinnedWindow(const WindowSpec &layout, const ControlFactory &factory, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    initSkinResources();
    m_background = QImage(QString::fromLatin1(layout.background));
    m_face = m_background;
    // A Wayland compositor applies no window shape: there the key colour
    // becomes real transparency (the mask, cut from the keyed background,
    // still keeps clicks off it).
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        setAttribute(Qt::WA_TranslucentBackground);
        m_face = withKeyTransparent(m_background);
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    setFixedSize(layout.clientWidth, layout.clientHeight);
    setWindowTitle(QString::fromUtf8(layout.title));
    setWindowIcon(QIcon(QString::fromLatin1(layout.icon)));
    setMouseTracking(true);
    // A window that is not active shows tool tips too: right after a drop
    // from the file manager, the file manager is the active window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    SkinPictureAccessible::install();
    SkinBuilder::build(this, layout, factory);
    new FocusMark(this);
}

void SkinnedWindow::applyColourKey()
{
    ::applyColourKey(this, m_background);
}

void SkinnedWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_face);
}
