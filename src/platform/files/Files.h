#pragma once

// Files and folders: copies, removals, the private and run folders, the
// program folder, and the rule that a file name is what the system stores.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <atomic>

class QUrl;

namespace platform {

// File names as the system stores them. On Linux a name is a string of
// bytes, and not every one is UTF-8 (an old Latin-1 "café" is). Such a
// name travels in a QString with each byte b that is not part of valid
// UTF-8 as the code point U+DC00 + b (Python's "surrogateescape"), so it
// comes back as exactly the bytes it was.
QString decodeFileName(const QByteArray &bytes);
QByteArray encodeFileName(const QString &name);

// The program's command-line arguments (after argv[0]) as file-name bytes:
// those Qt left of the first `argc` in argv, then the `restCount` from
// `rest` on ("--" and what follows it, which Qt never saw), as the system
// gave them.
QList<QByteArray> commandLineArguments(int argc, char **argv, int restCount = 0, char **rest = nullptr);

// The path of a local file:// URL, from the URL's own bytes (toLocalFile()
// would lose those of a name that is not UTF-8).
QString localFileOf(const QUrl &url);

// A path handed to the file system. The program carries paths as text, in
// which a Linux name that is not UTF-8 keeps its bytes as escapes (above);
// Qt's own file classes would turn those into other bytes and reach
// another file, or none. Every path the platform layer takes is of this
// type, and the layer alone turns it into the system's form (the bytes on
// Linux, UTF-16 on Windows), so the program asks it, not QFileInfo.
class NativeName {
public:
    NativeName() = default;
    explicit NativeName(QString text) : m_text(std::move(text)) {}

    const QString &text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }

    bool isFolder() const;
    // The size of a regular file (links followed); -1 for anything else.
    qint64 fileSize() const;
    // Made absolute against the working folder, by its text alone.
    NativeName absolute() const;
    // Every link and "..", resolved; empty when it does not exist.
    NativeName real() const;
    // Makes the folder and those above it that are missing.
    bool makeFolder() const;
    // An existing file marked read-only: on Linux without write permission
    // for this user (for root: for anyone), on Windows by its attribute.
    bool isReadOnlyFile() const;

private:
    QString m_text;
};

// One entry of a folder, as a listing finds it.
struct FolderEntry {
    QString name;        // the name alone
    bool folder = false; // a folder itself: a link to one is never followed (no loops)
    bool file = false;   // a regular file, or a link that leads to one
    bool hidden = false; // a dot name, or (Windows) marked hidden or system
    // Which folder it is, where the system tells (0 where not): a folder
    // swapped for a link, or for another, after the listing is not entered.
    quint64 device = 0;
    quint64 identity = 0;
};

// The entries of `folder` but "." and "..", in no order; false and, when
// given, `reason` ("cannot be read: Permission denied") when it cannot be
// listed. With `expected` (an entry of its parent's listing), only that
// very folder is listed: never a link, nor another folder put in its place
// since.
bool listFolder(const NativeName &folder, QList<FolderEntry> *entries, QString *reason = nullptr,
                const FolderEntry *expected = nullptr);

// Up to `count` bytes from the start of a regular file; empty when it
// cannot be read, and then `reason` says why ("cannot be read: ..."; a
// file held open by another program on Windows). Never waits (a FIFO or a
// device gives nothing, with no reason).
QByteArray readFileStart(const NativeName &file, int count, QString *reason = nullptr);

// What a copy is for: a file kept is on the disk before it takes its
// name (after a power cut the name holds the whole file or the old one); a
// working copy, gone with its run anyway, is left to the system's cache,
// and shares the source's blocks copy-on-write where the file system can
// (a reflink: as independent of the source as a copy, for nothing).
enum class CopyUse { Kept, Working };

// Copies a regular file to `to`, replacing an existing file. The data go
// to a new file beside `to` that is renamed into place, so a reader of the
// old file never sees a half-written one. Returns false (and leaves `to`
// as it was) when anything fails, also when `from` is not a regular file;
// then `reason`, when given, says why in a few words. A copy running on
// a thread of its own gives up soon after `cancelled` turns true.
bool copyFileReplacing(const NativeName &from, const NativeName &to, QString *reason = nullptr,
                       const std::atomic_bool *cancelled = nullptr, CopyUse use = CopyUse::Kept);

// What a file was at one moment: which file, its size, the time of its
// last write and (where the system keeps one) of its last change, to tell
// whether anything wrote to it since. The time of the last write can be
// set back by anyone; the time of the last change cannot, but another name
// made for the file or removed changes it too, so it counts only where no
// other name is made meanwhile (withoutChangeTime() otherwise).
struct FileState {
    quint64 device = 0;
    quint64 file = 0;
    qint64 size = -1; // -1: no regular file there
    qint64 modified = 0;
    qint64 changed = 0; // 0 where the system keeps no such time
    bool operator==(const FileState &) const = default;
    FileState withoutChangeTime() const
    {
        FileState state = *this;
        state.changed = 0;
        return state;
    }
};
// The state of a regular file now (links followed).
FileState fileState(const NativeName &file);

// A working copy for nothing: a second name (a hard link) at `to` for the
// regular file `from`, which this user can open for reading, where the
// system allows it (the same file system; Linux). Unlike a copy it is not
// independent of the source: `state` records it as linked, and a reader
// compares fileState() with it once done, taking any difference as a
// write in between. False (nothing made) where no link can be made: then
// a copy is needed.
bool linkForReading(const NativeName &from, const NativeName &to, FileState *state);

// Removes a file, read-only or not (a read-only file cannot be deleted on
// Windows until its attribute is cleared).
bool removeFile(const NativeName &path);

// Makes a new empty file, only this user's; false when anything of that
// name exists (a link is never followed) or it cannot be made.
bool createNewFile(const NativeName &path);

// Appends `bytes` to a regular file, made when missing (emptied first when
// `fresh`), without ever waiting: anything else of that name (a FIFO, a
// device) is left alone, and false returned.
bool appendToRegularFile(const NativeName &file, const QByteArray &bytes, bool fresh = false);

// The names (a wildcard pattern) of the new files a copy writes beside its
// target; one is left behind only when the program is killed mid-copy.
QString partialCopyPattern();

// Removes partial copies in `folder` last written before `before`: those a
// killed program left, not those another program is writing now.
void removeStalePartialCopies(const NativeName &folder, const QDateTime &before);

// A working folder that only the current user can reach.
struct PrivateFolder {
    QString path;
    bool usable = false;
    bool ownRun = false; // made for this run alone: removed with its run folder
};

// Creates (or checks) the per-user private folder "<base>/tolvik-<uid>".
// An existing entry is used only when it is a real folder owned by the
// user with no access for group or others; nothing is written into any
// other. When that name is taken so (another user made it first), a new
// folder of a name nobody can foresee is made for this run instead.
PrivateFolder preparePrivateFolder(const QString &base);

// Where the private folder goes: the user's temporary folder (TMPDIR when
// it names an existing folder by an absolute path), else /tmp.
QString temporaryBase();

// The working folder of one run (one window's batch) inside the private
// folder, "run-<process>-<n>": no other process uses it, so two programs
// at once never take each other's working files. Folders of runs whose
// process is gone are removed here first.
PrivateFolder prepareRunFolder(const PrivateFolder &privateFolder);

// Removes the run's folder and what is in it (at exit).
void removeRunFolder(const PrivateFolder &runFolder);

// The folder holding the running executable, as the OS reports it
// (never the working directory), without a trailing separator.
QString programFolder();

} // namespace platform
