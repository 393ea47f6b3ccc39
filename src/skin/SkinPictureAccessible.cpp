#include "SkinPictureAccessible.h"

#include "SkinPicture.h"

SkinPictureAccessible::SkinPictureAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Button) {}

QStringList SkinPictureAccessible::actionNames() const
{
    return {pressAction()};
}

void SkinPictureAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        static_cast<SkinPicture *>(widget())->click();
}

void SkinPictureAccessible::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory([](const QString &, QObject *object) -> QAccessibleInterface * {
        if (auto *picture = qobject_cast<SkinPicture *>(object))
            return new SkinPictureAccessible(picture);
        return nullptr;
    });
}
