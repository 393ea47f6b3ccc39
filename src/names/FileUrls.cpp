#include "FileUrls.h"

#include <QByteArray>
#include <QUrl>

bool isFileUrl(const QByteArray &text)
{
    return text.size() >= 5 && text.first(5).toLower() == "file:";
}

QString fileUrlProblem(const QUrl &url)
{
    if (!url.isValid() || url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("not a file address");
    // "%00" would end the name early: a.wav%00/x/b.wav would read a.wav.
    if (QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).contains('\0'))
        return QStringLiteral("a file address with a NUL in its name");
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("a file on another computer (%1)").arg(host);
    if (!url.path().startsWith(QLatin1Char('/')))
        return QStringLiteral("a file address without a full path");
    return {};
}
