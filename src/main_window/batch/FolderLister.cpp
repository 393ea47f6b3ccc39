#include "FolderLister.h"

#include "FolderWalk.h"
#include "LaterStep.h"
#include "ResultNames.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <mutex>
#include <system_error>
#include <thread>

struct FolderLister::Walk {
    std::atomic_bool cancelled{false};
    std::mutex mutex;
    FolderLister *receiver; // null once the walk is given up: nothing more is posted

    // Runs `call` on the lister's thread, unless the walk is given up by
    // then (checked again there: a cancel may come between).
    void post(const std::shared_ptr<Walk> &self, std::function<void(FolderLister &)> call)
    {
        const std::lock_guard lock(mutex);
        if (!receiver)
            return;
        LaterStep::post(receiver, [self, call = std::move(call)] {
            if (FolderLister *lister = self->receiver; lister && lister->m_walk == self)
                call(*lister);
        });
    }
    void giveUp()
    {
        cancelled = true;
        const std::lock_guard lock(mutex);
        receiver = nullptr;
    }
};

FolderLister::FolderLister(QObject *parent) : QObject(parent) {}

FolderLister::~FolderLister()
{
    cancel();
}

bool FolderLister::list(const QString &folder)
{
    Q_ASSERT_X(!isRunning(), "FolderLister::list", "a folder is listed already");
    auto walk = std::make_shared<Walk>();
    walk->receiver = this;
    m_found = 0;
    auto job = [walk, folder] {
        using Clock = std::chrono::steady_clock;
        QList<QueuedSource> found;
        QStringList keys;
        int files = 0; // in `found`, failures left out
        // The first file goes at once: its conversion need not wait for
        // the next find, which may be a long listing away.
        auto sent = Clock::time_point();
        const auto send = [&] {
            walk->post(walk, [found = std::move(found), keys = std::move(keys), files](FolderLister &lister) {
                lister.m_found += files;
                emit lister.found(found, keys);
            });
            found = {};
            keys = {};
            files = 0;
            sent = Clock::now();
        };
        walkFolder(folder, walk->cancelled, [&](const QueuedSource &source) {
            found.append(source);
            if (source.failure.isEmpty()) {
                keys << ResultNames::sourceKeys(source.path);
                ++files;
            }
            if (found.size() >= 1024 || Clock::now() - sent > std::chrono::milliseconds(200))
                send();
        });
        if (!found.isEmpty())
            send();
        walk->post(walk, [](FolderLister &lister) {
            lister.m_walk.reset();
            emit lister.finished();
        });
    };
    try {
        std::thread(std::move(job)).detach();
    } catch (const std::system_error &) {
        return false; // no thread to be had (a memory limit)
    }
    m_walk = std::move(walk);
    return true;
}

void FolderLister::cancel()
{
    if (m_walk)
        m_walk->giveUp();
    m_walk.reset();
}

bool FolderLister::event(QEvent *event)
{
    return LaterStep::deliver(event) || QObject::event(event);
}
