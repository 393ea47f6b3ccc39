#include "FailureList.h"

#include "BatchTexts.h"


#include <QDialogButtonBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QVBoxLayout>

FailureList::FailureList(const QList<FileOutcome> &failures, const QString &logFile, bool logWritten, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("failureList"));
    setWindowTitle(tr("Failures"));
    setAttribute(Qt::WA_DeleteOnClose);
    QStringList lines;
    if (failures.isEmpty())
        lines << tr("No file failed in the last batch.");
    else
        lines << tr("%n file(s) failed in the last batch:", nullptr, int(failures.size()));
    for (const FileOutcome &file : failures)
        lines << QDir::toNativeSeparators(file.source) + QStringLiteral(" \u2014 ") + file.reason;
    lines << (logWritten ? tr("Every failure is also written to %1").arg(QDir::toNativeSeparators(logFile))
                         : BatchTexts::logUnwritten(QDir::toNativeSeparators(logFile)));

    auto *text = new QPlainTextEdit(lines.join(QLatin1Char('\n')), this);
    text->setObjectName(QStringLiteral("failureText"));
    text->setAccessibleName(tr("Failures"));
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
