#include "SingleInstance.h"

#include <QStandardPaths>

bool SingleInstance::claim()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    m_lock = std::make_unique<QLockFile>(folder + QStringLiteral("/tolvik.lock"));
    // Never stale by age: only a dead owner frees the lock.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
