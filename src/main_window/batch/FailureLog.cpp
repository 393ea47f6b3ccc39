#include "FailureLog.h"

#include "platform/FileNameEncoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A path may hold tabs and newlines: escaped, a record stays one line.
QByteArray oneLine(const QByteArray &text)
{
    QByteArray out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

} // namespace

FailureLog::FailureLog(QString file) : m_file(std::move(file)) {}

QString FailureLog::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/failures.log");
}

void FailureLog::append(const QString &source, const QString &reason) const
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QFile log(m_file);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // the log is a help, never a reason to fail
    log.write(QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\t'
              + oneLine(platform::encodeFileName(source)) + '\t' + oneLine(reason.toUtf8()) + '\n');
}
