#include "platform/processes/Processes.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QMetaObject>

#include <windows.h>

namespace platform {

namespace {

ExitRequests *current = nullptr;

// Runs on a thread of the system's: the request goes to the event loop,
// and the system waits here while the program cleans up and ends (it ends
// the process itself when this returns for a close, logoff or shutdown).
BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (!current)
        return FALSE;
    QMetaObject::invokeMethod(current, &ExitRequests::requested, Qt::QueuedConnection);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(4000);
    return TRUE;
}

// A logoff or shutdown reaches a windowed program as WM_ENDSESSION (Qt,
// built without session management, passes it by). The session ends when
// the message has been answered, so the program ends cleanly before that:
// the request is delivered at once, not queued.
class SessionEnd : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (type != "windows_generic_MSG" || msg->message != WM_ENDSESSION || !msg->wParam || !current)
            return false;
        if (!m_ended) {
            m_ended = true;
            emit current->requested();
        }
        *result = 0;
        return true;
    }

private:
    bool m_ended = false; // every top-level window is told
};

SessionEnd sessionEnd;

} // namespace

ExitRequests::ExitRequests(QObject *parent) : QObject(parent)
{
    current = this;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installNativeEventFilter(&sessionEnd);
}

ExitRequests::~ExitRequests()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeNativeEventFilter(&sessionEnd);
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    current = nullptr;
}

} // namespace platform
