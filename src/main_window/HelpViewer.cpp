#include "HelpViewer.h"

#include <QFile>
#include <QKeyEvent>
#include <QTextCursor>

HelpViewer::HelpViewer(const QString &helpFile) : QTextEdit(nullptr)
{
    setObjectName(QStringLiteral("helpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Tolvik Help"));
    setAccessibleName(tr("Tolvik Help"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFile page(helpFile);
    if (page.open(QIODevice::ReadOnly))
        setHtml(QString::fromUtf8(page.readAll())); // one page, its style inside: nothing else to load
    moveCursor(QTextCursor::Start);
    resize(560, 620);
}

void HelpViewer::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QTextEdit::keyPressEvent(event);
}
