#include "platform/processes/Processes.h"

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

} // namespace

ExitRequests::ExitRequests(QObject *parent) : QObject(parent)
{
    current = this;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

ExitRequests::~ExitRequests()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    current = nullptr;
}

} // namespace platform
