#include "FileNameEncoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace platform {

// Windows stores names in UTF-16: every name has a UTF-8 form.
QString decodeFileName(const QByteArray &bytes)
{
    return QDir::toNativeSeparators(QString::fromUtf8(bytes));
}

QByteArray encodeFileName(const QString &name)
{
    return name.toUtf8();
}

QList<QByteArray> commandLineArguments(int, char **)
{
    // argv is in the ANSI code page; Qt reads the wide command line.
    QList<QByteArray> arguments;
    const QStringList words = QCoreApplication::arguments();
    for (qsizetype i = 1; i < words.size(); ++i)
        arguments << words[i].toUtf8();
    return arguments;
}

QString localFileOf(const QUrl &url)
{
    return QDir::toNativeSeparators(url.toLocalFile());
}

} // namespace platform
