#include "FailureLog.h"

#include "platform/FileNameEncoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A path may hold tabs, newlines and other controls (ESC, BEL, NEL, the
// line and paragraph separators): escaped, a record stays one line and
// `cat` shows the name as it is, not what its controls would do.
QString oneLine(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\')
            out += QStringLiteral("\\\\");
        else if (u == '\n')
            out += QStringLiteral("\\n");
        else if (u == '\t')
            out += QStringLiteral("\\t");
        else if (u == '\r')
            out += QStringLiteral("\\r");
        else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029)
            out += QStringLiteral("\\u{%1}").arg(int(u), 0, 16);
        else
            out += c;
    }
    return out;
}

// The log keeps its last megabyte or two: at this size it becomes
// "failures.log.1" (replacing an older one) and a new log begins.
constexpr qint64 rotateAtBytes = 1 << 20;

} // namespace

FailureLog::FailureLog(QString file) : m_file(std::move(file)) {}

QString FailureLog::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/failures.log");
}

void FailureLog::append(const QString &source, const QString &reason) const
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Append;
    if (QFileInfo(m_file).size() >= rotateAtBytes) {
        QFile::remove(m_file + QStringLiteral(".1"));
        // A log another program holds open cannot be renamed on Windows:
        // then it starts afresh, bounded all the same.
        if (!QFile::rename(m_file, m_file + QStringLiteral(".1")))
            mode = QIODevice::WriteOnly | QIODevice::Truncate;
    }
    QFile log(m_file);
    if (!log.open(mode))
        return; // the log is a help, never a reason to fail
    log.write(QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\t'
              + platform::encodeFileName(oneLine(source)) + '\t' + oneLine(reason).toUtf8() + '\n');
}
