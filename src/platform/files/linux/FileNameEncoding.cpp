#include "platform/files/Files.h"

#include "common/Utf8Sequence.h"

#include <QUrl>

namespace platform {

QString decodeFileName(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = utf8SequenceLength(reinterpret_cast<const unsigned char *>(bytes.constData()) + at,
                                              static_cast<std::size_t>(bytes.size() - at));
        if (length == 0) {
            name += QChar(static_cast<char16_t>(0xdc00 + static_cast<unsigned char>(bytes[at])));
            ++at;
        } else {
            name += QString::fromUtf8(bytes.constData() + at, length);
            at += length;
        }
    }
    return name;
}

QByteArray encodeFileName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype at = 0; at < name.size(); ++at) {
        const QChar c = name.at(at);
        if (c.isHighSurrogate() && at + 1 < name.size() && name.at(at + 1).isLowSurrogate()) {
            bytes += name.mid(at, 2).toUtf8();
            ++at;
        } else if (c.unicode() >= 0xdc80 && c.unicode() <= 0xdcff) {
            bytes += static_cast<char>(c.unicode() - 0xdc00);
        } else {
            bytes += QString(c).toUtf8();
        }
    }
    return bytes;
}

QString localFileOf(const QUrl &url)
{
    return decodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QList<QByteArray> commandLineArguments(int argc, char **argv, int restCount, char **rest)
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    for (int i = 0; i < restCount; ++i)
        arguments << QByteArray(rest[i]);
    return arguments;
}

} // namespace platform
