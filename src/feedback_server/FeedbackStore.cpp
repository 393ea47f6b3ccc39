#include "FeedbackStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// SQLite's extended result code for a full database or disk.
bool isFull(const QSqlError &error)
{
    return (error.nativeErrorCode().toInt() & 0xff) == 13
        || error.databaseText().contains(QLatin1String("database or disk is full"));
}

QString csvField(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    // A spreadsheet runs a field that starts like a formula: a visitor's
    // text never does (the usual guard, a leading apostrophe).
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!quoted.isEmpty() && formulaStarts.contains(quoted.front()))
        quoted.prepend(QLatin1Char('\''));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// One line a terminal shows as it is: no control character of any kind
// (C0, DEL, C1) reaches it, so a visitor's text cannot move the cursor,
// clear the screen or set the title.
QString oneLine(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (c == QLatin1Char('\\'))
            line += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            line += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            line += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            line += QLatin1String("\\t");
        else if (u < 0x20 || u == 0x7f)
            line += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else if (u >= 0x80 && u < 0xa0)
            line += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
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
    // Without systemd (a container) nobody made its folder; and the messages
    // are the maker's alone: the file (and SQLite's beside it, which take
    // its mode) readable by no one else.
    const QFileInfo info(file);
    if (!info.absoluteDir().exists()) {
        if (!QDir().mkpath(info.absolutePath())) {
            *why = QStringLiteral("its folder cannot be made");
            return false;
        }
        QFile::setPermissions(info.absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (!info.exists()) {
        QFile made(file);
        if (made.open(QIODevice::NewOnly | QIODevice::WriteOnly, QFile::ReadOwner | QFile::WriteOwner))
            made.close();
    }
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

bool FeedbackStore::canWrite(QString *why) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    // A write lock taken and given back: SQLite answers "read-only" here.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *why = q.lastError().text();
        return false;
    }
    q.exec(QStringLiteral("ROLLBACK"));
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
    // COMMIT as a query of its own: Qt's commit() keeps SQLite's text of a
    // failure but not its code, and a full disk must be told as such.
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = commit.lastError();
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
