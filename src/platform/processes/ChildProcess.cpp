// What the child process is on every system; the OS files start, watch
// and stop it.
#include "platform/processes/Processes.h"

namespace platform {

void ChildProcess::keepTail(QByteArray &tail, const char *bytes, qsizetype size)
{
    tail.append(bytes, size);
    if (tail.size() > keptErrorBytes)
        tail = tail.right(keptErrorBytes);
}

QString ChildProcess::lastErrorLine() const
{
    constexpr qsizetype lineBytes = 300;
    const QList<QByteArray> lines = errorTail().trimmed().split('\n');
    return QString::fromUtf8(lines.last().trimmed().left(lineBytes));
}

void ChildProcess::ended(int exitCode)
{
    m_running = false;
    m_exitCode = exitCode;
    emit finished();
}

} // namespace platform
