#pragma once

#include <QAccessibleWidget>

// What a screen reader sees of a picture control: a button with its
// name, which it can press. (Qt would offer a nameless "filler".)
class SkinPictureAccessible : public QAccessibleWidget {
public:
    explicit SkinPictureAccessible(QWidget *widget);

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};
