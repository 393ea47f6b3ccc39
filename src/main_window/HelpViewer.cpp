#include "HelpViewer.h"

#include <QKeyEvent>
#include <QUrl>

HelpViewer::HelpViewer(const QString &helpFile) : QTextBrowser(nullptr)
{
    setObjectName(QStringLiteral("helpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Tolvik Help"));
    setOpenExternalLinks(false);
    setSource(QUrl::fromLocalFile(helpFile));
    resize(560, 620);
}

void HelpViewer::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}
