#pragma once

// Processes: the encoder as a child process, whether a process runs, and
// the system's requests that this one end.

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QtGlobal>

#include <memory>

namespace platform {

// This process's number, as the system gives it.
qint64 currentProcessId();

// Whether a process with this number runs (one of any user's: a number
// in use is never taken for a free one).
bool processExists(qint64 pid);

// A hidden child process started from an argument vector (never through a
// shell), with standard input and output on the null device; the tail of
// its standard error is kept, for the reason of a failure. Its exit is
// delivered as an event of the running event loop. Only stop() ends the
// child early; a child still running when this object goes is left to run
// to its end, but never beyond this program's own end, however it ends
// (Linux: told to end by SIGTERM; Windows: killed with the encoders' job).
//
// Ours rather than QProcess: the arguments must reach the child byte-exact
// (Linux file names need not be UTF-8; Windows needs the C runtime's own
// quoting), and a child must be able to outlive this object.
class ChildProcess : public QObject {
    Q_OBJECT
public:
    explicit ChildProcess(QObject *parent = nullptr);
    ~ChildProcess() override;

    // Starts `program` with `arguments`; false when it cannot be started.
    bool start(const QString &program, const QStringList &arguments);

    // True from a successful start until the child's exit has been seen.
    bool isRunning() const { return m_running; }

    // The child's exit status once it ended; -1 when it died by a signal
    // (on Windows: an exception), was stopped, or was never started.
    int exitCode() const { return m_exitCode; }

    // The last line the child wrote to standard error (at most a few
    // hundred bytes), empty when it wrote none.
    QString lastErrorLine() const;

    // Ends the child: asked first where the system can ask (SIGTERM on
    // Linux) and killed when it has not ended after `graceMs`; returns once
    // it is gone, after finished().
    void stop(int graceMs);

signals:
    void finished();

private:
    // How much of standard error is kept.
    static constexpr qsizetype keptErrorBytes = 1024;
    static void keepTail(QByteArray &tail, const char *bytes, qsizetype size);

    // The OS's part, in the OS's own file.
    struct State;
    std::unique_ptr<State> d;
    void reap();
    QByteArray errorTail() const;

    // Called by the OS's part when the child has ended; emits finished().
    void ended(int exitCode);

    bool m_running = false;
    int m_exitCode = -1;
};

// The system's requests that the program end (on Linux SIGTERM, SIGINT
// and SIGHUP: a logout, kill, Ctrl-C; on Windows the console's close,
// logoff and shutdown events, and the session's end told to the windows)
// as a signal of the event loop, so that they are handled as the window's
// own exit is. A session's end is emitted before the system goes on, so
// receivers must be in the GUI thread. One per program, made after the
// application object.
class ExitRequests : public QObject {
    Q_OBJECT
public:
    explicit ExitRequests(QObject *parent = nullptr);
    ~ExitRequests() override;

signals:
    void requested();
};

} // namespace platform
