#pragma once

#include "SkinPicture.h"

// A windowless picture element of a skin: it shows a picture or nothing,
// and it receives the mouse over its whole rectangle even when empty.
// A stretching element scales its picture to its own size; any other
// element takes the size of the picture it is given.
class ImageElement : public SkinPicture {
    Q_OBJECT
public:
    explicit ImageElement(QWidget *parent = nullptr);

    void setStretch(bool stretch);
    void setPicture(const QPixmap &picture) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_stretch = false;
};
