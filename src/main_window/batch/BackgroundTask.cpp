#include "BackgroundTask.h"

#include "LaterStep.h"

#include <system_error>

BackgroundTask::BackgroundTask(QObject *parent) : QObject(parent) {}

BackgroundTask::~BackgroundTask()
{
    cancel();
}

bool BackgroundTask::run(Job job)
{
    // One job at a time is this object's rule: a second one is a fault of
    // its caller, never a lack of threads.
    Q_ASSERT_X(!m_running, "BackgroundTask::run", "a job is already running");
    if (m_running)
        return false;
    if (m_thread.joinable())
        m_thread.join(); // the last job's thread, already past its job
    m_cancelled = false;
    const quint64 number = ++m_job;
    auto work = [this, number, job = std::move(job)] {
        JobResult result = job(m_cancelled);
        // Posted to this object's thread; a job cancelled meanwhile has a
        // stale number and is not reported.
        LaterStep::post(this, [this, number, result = std::move(result)] {
            if (number != m_job || !m_running)
                return;
            m_running = false;
            emit done(result);
        });
    };
    try {
        m_thread = std::thread(std::move(work));
    } catch (const std::system_error &) {
        return false; // no thread to be had (a memory limit)
    }
    m_running = true;
    return true;
}

void BackgroundTask::cancel()
{
    m_cancelled = true;
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
    ++m_job;
}

bool BackgroundTask::event(QEvent *event)
{
    return LaterStep::deliver(event) || QObject::event(event);
}
