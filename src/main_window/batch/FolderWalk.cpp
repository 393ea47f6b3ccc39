#include "FolderWalk.h"

#include "common/WaveSignature.h"
#include "names/FileNames.h"
#include "names/NaturalOrder.h"
#include "platform/files/Files.h"

#include <QList>

#include <algorithm>

namespace {

bool isWaveFile(const QString &path)
{
    const QByteArray head = platform::readFileStart(platform::NativeName(path), int(wavesignature::headBytes));
    return wavesignature::kindOf(reinterpret_cast<const unsigned char *>(head.constData()), std::size_t(head.size()))
           != wavesignature::Kind::None;
}

// A folder being walked: its sorted entries and the next one to visit.
struct Level {
    QString path;
    QString subFolder;
    QList<platform::FolderEntry> entries;
    qsizetype next = 0;
};

} // namespace

void walkFolder(const QString &folder, const std::atomic_bool &cancelled,
                const std::function<void(const QueuedSource &)> &found)
{
    int files = 0;
    int failures = 0;
    // A stack, not a recursion: a tree of any depth needs no more stack.
    QList<Level> levels;
    // `expected`: the sub-folder as its parent's listing found it.
    const auto enter = [&](const QString &path, const QString &subFolder, const platform::FolderEntry *expected) {
        Level level{path, subFolder, {}, 0};
        QString reason;
        if (!platform::listFolder(platform::NativeName(path), &level.entries, &reason, expected)) {
            ++failures;
            found({path, subFolder, reason});
            return;
        }
        std::sort(level.entries.begin(), level.entries.end(),
                  [](const platform::FolderEntry &a, const platform::FolderEntry &b) { return naturalLess(a.name, b.name); });
        levels.append(std::move(level));
    };
    // "Album/" keeps the name "Album" (a drive's root or "/" has none).
    QString top = folder;
    while (top.size() > 1 && (top.endsWith(pathSeparator()) || top.endsWith(QLatin1Char('/')))
           && !top.endsWith(QLatin1String(":/")) && !top.endsWith(QLatin1String(":\\")))
        top.chop(1);
    enter(top, GetFileName(top), nullptr);
    while (!levels.isEmpty() && !cancelled) {
        Level &level = levels.last();
        if (level.next == level.entries.size()) {
            levels.removeLast();
            continue;
        }
        const platform::FolderEntry entry = level.entries.at(level.next++);
        if (entry.hidden)
            continue;
        const QString path = PathInFolder(level.path, entry.name);
        if (entry.folder) {
            // A sub-folder of a drive's root (which has no name) is the first.
            const QString subFolder = level.subFolder.isEmpty() ? entry.name : PathInFolder(level.subFolder, entry.name);
            enter(path, subFolder, &entry); // `level` may move here
        } else if (entry.file && isWaveFile(path)) {
            ++files;
            found({path, level.subFolder, {}});
        }
    }
    if (!cancelled && files == 0 && failures == 0)
        found({folder, {}, QString::fromUtf8(noWavFilesReason)});
}
