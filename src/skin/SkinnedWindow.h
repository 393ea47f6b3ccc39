#pragma once

#include "ControlSpec.h"

#include <QImage>
#include <QWidget>

// A fixed-size, frameless window whose face is one background picture,
// with the controls of its layout table laid over it.
class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    explicit SkinnedWindow(const WindowSpec &layout, QWidget *parent = nullptr);

    template <typename T>
    T *control(const char *name) const
    {
        return findChild<T *>(QString::fromLatin1(name));
    }

    const QImage &background() const { return m_background; }

    // Cuts the window's outline out of its background (the colour key).
    void applyColourKey();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_background;
};
