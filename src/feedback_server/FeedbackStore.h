#pragma once

#include "FeedbackMessage.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

class QIODevice;

// The messages in an SQLite database: written ahead (WAL) and synced at
// every commit, one transaction a message, so a message is on the disk
// before the server says it has it, and a kill at any moment leaves the
// database whole.
class FeedbackStore {
public:
    enum class Added { Stored, Full, Failed };

    FeedbackStore() = default;
    ~FeedbackStore();
    FeedbackStore(const FeedbackStore &) = delete;
    FeedbackStore &operator=(const FeedbackStore &) = delete;

    // Opens (and makes when missing) the database; `maxBytes` > 0 caps its
    // size, as a full disk would. False and a reason when it cannot be used.
    bool open(const QString &file, qint64 maxBytes, QString *why);
    // Whether a message could be written now (a read-only file or folder
    // cannot take one): a server that cannot store must not say it listens.
    bool canWrite(QString *why) const;
    // Stores the message, setting its id; Full when the disk (or the cap)
    // has no room left.
    Added add(FeedbackMessage &message, QString *why);
    QList<FeedbackMessage> all(QString *why) const;

    // The messages as CSV (RFC 4180, a header line first).
    static void writeCsv(const QList<FeedbackMessage> &messages, QIODevice *out);
    // The messages as lines a person reads in a terminal.
    static void writeList(const QList<FeedbackMessage> &messages, QIODevice *out);

private:
    QString m_connection;
};
