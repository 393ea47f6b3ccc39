#include "FailureList.h"

#include "Counted.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QVBoxLayout>

FailureList::FailureList(const QList<FileOutcome> &failures, const QString &logFile, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("failureList"));
    setWindowTitle(QStringLiteral("Failures"));
    setAttribute(Qt::WA_DeleteOnClose);
    QStringList lines;
    if (failures.isEmpty())
        lines << QStringLiteral("No file failed in the last batch.");
    else
        lines << QStringLiteral("%1 failed in the last batch:").arg(counted(int(failures.size()), "file", "files"));
    for (const FileOutcome &file : failures)
        lines << QDir::toNativeSeparators(file.source) + QStringLiteral(" \u2014 ") + file.reason;
    lines << QStringLiteral("Every failure is also written to %1").arg(QDir::toNativeSeparators(logFile));

    auto *text = new QPlainTextEdit(lines.join(QLatin1Char('\n')), this);
    text->setObjectName(QStringLiteral("failureText"));
    text->setAccessibleName(QStringLiteral("Failures"));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(640, 320);
    text->setFocus();
}
