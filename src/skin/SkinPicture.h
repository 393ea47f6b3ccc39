#pragma once

#include <QPixmap>
#include <QWidget>

// What every picture control of a skin shares: it shows a picture (or
// nothing) at its top-left corner and reports a click, that is a left
// press on it and a left release over it. Mouse moves over it are its own, never the
// window surface's.
class SkinPicture : public QWidget {
    Q_OBJECT
public:
    explicit SkinPicture(QWidget *parent = nullptr);

    virtual void setPicture(const QPixmap &picture);
    void clearPicture() { setPicture(QPixmap()); }
    const QPixmap &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // Pressed from the keyboard or by a screen reader: the same click.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

    QPixmap m_picture;

private:
    bool m_pressedInside = false;
};
