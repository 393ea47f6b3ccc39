#pragma once

#include "ControlSpec.h"
#include "SkinBuilder.h"

#include <QImage>
#include <QWidget>

// A fixed-size, frameless window whose face is one background picture,
// with the controls of its layout table laid over it.
class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    explicit SkinnedWindow(const WindowSpec &layout, const ControlFactory &factory = {},
                           QWidget *parent = nullptr);

    template <typename T>
    T *control(const char *name) const
    {
        return findChild<T *>(QString::fromLatin1(name));
    }

    // Cuts the window's outline out of its background (the colour key).
    void applyColourKey();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The face for the screen the window is on now.
    void drawFace();

    QString m_backgroundPath;
    bool m_transparent = false;
    QImage m_background; // the skin's picture, key colour and all: the shape
    QImage m_face;       // what is painted
};
