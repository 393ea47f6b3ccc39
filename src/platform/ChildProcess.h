#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

namespace platform {

// A hidden child process started from an argument vector (never through a
// shell), with standard input and output on the null device; the tail of
// its standard error is kept, for the reason of a failure. Its
// exit is delivered as an event of the running event loop, so a loop that
// waits for events wakes up as soon as the child ends. Only stop() ends
// the child early; a child still running when this object goes is left
// to run to its end.
class ChildProcess : public QObject {
    Q_OBJECT
public:
    explicit ChildProcess(QObject *parent = nullptr);
    ~ChildProcess() override;

    // Starts `program` with `arguments`; false when it cannot be started.
    bool start(const QString &program, const QStringList &arguments);

    // True from a successful start until the child's exit has been seen.
    bool isRunning() const;

    // The child's exit status once it ended; -1 when it died by a signal
    // or was never started.
    int exitCode() const;

    // The last line the child wrote to standard error (at most a few
    // hundred bytes), empty when it wrote none.
    QString lastErrorLine() const;

    // Asks the child to end (SIGTERM), and kills it (SIGKILL) when it has
    // not ended after `graceMs`; returns once it is gone.
    void stop(int graceMs);

signals:
    void finished();

private:
    struct State;
    std::unique_ptr<State> d;
    void reap();
    void readErrors();
};

} // namespace platform
