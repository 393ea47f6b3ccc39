#include "FolderWalk.h"

#include "common/AudioSignature.h"
#include "common/SourceReasons.h"
#include "names/FileNames.h"
#include "names/NaturalOrder.h"
#include "platform/files/Files.h"

#include <QList>

#include <algorithm>

namespace {

enum class Content { Audio, Mp3, Other };

Content contentOf(const QString &path)
{
    const QByteArray head = platform::readFileStart(platform::NativeName(path), int(audiosignature::headBytes));
    const auto *bytes = reinterpret_cast<const unsigned char *>(head.constData());
    if (audiosignature::isMpeg(bytes, std::size_t(head.size())))
        return Content::Mp3;
    return audiosignature::isAudio(bytes, std::size_t(head.size())) ? Content::Audio : Content::Other;
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
        } else if (entry.file) {
            // MP3 files in a folder are most often results (kept beside their
            // sources): left out, so a folder dropped again does not convert
            // them. A file named as audio and not is told in its place.
            const Content content = contentOf(path);
            if (content == Content::Audio) {
                ++files;
                found({path, level.subFolder, {}});
            } else if (content == Content::Other && audiosignature::hasAudioName(entry.name.toStdString())) {
                ++failures;
                found({path, level.subFolder, QStringLiteral("not an audio file, whatever its name")});
            }
        } else if (audiosignature::hasAudioName(entry.name.toStdString())) {
            // (A pipe or device: never opened, never waited on.)
            ++failures;
            found({path, level.subFolder, QString::fromUtf8(sourcereasons::notRegular)});
        }
    }
    if (!cancelled && files == 0 && failures == 0)
        found({folder, {}, QString::fromUtf8(noWavFilesReason)});
}
