#include "SourceFileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

void chooseSourceFiles(QWidget *owner, std::function<void(const QStringList &files)> chosen)
{
    QString start = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (start.isEmpty() || !QDir(start).exists())
        start = QDir::homePath();
    auto *dialog = new QFileDialog(owner, QStringLiteral("Add WAV files"), start,
                                   QStringLiteral("WAV files (*.wav *.WAV *.wave);;All files (*)"));
    dialog->setObjectName(QStringLiteral("sourceChooser"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::filesSelected, dialog, [chosen](const QStringList &files) {
        QStringList native;
        for (const QString &file : files)
            native << QDir::toNativeSeparators(file);
        chosen(native);
    });
    dialog->open();
}
