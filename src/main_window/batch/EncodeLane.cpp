#include "EncodeLane.h"

#include "common/ConvContract.h"
#include "platform/files/Files.h"

#include <QtGlobal>

namespace {

const QString changedReason = QStringLiteral("the file changed while it was converted");

} // namespace

EncodeLane::EncodeLane(QObject *parent) : QObject(parent)
{
    connect(&m_copier, &BackgroundTask::done, this, [this](const JobResult &result) {
        moveTo(State::Copied);
        m_copy = result;
        emit copied(m_file.id, result);
    });
    connect(&m_encoder, &platform::ChildProcess::finished, this, [this] {
        if (m_state != State::Encoding)
            return; // an encoder given up
        moveTo(State::Encoded);
        m_changed = m_linked && *m_linked && platform::fileState(platform::NativeName(m_files.input())) != **m_linked;
        emit encoded(m_file.id);
    });
}

EncodeLane::~EncodeLane()
{
    release();
}

void EncodeLane::moveTo(State next)
{
    const auto allowed = [this, next] {
        switch (next) {
        case State::Free: return true;
        case State::Copying: return m_state == State::Free;
        case State::Copied: return m_state == State::Copying || m_state == State::Encoding || m_state == State::Encoded;
        case State::Encoding: return m_state == State::Copied || m_state == State::Encoded;
        case State::Encoded: return m_state == State::Encoding;
        }
        return false;
    };
    Q_ASSERT_X(allowed(), "EncodeLane", "a step this lane cannot take from where it is");
    m_state = next;
}

bool EncodeLane::load(const QueuedSource &file, bool mayLink)
{
    Q_ASSERT_X(file.id != 0, "EncodeLane::load", "a file without its queue's id");
    moveTo(State::Copying);
    m_file = file;
    // Leftovers of an earlier file or a killed run must never be taken for
    // this file's audio.
    m_files.remove();
    m_linked = std::make_shared<std::optional<platform::FileState>>();
    const bool started = m_copier.run([source = file.path, usable = m_files.usable(), target = m_files.input(),
                                       linked = m_linked, mayLink](const std::atomic_bool &cancelled) {
        if (!usable)
            return JobResult{false, QStringLiteral("the private temporary folder cannot be used")};
        // A link costs no copy of the audio; a write to the source while it
        // is encoded is seen afterwards.
        platform::FileState state;
        if (mayLink && platform::linkForReading(platform::NativeName(source), platform::NativeName(target), &state)) {
            *linked = state;
            return JobResult{};
        }
        // A copy taken while the source is rewritten is torn: the source
        // must be the same file, as long and as last written, before and
        // after.
        const platform::FileState before = platform::fileState(platform::NativeName(source)).withoutChangeTime();
        JobResult result;
        result.ok = platform::copyFileReplacing(platform::NativeName(source), platform::NativeName(target), &result.reason,
                                                &cancelled, platform::CopyUse::Working);
        if (result.ok && platform::fileState(platform::NativeName(source)).withoutChangeTime() != before)
            result = {false, changedReason};
        return result;
    });
    if (!started) {
        release();
        return false;
    }
    return true;
}

bool EncodeLane::encode(const QString &encoder, const QStringList &arguments, bool besideAnother)
{
    if (m_state == State::Encoding) {
        moveTo(State::Copied); // its end is no result
        m_encoder.stop(2000);
    } else if (m_state == State::Encoded) {
        moveTo(State::Copied);
    }
    Q_ASSERT_X(m_state == State::Copied && m_copy.ok, "EncodeLane::encode", "nothing to encode");
    m_beside = besideAnother;
    m_arguments = arguments;
    m_changed = false;
    platform::removeFile(platform::NativeName(m_files.output())); // an earlier run's result is not this one's
    if (!m_encoder.start(encoder, arguments))
        return false;
    moveTo(State::Encoding);
    emit encoding(m_file.id);
    return true;
}

QString EncodeLane::encoderFailure() const
{
    if (m_changed)
        return changedReason;
    // conv names one of our working files, which means nothing to the user.
    const std::string line = m_encoder.lastErrorLine().toStdString();
    for (const QString &file : {m_files.input(), m_files.output()}) {
        if (const auto reason = convcontract::reasonAbout(line, file.toStdString()))
            return QString::fromStdString(*reason);
    }
    if (!line.empty())
        return QString::fromStdString(convcontract::reasonIn(line));
    return m_encoder.exitCode() < 0 ? QStringLiteral("the encoder was stopped before it finished")
                                    : QStringLiteral("the encoder failed (exit status %1)").arg(m_encoder.exitCode());
}

void EncodeLane::release()
{
    const State was = m_state;
    moveTo(State::Free);
    m_beside = false;
    m_changed = false;
    m_arguments.clear();
    m_linked.reset();
    m_file = {};
    m_copy = {};
    if (was == State::Free)
        return;
    m_encoder.stop(2000);
    m_copier.cancel();
    m_files.remove();
}
