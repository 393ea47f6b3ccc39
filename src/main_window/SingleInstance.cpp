#include "SingleInstance.h"

#include "names/FileNames.h"

#include <QDir>
#include <QStandardPaths>

bool SingleInstance::claim()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) // no usable runtime folder: the user's home
        folder = QDir::homePath();
    m_lock = std::make_unique<QLockFile>(folder + pathSeparator() + QStringLiteral(".tolvik.lock"));
    // Never stale by age: only a dead owner frees the lock.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
