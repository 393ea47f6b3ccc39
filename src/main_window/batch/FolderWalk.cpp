#include "FolderWalk.h"

#include "common/AudioSignature.h"
#include "common/SourceReasons.h"
#include "names/FileNames.h"
#include "names/NaturalOrder.h"
#include "platform/files/Files.h"

#include <QList>
#include <QSet>

#include <algorithm>

namespace {

enum class Content { Audio, Mp3, Other, Unreadable };

// `reason` says why, for a file that cannot be read.
Content contentOf(const QString &path, QString *reason)
{
    const QByteArray head = platform::readFileStart(platform::NativeName(path), int(audiosignature::headBytes), reason);
    if (head.isEmpty() && !reason->isEmpty())
        return Content::Unreadable;
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
    // The names (without extension, as names compare here) of its audio
    // files that are not MP3: an MP3 of the same name is their result.
    QSet<QString> sourceNames;
};

bool hasMp3Name(const QString &name)
{
    return name.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive) || name.endsWith(QLatin1String(".mp2"), Qt::CaseInsensitive);
}

QString nameKey(const QString &name)
{
    return GetBaseName(name).toCaseFolded();
}

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
        Level level{path, subFolder, {}, 0, {}};
        QString reason;
        if (!platform::listFolder(platform::NativeName(path), &level.entries, &reason, expected)) {
            ++failures;
            found({path, subFolder, reason});
            return;
        }
        for (const platform::FolderEntry &entry : level.entries) {
            if (!entry.folder && !hasMp3Name(entry.name) && audiosignature::hasAudioName(entry.name.toStdString()))
                level.sourceNames.insert(nameKey(entry.name));
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
            // An MP3 beside a source of its name is that source's result
            // (results kept beside their sources): left out, so a folder
            // dropped again does not convert it. A file named as audio and
            // not is told in its place.
            QString unreadable;
            const Content content = contentOf(path, &unreadable);
            const bool result = content == Content::Mp3 && hasMp3Name(entry.name)
                                && level.sourceNames.contains(nameKey(entry.name));
            if (content == Content::Unreadable) {
                // Held open by another program, or not ours to read: told
                // in its place when its name says audio.
                if (audiosignature::hasAudioName(entry.name.toStdString())) {
                    ++failures;
                    found({path, level.subFolder, unreadable});
                }
            } else if (content != Content::Other && !result) {
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
        found({folder, {}, QString::fromUtf8(noAudioFilesReason)});
}
