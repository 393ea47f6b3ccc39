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
