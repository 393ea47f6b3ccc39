#pragma once

#include <QDateTime>
#include <QString>

#include <atomic>

namespace platform {

// Copies a regular file to `to`, replacing an existing file. The data go
// to a new file beside `to` that is renamed into place, so a reader of the
// old file never sees a half-written one. Returns false (and leaves `to`
// as it was) when anything fails, also when `from` is not a regular file;
// then `reason`, when given, says why in a few words. A copy running on
// a thread of its own gives up soon after `cancelled` turns true.
bool copyFileReplacing(const QString &from, const QString &to, QString *reason = nullptr,
                       const std::atomic_bool *cancelled = nullptr);

// Removes a file, read-only or not (a read-only file cannot be deleted on
// Windows until its attribute is cleared).
bool removeFile(const QString &path);

// The names (a wildcard pattern) of the new files a copy writes beside its
// target; one is left behind only when the program is killed mid-copy.
QString partialCopyPattern();

// Removes partial copies in `folder` last written before `before`: those a
// killed program left, not those another program is writing now.
void removeStalePartialCopies(const QString &folder, const QDateTime &before);

} // namespace platform
