#include "platform/instance/Instance.h"

#include <QCryptographicHash>

#include <windows.h>

namespace platform {

QString instanceChannel(const QString &folder)
{
    // A pipe name takes no backslashes: the folder goes in as a digest.
    const QByteArray digest = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("Tolvik-") + QString::fromLatin1(digest);
}

InstanceLock::~InstanceLock()
{
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

InstanceLock::Result InstanceLock::acquire(const QString &folder, const QString &name)
{
    // A named mutex in the session's namespace; the folder (the user's own)
    // is part of its name, as the lock file's place is on Linux.
    QString key = folder + QLatin1Char('\\') + name;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\Tolvik " + key.toStdWString()).c_str());
    if (!mutex)
        return Result::Unavailable;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return Result::HeldElsewhere;
    }
    m_handle = reinterpret_cast<std::intptr_t>(mutex);
    return Result::Acquired;
}

} // namespace platform
