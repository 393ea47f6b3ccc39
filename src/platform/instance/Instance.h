#pragma once

// The one running instance: its lock, and the name of the channel a
// second start reaches it by.

#include <QString>

#include <cstdint>

namespace platform {

// The name of the local channel (a QLocalServer's) by which a second start
// reaches the instance that holds the lock in `folder`.
QString instanceChannel(const QString &folder);

// A lock that marks the one running instance. The system releases it when
// its holder ends, however it ends, so it can never go stale.
class InstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Unavailable };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock named `name` in `folder` without waiting.
    Result acquire(const QString &folder, const QString &name);

private:
    std::intptr_t m_handle = -1; // the lock file, or the mutex
};

} // namespace platform
