#include "FailureLog.h"

#include "platform/files/Files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A path may hold tabs, newlines and other controls (ESC, BEL, NEL, the
// line and paragraph separators): written as \u{hex}, a record stays one
// line and `cat` shows the name as it is, not what its controls would do.
// A backslash is the Windows separator: it stays as it is, except a run of
// them right before a literal "u{", which is doubled (as the C runtime
// doubles backslashes before a quote) so that it never reads as an escape.
QString oneLine(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == '\\') {
            qsizetype end = i;
            while (end < text.size() && text[end] == QLatin1Char('\\'))
                ++end;
            const bool beforeEscape = QStringView(text).mid(end, 2) == QLatin1String("u{");
            out += QString(beforeEscape ? 2 * (end - i) : end - i, QLatin1Char('\\'));
            i = end - 1;
        } else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029) {
            out += QStringLiteral("\\u{%1}").arg(int(u), 0, 16);
        } else {
            out += text[i];
        }
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

namespace {

constexpr qsizetype unwrittenBytes = 64 * 1024;

} // namespace

bool FailureLog::append(const QString &source, const QString &reason)
{
    m_unwritten += QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\t'
                   + platform::encodeFileName(oneLine(source)) + '\t' + oneLine(reason).toUtf8() + '\n';
    // A log that stays unwritable (not a regular file) keeps only the
    // latest lines waiting.
    if (m_unwritten.size() > unwrittenBytes) {
        const qsizetype cut = m_unwritten.indexOf('\n', m_unwritten.size() - unwrittenBytes);
        m_unwritten.remove(0, cut < 0 ? m_unwritten.size() : cut + 1);
    }
    return flush();
}

bool FailureLog::flush()
{
    if (m_unwritten.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    bool fresh = false;
    if (QFileInfo(m_file).size() >= rotateAtBytes) {
        QFile::remove(m_file + QStringLiteral(".1"));
        // A log another program holds open cannot be renamed on Windows:
        // then it starts afresh, bounded all the same.
        fresh = !QFile::rename(m_file, m_file + QStringLiteral(".1"));
    }
    // The log is a help, never a reason to fail, nor to wait: one that is
    // not a regular file (a FIFO nobody reads) is passed over.
    if (!platform::appendToRegularFile(platform::NativeName(m_file), m_unwritten, fresh))
        return false;
    m_unwritten.clear();
    return true;
}

bool FailureLog::record(const FileOutcome &file)
{
    return file.converted || file.skipped || append(file.source, file.reason);
}
