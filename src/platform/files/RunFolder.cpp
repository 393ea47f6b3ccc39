#include "platform/files/Files.h"

#include "platform/processes/Processes.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace platform {

namespace {

const QString prefix = QStringLiteral("run-");

// The process a run folder's name gives; 0 for a name that is not one.
qint64 ownerOf(const QString &name)
{
    bool ok = false;
    const qint64 pid = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
    return ok ? pid : 0;
}

} // namespace

PrivateFolder prepareRunFolder(const PrivateFolder &privateFolder)
{
    PrivateFolder run;
    if (!privateFolder.usable)
        return run;
    QDir parent(privateFolder.path);
    const qint64 self = currentProcessId();
    const QStringList runs = parent.entryList({prefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &name : runs) {
        const qint64 owner = ownerOf(name);
        if (owner > 0 && owner != self && !processExists(owner))
            QDir(parent.filePath(name)).removeRecursively();
    }
    static std::atomic_int runs_made{0};
    const QString name = prefix + QString::number(self) + QLatin1Char('-') + QString::number(++runs_made);
    run.path = QDir::toNativeSeparators(parent.filePath(name));
    // Inside a folder only this user can reach; made afresh, never taken over.
    QDir(run.path).removeRecursively();
    run.usable = parent.mkdir(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
                 && !QFileInfo(run.path).isSymLink();
    run.ownRun = privateFolder.ownRun;
    return run;
}

void removeRunFolder(const PrivateFolder &runFolder)
{
    if (!runFolder.usable)
        return;
    QDir(runFolder.path).removeRecursively();
    // A private folder made for this run alone goes with it.
    if (runFolder.ownRun)
        QDir().rmdir(QFileInfo(runFolder.path).absolutePath());
}

} // namespace platform
