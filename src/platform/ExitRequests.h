#pragma once

#include <QObject>

namespace platform {

// The system's requests that the program end (on Linux SIGTERM, SIGINT
// and SIGHUP: a logout, kill, Ctrl-C; on Windows the console's close,
// logoff and shutdown events) as a signal of the event loop, so that they
// are handled as the window's own exit is. One per program.
class ExitRequests : public QObject {
    Q_OBJECT
public:
    explicit ExitRequests(QObject *parent = nullptr);
    ~ExitRequests() override;

signals:
    void requested();
};

} // namespace platform
