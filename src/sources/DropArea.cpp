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

QStringList DropArea::localFiles(const QMimeData *data)
{
    QStringList paths;
    if (data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile() && fileUrlProblem(url).isEmpty())
                paths.append(platform::localFileOf(url));
        }
    }
    return paths;
}

void DropArea::dropEvent(QDropEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit dropped(localFiles(event->mimeData()));
}
