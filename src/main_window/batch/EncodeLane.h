#pragma once

#include "BackgroundTask.h"
#include "WorkingFiles.h"
#include "platform/files/Files.h"
#include "platform/processes/Processes.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

// One file's way to its result: its copy into the run's folder (on a
// thread of its own), then the encoder's run on that copy. The batch has
// two, so that while one file encodes the next can be copied and, when
// both are short, encoded beside it: a short file gains little from the
// encoder's own parts, two files side by side keep both cores busy.
class EncodeLane : public QObject {
    Q_OBJECT
public:
    enum class State { Free, Copying, Copied, Encoding, Encoded };

    explicit EncodeLane(QObject *parent = nullptr);
    ~EncodeLane() override;

    void setFiles(const WorkingFiles &files) { m_files = files; }
    const WorkingFiles &files() const { return m_files; }

    State state() const { return m_state; }
    const QString &source() const { return m_source; }
    // Once copied: how the copy went.
    JobResult copy() const { return m_copy; } // a copy: release() clears it
    // Whether this file's encoder runs beside another one (on one thread).
    bool besideAnother() const { return m_beside; }

    // Copies `source` into this lane's working input; then copied().
    // False when no thread is to be had.
    bool load(const QString &source);
    // Starts the encoder on the copy (ending one started before); false
    // when it cannot be started.
    bool encode(const QString &encoder, const QStringList &arguments, bool besideAnother);
    // Those of the last encode().
    const QStringList &arguments() const { return m_arguments; }
    int exitCode() const { return m_encoder.exitCode(); }
    // Whether the source was written to while it was encoded (a working
    // file linked to it, not copied, shares its writes).
    bool changedWhileEncoded() const { return m_changed; }
    // Why the encoder failed, in the user's words.
    QString encoderFailure() const;

    // Gives the file up: the encoder is ended, the copy cancelled, the
    // working files removed.
    void release();

signals:
    void copied();
    void encoded();

private:
    WorkingFiles m_files;
    BackgroundTask m_copier;
    platform::ChildProcess m_encoder;
    State m_state = State::Free;
    QString m_source;
    JobResult m_copy;
    QStringList m_arguments;
    // Set by the copy's thread before its end is reported.
    std::shared_ptr<std::optional<platform::FileState>> m_linked;
    bool m_changed = false;
    bool m_beside = false;
};
