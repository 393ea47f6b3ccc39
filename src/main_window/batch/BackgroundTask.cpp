#include "BackgroundTask.h"

#include "LaterStep.h"

#include <system_error>

BackgroundTask::BackgroundTask(QObject *parent) : QObject(parent) {}

BackgroundTask::~BackgroundTask()
{
    cancel();
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

bool BackgroundTask::run(Job job)
{
    // One job at a time is this object's rule: a second one is a fault of
    // its caller, never a lack of threads.
    Q_ASSERT_X(!m_running, "BackgroundTask::run", "a job is already running");
    if (m_running)
        return false;
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread([this] { work(); });
        } catch (const std::system_error &) {
            return false; // no thread to be had (a memory limit)
        }
    }
    {
        const std::lock_guard lock(m_mutex);
        m_cancelled = false;
        m_next = std::move(job);
        m_nextNumber = ++m_job;
        m_handedOver = true;
    }
    m_wake.notify_one();
    m_running = true;
    return true;
}

void BackgroundTask::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_handedOver || m_ending; });
        if (m_ending)
            return;
        Job job = std::move(m_next);
        const quint64 number = m_nextNumber;
        m_handedOver = false;
        m_busy = true;
        lock.unlock();
        JobResult result = job(m_cancelled);
        job = nullptr; // what it holds goes now, not with the next job
        // Posted to this object's thread; a job cancelled meanwhile has a
        // stale number and is not reported.
        LaterStep::post(this, [this, number, result = std::move(result)] {
            if (number != m_job || !m_running)
                return;
            m_running = false;
            emit done(result);
        });
        lock.lock();
        m_busy = false;
        m_idle.notify_all();
    }
}

void BackgroundTask::cancel()
{
    m_cancelled = true;
    {
        std::unique_lock lock(m_mutex);
        m_handedOver = false; // a job not yet taken never runs
        m_next = nullptr;
        m_idle.wait(lock, [this] { return !m_busy; });
    }
    m_running = false;
    ++m_job;
}

bool BackgroundTask::event(QEvent *event)
{
    return LaterStep::deliver(event) || QObject::event(event);
}
