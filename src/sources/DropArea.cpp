#include "DropArea.h"

#include "names/FileUrls.h"
#include "platform/files/Files.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

DropArea::DropArea(QWidget *parent) : PictureBox(parent)
{
    setAcceptDrops(true);
}

void DropArea::setLooks(const SkinPicture *rest, const SkinPicture *lit)
{
    m_rest = rest;
    m_lit = lit;
}

void DropArea::showLook(bool lit)
{
    if (const SkinPicture *look = lit ? m_lit : m_rest)
        setPicture(look->picture());
}

void DropArea::dragEnterEvent(QDragEnterEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    showLook(false);
    emit dragStateChanged(Enter);
}

void DropArea::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    showLook(true);
    emit dragStateChanged(Over);
}

void DropArea::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
    showLook(false);
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
    showLook(false);
    emit dropped(localFiles(event->mimeData()));
}
