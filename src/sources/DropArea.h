#pragma once

#include "skin/PictureBox.h"

#include <QStringList>

class QMimeData;

// The drop area: a picture box that accepts every drag, lights up while
// one is over it and reports what it drops. The window decides what a drop
// means.
class DropArea : public PictureBox {
    Q_OBJECT
public:
    enum DragState { Enter = 0, Leave = 1, Over = 2 };
    Q_ENUM(DragState)

    explicit DropArea(QWidget *parent = nullptr);

    // The pictures at rest and under a drag: the skin's holders, read when
    // shown, so a change of the screen's scale reaches them.
    void setLooks(const SkinPicture *rest, const SkinPicture *lit);

    // The local files a drop carries, in its order (addresses that name
    // no file here left out).
    static QStringList localFiles(const QMimeData *data);

signals:
    void dragStateChanged(DropArea::DragState state);
    // The local files of a drop, in the drop's order (empty for data
    // without local files).
    void dropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void showLook(bool lit);

    const SkinPicture *m_rest = nullptr;
    const SkinPicture *m_lit = nullptr;
};
