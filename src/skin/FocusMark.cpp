#include "FocusMark.h"

#include "SkinPicture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPainter>

FocusMark::FocusMark(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("focusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusMark::follow(QWidget *focused)
{
    // Pictures and links draw no focus of their own; the lists' own (a
    // thin line in the style's colours) is too faint on the dark skin.
    const bool ours = focused && focused->window() == window() && focused != window()
                      && (qobject_cast<SkinPicture *>(focused) || qobject_cast<QLabel *>(focused)
                          || qobject_cast<QComboBox *>(focused));
    m_target = ours ? focused : nullptr;
    if (!ours) {
        hide();
        return;
    }
    const QRect around(focused->mapTo(window(), QPoint(0, 0)) - QPoint(2, 2), focused->size() + QSize(4, 4));
    setGeometry(around);
    raise();
    show();
    update();
}

void FocusMark::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(QColor(180, 235, 225), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
