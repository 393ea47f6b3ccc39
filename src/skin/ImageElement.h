#pragma once

#include "ClickTracker.h"

#include <QPixmap>
#include <QWidget>

// A windowless picture element of a skin: it shows a picture or nothing,
// and it receives the mouse over its whole rectangle even when empty.
// A stretching element scales its picture to its own size; any other
// element takes the size of the picture it is given.
class ImageElement : public QWidget {
    Q_OBJECT
public:
    explicit ImageElement(QWidget *parent = nullptr);

    void setStretch(bool stretch);

    void setPicture(const QPixmap &picture);
    void clearPicture();
    const QPixmap &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    bool m_stretch = false;
    ClickTracker m_click;
};
