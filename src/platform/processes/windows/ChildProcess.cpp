#include "platform/processes/Processes.h"

#include <QWinEventNotifier>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace platform {
namespace {

// The tail of the child's standard error, filled by a reader thread that
// owns the pipe's end and outlives the object if the child does.
struct ErrorTail {
    std::mutex mutex;
    QByteArray bytes;
};

using KeepTail = void (*)(QByteArray &tail, const char *bytes, qsizetype size);

// Keeps the tail of what the child writes to the pipe until the child has
// ended and the pipe holds nothing more (or every writer closed it). It
// reads only what is there, so that no read waits on a writer other than
// the child; it looks again when the child ends, or 20 ms on.
void readErrors(ErrorTail &errors, HANDLE pipe, HANDLE child, KeepTail keep)
{
    char buffer[4096];
    bool ended = false;
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr))
            return; // every writer has closed it
        if (available == 0 && child) {
            // Everything the child wrote before it ended is in the pipe by now.
            if (ended)
                return;
            ended = WaitForSingleObject(child, 20) != WAIT_TIMEOUT; // (a failed wait ends it too)
            continue;
        }
        // (Without the child's handle: a read that waits, up to the pipe's end.)
        const DWORD wanted = available > 0 ? std::min<DWORD>(available, sizeof buffer) : sizeof buffer;
        DWORD n = 0;
        if (!ReadFile(pipe, buffer, wanted, &n, nullptr) || n == 0)
            return;
        const std::lock_guard lock(errors.mutex);
        keep(errors.bytes, buffer, n);
    }
}

// One argument as the Microsoft C runtime splits a command line: quoted
// when it holds blanks or quotes (or is empty), backslashes doubled before
// a quote.
std::wstring quoted(const QString &argument)
{
    const std::wstring text = argument.toStdWString();
    if (!text.empty() && text.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return text;
    std::wstring out = L"\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < text.size() && text[i] == L'\\') {
            ++backslashes;
            ++i;
        }
        if (i == text.size()) {
            out.append(backslashes * 2, L'\\');
            break;
        }
        if (text[i] == L'"')
            out.append(backslashes * 2 + 1, L'\\');
        else
            out.append(backslashes, L'\\');
        out.push_back(text[i]);
    }
    return out + L"\"";
}

// The job every encoder runs in: the system kills its processes when its
// last handle closes, which is when this program ends, however it ends
// (Task Manager, taskkill /f, a crash). Never closed by us for that reason.
HANDLE encoderJob()
{
    static const HANDLE job = [] {
        HANDLE made = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (made && !SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
            CloseHandle(made);
            made = nullptr;
        }
        return made;
    }();
    return job;
}

} // namespace

struct ChildProcess::State {
    HANDLE process = nullptr;
    QWinEventNotifier *notifier = nullptr;
    bool stopped = false; // by stop(): no exit status of its own
    std::shared_ptr<ErrorTail> errors = std::make_shared<ErrorTail>();
    std::thread reader;
};

ChildProcess::ChildProcess(QObject *parent) : QObject(parent), d(std::make_unique<State>()) {}

ChildProcess::~ChildProcess()
{
    if (d->reader.joinable())
        d->reader.detach(); // ends soon after the child
    if (d->process)
        CloseHandle(d->process);
}

bool ChildProcess::start(const QString &program, const QStringList &arguments)
{
    if (m_running)
        return false;
    std::wstring commandLine = quoted(program);
    for (const QString &argument : arguments)
        commandLine += L" " + quoted(argument);

    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                             OPEN_EXISTING, 0, nullptr);
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (nul == INVALID_HANDLE_VALUE || !CreatePipe(&readEnd, &writeEnd, &inherited, 0)) {
        if (nul != INVALID_HANDLE_VALUE)
            CloseHandle(nul);
        return false;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info{};
    // Hidden: a console program started without a console window. (Not
    // started suspended for the job below: under Wine a suite once hung
    // with that; the encoder starts no process of its own in the moment
    // before it is in the job.)
    const bool started = CreateProcessW(program.toStdWString().c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup,
                                        &info);
    CloseHandle(nul);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return false;
    }
    // Where there is no job (or this program's own job forbids one), the
    // encoder still runs: it is stopped as before, only not on a kill.
    if (HANDLE job = encoderJob())
        AssignProcessToJobObject(job, info.hProcess);
    CloseHandle(info.hThread);
    if (d->process)
        CloseHandle(d->process);
    if (d->reader.joinable())
        d->reader.detach();
    d->process = info.hProcess;
    d->stopped = false;
    m_running = true;
    m_exitCode = -1;
    d->errors = std::make_shared<ErrorTail>();
    // The reader stops once the child has ended and the pipe is empty, not
    // at the pipe's end: a process the child's start made (Wine's console
    // host) may hold the pipe's other end on and never close it.
    HANDLE child = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), info.hProcess, GetCurrentProcess(), &child, SYNCHRONIZE, FALSE, 0))
        child = nullptr;
    d->reader = std::thread([errors = d->errors, readEnd, child] {
        readErrors(*errors, readEnd, child, &ChildProcess::keepTail);
        CloseHandle(readEnd);
        if (child)
            CloseHandle(child);
    });
    delete d->notifier;
    d->notifier = new QWinEventNotifier(d->process, this);
    connect(d->notifier, &QWinEventNotifier::activated, this, &ChildProcess::reap);
    return true;
}

void ChildProcess::reap()
{
    if (!m_running || WaitForSingleObject(d->process, 0) != WAIT_OBJECT_0)
        return;
    DWORD code = 0;
    GetExitCodeProcess(d->process, &code);
    // Exception codes (0xC0000005…) are the Windows form of a signal.
    const int exitCode = d->stopped || code >= 0xC0000000u ? -1 : static_cast<int>(code);
    if (d->reader.joinable())
        d->reader.join(); // it ends once the child has and the pipe is read
    if (d->notifier) {
        d->notifier->setEnabled(false);
        d->notifier->deleteLater();
        d->notifier = nullptr;
    }
    ended(exitCode);
}

void ChildProcess::stop(int graceMs)
{
    if (!m_running)
        return;
    d->stopped = true;
    // A process without a console cannot be asked to end: it is ended,
    // and the caller removes what it leaves.
    Q_UNUSED(graceMs);
    TerminateProcess(d->process, 1);
    WaitForSingleObject(d->process, INFINITE);
    reap();
}

QByteArray ChildProcess::errorTail() const
{
    std::lock_guard lock(d->errors->mutex);
    return d->errors->bytes;
}

} // namespace platform
