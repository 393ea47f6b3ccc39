#pragma once

#include "BackgroundTask.h"
#include "QueuedSource.h"
#include "WorkingFiles.h"
#include "platform/files/Files.h"
#include "platform/processes/Processes.h"

#include <QObject>
#include <QStringList>

#include <memory>

// One file's way to its encoded result: its working input made in the
// run's folder (a link or a copy, on a thread of its own), then the
// encoder's run on it. The lane carries the file's whole identity (its
// queue entry and the command line it is encoded with); every signal
// names the file by its id.
//
//   state     event                      next       signal
//   Free      load(file)                 Copying
//   Copying   the copy's end             Copied     copied(id, result)
//   Copied    encode(arguments)          Encoding
//   Encoding  the encoder's exit         Encoded    encoded(id)
//   Encoding  encode(other arguments)    Encoding   (the first run is void)
//   Encoded   encode(other arguments)    Encoding
//   any       release()                  Free       (nothing more for it)
// Anything else is a fault of the caller: it fails loudly in debug builds.
class EncodeLane : public QObject {
    Q_OBJECT
public:
    enum class State { Free, Copying, Copied, Encoding, Encoded };

    explicit EncodeLane(QObject *parent = nullptr);
    ~EncodeLane() override;

    void setFiles(const WorkingFiles &files) { m_files = files; }
    const WorkingFiles &files() const { return m_files; }

    State state() const { return m_state; }
    bool isFree() const { return m_state == State::Free; }
    // The file in this lane (id 0 when free).
    const QueuedSource &file() const { return m_file; }
    // Once copied: how the copy went.
    const JobResult &copy() const { return m_copy; }
    // Whether this file's encoder runs beside another one (on one thread).
    bool besideAnother() const { return m_beside; }

    // Makes `file`'s working input; then copied(). A hard link is made
    // only when `mayLink` (never two names made for one file at once:
    // each changes the file's change time). False when no thread is to be
    // had.
    bool load(const QueuedSource &file, bool mayLink);
    // Starts the encoder on the working input (a run under way with other
    // arguments is given up); false when it cannot be started.
    bool encode(const QString &encoder, const QStringList &arguments, bool besideAnother);
    // Those of the last encode().
    const QStringList &arguments() const { return m_arguments; }
    int exitCode() const { return m_encoder.exitCode(); }
    // Whether the source was written to while it was encoded (a working
    // input linked to it, not copied, shares its writes).
    bool changedWhileEncoded() const { return m_changed; }
    // Why the encoder failed, in the user's words.
    QString encoderFailure() const;

    // Gives the file up: the encoder is ended, the copy cancelled, the
    // working files removed.
    void release();

signals:
    void copied(quint64 id, const JobResult &result);
    // Its encoder started (for observers: the batch waits for encoded()).
    void encoding(quint64 id);
    void encoded(quint64 id);

private:
    void moveTo(State next);

    WorkingFiles m_files;
    BackgroundTask m_copier;
    platform::ChildProcess m_encoder;
    State m_state = State::Free;
    QueuedSource m_file;
    JobResult m_copy;
    QStringList m_arguments;
    // The source as linked, set by the copy's thread before its end is
    // reported; unset for a copy (checked on its own thread).
    std::shared_ptr<std::optional<platform::FileState>> m_linked;
    bool m_changed = false;
    bool m_beside = false;
};
