#include "SkinAccessibility.h"

#include "FieldAccessible.h"
#include "LinkAccessible.h"
#include "ListAccessible.h"
#include "SkinPicture.h"
#include "SkinPictureAccessible.h"
#include "SkinnedWindow.h"
#include "SpokenStatus.h"
#include "WindowAccessible.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void installSkinAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory([](const QString &, QObject *object) -> QAccessibleInterface * {
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget)
            return nullptr;
        if (auto *picture = qobject_cast<SkinPicture *>(widget))
            return new SkinPictureAccessible(picture);
        if (qobject_cast<SpokenNotice *>(widget))
            return new QAccessibleWidget(widget, QAccessible::Notification);
        if (qobject_cast<SkinnedWindow *>(widget))
            return new WindowAccessible(widget);
        if (!qobject_cast<SkinnedWindow *>(widget->window()))
            return nullptr; // dialogs and menus keep Qt's own
        if (auto *list = qobject_cast<QComboBox *>(widget))
            return new ListAccessible(list);
        if (qobject_cast<QLabel *>(widget))
            return new LinkAccessible(widget);
        if (auto *field = qobject_cast<QLineEdit *>(widget))
            return new FieldAccessible(field);
        return nullptr;
    });
}
