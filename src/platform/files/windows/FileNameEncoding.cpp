#include "platform/files/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include <windows.h>
#include <shellapi.h>

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

QList<QByteArray> commandLineArguments(int, char **, int restCount, char **)
{
    // argv is in the ANSI code page; Qt reads the wide command line (and
    // leaves out its own options); what comes from "--" on is read from
    // the wide command line here.
    QList<QByteArray> arguments;
    const QStringList words = QCoreApplication::arguments();
    for (qsizetype i = 1; i < words.size(); ++i)
        arguments << words[i].toUtf8();
    if (restCount > 0) {
        int count = 0;
        wchar_t **all = CommandLineToArgvW(GetCommandLineW(), &count);
        for (int i = count - restCount; all && i < count; ++i)
            arguments << QString::fromWCharArray(all[i]).toUtf8();
        LocalFree(all);
    }
    return arguments;
}

QString localFileOf(const QUrl &url)
{
    return QDir::toNativeSeparators(url.toLocalFile());
}

} // namespace platform
