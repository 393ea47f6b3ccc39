#include "DropArea.h"

#include "names/FileUrls.h"
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
            if (url.isLocalFile() && fileUrlProblem(url).isEmpty())
                paths.append(platform::localFileOf(url));
        }
    }
    emit dropped(paths);
}
