#include "SkinnedWindow.h"

#include "ColourKey.h"
#include "SkinBuilder.h"
#include "SkinResources.h"

#include <QIcon>
#include <QPainter>

SkinnedWindow::SkinnedWindow(const WindowSpec &spec, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    initSkinResources();
    m_background = QImage(QString::fromLatin1(spec.background));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(spec.clientWidth, spec.clientHeight);
    setWindowTitle(QString::fromUtf8(spec.title));
    setWindowIcon(QIcon(QString::fromLatin1(spec.icon)));
    setMouseTracking(true);
    SkinBuilder::build(this, spec);
}

void SkinnedWindow::applyColourKey()
{
    ::applyColourKey(this, m_background);
}

void SkinnedWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_background);
}
