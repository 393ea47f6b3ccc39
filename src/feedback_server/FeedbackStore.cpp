#include "FeedbackStore.h"

#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// SQLite's extended result code for a full database or disk.
bool isFull(const QSqlError &error)
{
    return error.nativeErrorCode() == QLatin1String("13");
}

QString csvField(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\t'), QLatin1String("\\t"));
}

} // namespace

FeedbackStore::~FeedbackStore()
{
    if (m_connection.isEmpty())
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool FeedbackStore::open(const QString &file, qint64 maxBytes, QString *why)
{
    m_connection = QUuid::createUuid().toString();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *why = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    const QStringList setup{
        QStringLiteral("PRAGMA journal_mode=WAL"),
        // Every commit synced: an answer is sent only for a message on the disk.
        QStringLiteral("PRAGMA synchronous=FULL"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS messages (id INTEGER PRIMARY KEY, received TEXT NOT NULL, "
                       "address TEXT NOT NULL, name TEXT NOT NULL, email TEXT NOT NULL, comment TEXT NOT NULL)"),
    };
    for (const QString &statement : setup) {
        if (!q.exec(statement)) {
            *why = q.lastError().text();
            return false;
        }
    }
    if (q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next() && q.value(0).toString() != QLatin1String("wal")) {
        *why = QStringLiteral("the database cannot be written ahead (WAL) where it is");
        return false;
    }
    if (maxBytes > 0 && q.exec(QStringLiteral("PRAGMA page_size")) && q.next()) {
        const qint64 pages = std::max<qint64>(1, maxBytes / std::max(1, q.value(0).toInt()));
        q.exec(QStringLiteral("PRAGMA max_page_count=%1").arg(pages));
    }
    return true;
}

FeedbackStore::Added FeedbackStore::add(FeedbackMessage &message, QString *why)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        *why = db.lastError().text();
        return isFull(db.lastError()) ? Added::Full : Added::Failed;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO messages (received, address, name, email, comment) VALUES (?, ?, ?, ?, ?)"));
    for (const QString &value : {message.received, message.address, message.name, message.email, message.comment})
        q.addBindValue(value.isNull() ? QStringLiteral("") : value); // a field not sent is empty, not NULL
    if (!q.exec()) {
        const QSqlError error = q.lastError();
        *why = error.text();
        db.rollback();
        return isFull(error) ? Added::Full : Added::Failed;
    }
    message.id = q.lastInsertId().toLongLong();
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        *why = error.text();
        db.rollback();
        return isFull(error) ? Added::Full : Added::Failed;
    }
    return Added::Stored;
}

QList<FeedbackMessage> FeedbackStore::all(QString *why) const
{
    QList<FeedbackMessage> messages;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT id, received, address, name, email, comment FROM messages ORDER BY id"))) {
        *why = q.lastError().text();
        return messages;
    }
    while (q.next())
        messages.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                         q.value(4).toString(), q.value(5).toString()});
    return messages;
}

void FeedbackStore::writeCsv(const QList<FeedbackMessage> &messages, QIODevice *out)
{
    out->write("id,received,address,name,email,comment\r\n");
    for (const FeedbackMessage &m : messages) {
        const QStringList fields{QString::number(m.id), m.received, m.address, csvField(m.name), csvField(m.email),
                                 csvField(m.comment)};
        out->write(fields.join(QLatin1Char(',')).toUtf8() + "\r\n");
    }
}

void FeedbackStore::writeList(const QList<FeedbackMessage> &messages, QIODevice *out)
{
    for (const FeedbackMessage &m : messages) {
        const QStringList fields{QString::number(m.id), m.received, m.address, oneLine(m.name), oneLine(m.email),
                                 oneLine(m.comment)};
        out->write(fields.join(QLatin1Char('\t')).toUtf8() + '\n');
    }
}
