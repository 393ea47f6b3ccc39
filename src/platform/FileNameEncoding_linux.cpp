#include "FileNameEncoding.h"

namespace platform {
namespace {

// The length of the valid UTF-8 sequence at `at`, or 0.
int validSequence(const QByteArray &bytes, qsizetype at)
{
    const auto c = static_cast<unsigned char>(bytes[at]);
    int extra = 0;
    char32_t code = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xe0) == 0xc0) {
        extra = 1;
        code = c & 0x1f;
    } else if ((c & 0xf0) == 0xe0) {
        extra = 2;
        code = c & 0x0f;
    } else if ((c & 0xf8) == 0xf0) {
        extra = 3;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (at + extra >= bytes.size())
        return 0;
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3f);
    }
    constexpr char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (code < least[extra] || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff)
        return 0;
    return extra + 1;
}

} // namespace

QString decodeFileName(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = validSequence(bytes, at);
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

} // namespace platform
