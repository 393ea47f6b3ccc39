#include "DropArea.h"

#include "platform/FileNameEncoding.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

DropArea::DropArea(QWidget *parent) : PictureBox(parent)
{
    setAcceptDrops(true);
}

void DropArea::dragEnterEvent(QDragEnterEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit dragStateChanged(Enter);
}

void DropArea::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit dragStateChanged(Over);
}

void DropArea::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
    emit dragStateChanged(Leave);
}

void DropArea::dropEvent(QDropEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    QStringList paths;
    if (event->mimeData()->hasUrls()) {
        for (const QUrl &url : event->mimeData()->urls()) {
            // The path's own bytes: toLocalFile() would lose those of a
            // name that is not UTF-8.
            if (url.isLocalFile())
                paths.append(platform::decodeFileName(
                    QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())));
        }
    }
    emit dropped(paths);
}
