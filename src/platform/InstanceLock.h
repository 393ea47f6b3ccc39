#pragma once

#include <QString>

namespace platform {

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
    int m_fd = -1;
};

} // namespace platform
