#include "SourceFileChooser.h"

#include "common/AudioSignature.h"

#include <QDir>
#include <QCoreApplication>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

QString musicFolder()
{
    QString start = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (start.isEmpty() || !QDir(start).exists())
        start = QDir::homePath();
    return start;
}

void openChooser(QFileDialog *dialog, std::function<void(const QStringList &)> chosen)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::filesSelected, dialog, [chosen](const QStringList &files) {
        QStringList native;
        for (const QString &file : files)
            native << QDir::toNativeSeparators(file);
        chosen(native);
    });
    dialog->open();
}

} // namespace

void chooseSourceFiles(QWidget *owner, std::function<void(const QStringList &files)> chosen)
{
    QStringList patterns;
    for (const char *extension : audiosignature::audioExtensions)
        patterns << QStringLiteral("*.") + QLatin1String(extension);
    const QStringList filters{
        QCoreApplication::translate("SourceFileChooser", "Audio files (%1)").arg(patterns.join(QLatin1Char(' '))),
        QCoreApplication::translate("SourceFileChooser", "All files (*)")};
    auto *dialog = new QFileDialog(owner, QCoreApplication::translate("SourceFileChooser", "Add audio files"), musicFolder(),
                                   filters.join(QStringLiteral(";;")));
    dialog->setObjectName(QStringLiteral("sourceChooser"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    openChooser(dialog, std::move(chosen));
}

void chooseSourceFolder(QWidget *owner, std::function<void(const QStringList &folder)> chosen)
{
    auto *dialog = new QFileDialog(owner, QCoreApplication::translate("SourceFileChooser", "Add a folder of audio files"),
                                   musicFolder());
    dialog->setObjectName(QStringLiteral("sourceFolderChooser"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    openChooser(dialog, std::move(chosen));
}
