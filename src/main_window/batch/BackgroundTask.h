#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

// Runs one job at a time on a thread of its own and reports its end as an
// event of the thread that started it (a LaterStep): the window goes on painting and
// answering while a large file is copied. The job's results go through
// its own captures; done() makes them safe to read.
class BackgroundTask : public QObject {
    Q_OBJECT
public:
    using Job = std::function<void(const std::atomic_bool &cancelled)>;

    explicit BackgroundTask(QObject *parent = nullptr);
    ~BackgroundTask() override;

    // Starts `job`; false (and nothing runs) while another one runs.
    bool run(Job job);
    bool isRunning() const { return m_running; }
    // Tells the job to give up at its next check and waits for it to
    // return; no done() follows for it.
    void cancel();

signals:
    void done();

protected:
    bool event(QEvent *event) override;

private:
    std::thread m_thread;
    std::atomic_bool m_cancelled{false};
    bool m_running = false;
    quint64 m_job = 0; // which job a done() event belongs to
};
