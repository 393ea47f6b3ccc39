#include "FeedbackQuery.h"

#include <QList>
#include <QStringDecoder>

namespace {

// Strict UTF-8: an invalid sequence is refused, never replaced.
bool decodeUtf8(const QByteArray &bytes, QString *text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

FeedbackQuery::Verdict FeedbackQuery::read(const QByteArray &query, FeedbackMessage *message, QString *why)
{
    // The encoded form is at most three bytes a byte: a longer one cannot
    // hold fields within their bounds.
    if (query.size() > 3 * 3 * maxFieldBytes + 64) {
        *why = QStringLiteral("the request is too long");
        return Verdict::TooLong;
    }
    struct Field {
        const char *key;
        QString *value;
        bool seen = false;
    } fields[] = {{"name", &message->name}, {"age", &message->email}, {"comment", &message->comment}};
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        const QByteArray key = pair.left(equals < 0 ? pair.size() : equals);
        QByteArray value = equals < 0 ? QByteArray() : pair.mid(equals + 1);
        Field *field = nullptr;
        for (Field &f : fields)
            field = key == f.key ? &f : field;
        if (!field)
            continue; // what a newer program may add
        if (field->seen) {
            *why = QStringLiteral("the field \"%1\" is given twice").arg(QLatin1String(field->key));
            return Verdict::Malformed;
        }
        field->seen = true;
        const QByteArray bytes = QByteArray::fromPercentEncoding(value.replace('+', ' '));
        if (bytes.size() > maxFieldBytes) {
            *why = QStringLiteral("the field \"%1\" is longer than %2 bytes").arg(QLatin1String(field->key)).arg(maxFieldBytes);
            return Verdict::TooLong;
        }
        if (!decodeUtf8(bytes, field->value)) {
            *why = QStringLiteral("the field \"%1\" is not UTF-8").arg(QLatin1String(field->key));
            return Verdict::Malformed;
        }
    }
    if (message->name.isEmpty()) {
        *why = QStringLiteral("the name is missing");
        return Verdict::Malformed;
    }
    return Verdict::Taken;
}
