#include "SkinBehaviour.h"

#include "HoverLook.h"
#include "ImageElement.h"
#include "WindowDrag.h"

#include <QWidget>

namespace {

QPixmap holderPicture(QWidget *window, const char *holder)
{
    if (!holder)
        return {};
    auto *image = window->findChild<ImageElement *>(QString::fromLatin1(holder));
    return image ? image->picture() : QPixmap();
}

} // namespace

SkinBehaviour::SkinBehaviour(QWidget *window, const SkinSpec &layout) : QObject(window)
{
    for (const LookSpec &look : layout.looks) {
        auto *control = window->findChild<QWidget *>(QString::fromLatin1(look.control));
        if (!control)
            continue;
        m_looks << new HoverLook(control, look.kind, holderPicture(window, look.hover),
                                 holderPicture(window, look.press), holderPicture(window, look.rest));
    }
    for (const char *name : layout.resetOrder)
        if (HoverLook *hover = look(name))
            m_resetOrder << hover;

    auto *drag = new WindowDrag(window);
    connect(drag, &WindowDrag::surfaceMoved, this, &SkinBehaviour::resetLooks);
}

HoverLook *SkinBehaviour::look(const char *control) const
{
    for (HoverLook *hover : m_looks)
        if (hover->control()->objectName() == QLatin1String(control))
            return hover;
    return nullptr;
}

void SkinBehaviour::resetLooks()
{
    for (HoverLook *hover : m_resetOrder)
        hover->showRest();
}
