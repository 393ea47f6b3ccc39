#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// What a job on the background thread found: handed back by value, so the
// job never writes to the object that started it.
struct JobResult {
    bool ok = true;
    QString reason; // why it failed, in a few words
};

// Runs one job at a time on a thread of its own and reports its end as an
// event of the thread that started it (a LaterStep): the window goes on
// painting and answering while a large file is copied. The thread is
// started with the first job and kept for the next ones: a folder of
// thousands of small or missing files would otherwise start and end a
// thread for each.
//
//   worker   event            next
//   none     run(job)         Busy      (no thread to be had: run() is false)
//   Idle     run(job)         Busy
//   Busy     the job returns  Idle      done(result) posted
//   any      cancel()         Idle      (waits for a job in hand; no done())
//   any      destruction      ended
class BackgroundTask : public QObject {
    Q_OBJECT
public:
    using Job = std::function<JobResult(const std::atomic_bool &cancelled)>;

    explicit BackgroundTask(QObject *parent = nullptr);
    ~BackgroundTask() override;

    // Starts `job`; false (and nothing runs) when the system gives no
    // thread. Never while another job runs (a fault: loud in debug builds).
    bool run(Job job);
    bool isRunning() const { return m_running; }
    // Tells the job to give up at its next check and waits for it to
    // return; no done() follows for it.
    void cancel();

signals:
    void done(const JobResult &result);

protected:
    bool event(QEvent *event) override;

private:
    void work();

    std::thread m_thread;
    std::atomic_bool m_cancelled{false};
    bool m_running = false;
    quint64 m_job = 0; // which job a done() event belongs to
    // Shared with the worker, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake; // a job handed over, or the end
    std::condition_variable m_idle; // the job in hand returned
    Job m_next;
    quint64 m_nextNumber = 0;
    bool m_handedOver = false;
    bool m_busy = false;
    bool m_ending = false;
};

Q_DECLARE_METATYPE(JobResult)
