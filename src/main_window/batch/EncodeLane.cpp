#include "EncodeLane.h"

#include "common/ConvContract.h"
#include "platform/files/Files.h"

EncodeLane::EncodeLane(QObject *parent) : QObject(parent)
{
    connect(&m_copier, &BackgroundTask::done, this, [this](const JobResult &result) {
        m_copy = result;
        m_state = State::Copied;
        emit copied();
    });
    connect(&m_encoder, &platform::ChildProcess::finished, this, [this] {
        if (m_state != State::Encoding)
            return; // an encoder given up
        m_state = State::Encoded;
        m_changed = m_linked && *m_linked && platform::fileState(platform::NativeName(m_files.input())) != **m_linked;
        emit encoded();
    });
}

EncodeLane::~EncodeLane()
{
    release();
}

bool EncodeLane::load(const QString &source)
{
    release();
    // Leftovers of an earlier file or a killed run must never be taken for
    // this file's audio.
    m_files.remove();
    m_source = source;
    m_state = State::Copying;
    m_linked = std::make_shared<std::optional<platform::FileState>>();
    const bool started = m_copier.run([source, usable = m_files.usable(), target = m_files.input(),
                                       linked = m_linked](const std::atomic_bool &cancelled) {
        if (!usable)
            return JobResult{false, QStringLiteral("the private temporary folder cannot be used")};
        // A link costs no copy of the audio; a write to the source while it
        // is encoded is seen afterwards (a copy taken during one would have
        // been torn unseen).
        platform::FileState state;
        if (platform::linkForReading(platform::NativeName(source), platform::NativeName(target), &state)) {
            *linked = state;
            return JobResult{};
        }
        JobResult result;
        result.ok = platform::copyFileReplacing(platform::NativeName(source), platform::NativeName(target), &result.reason,
                                                &cancelled, platform::CopyUse::Working);
        return result;
    });
    if (!started)
        m_state = State::Free;
    return started;
}

bool EncodeLane::encode(const QString &encoder, const QStringList &arguments, bool besideAnother)
{
    if (m_state == State::Encoding) {
        m_state = State::Copied; // its end is no result
        m_encoder.stop(2000);
    }
    m_beside = besideAnother;
    m_arguments = arguments;
    m_changed = false;
    if (!m_encoder.start(encoder, arguments))
        return false;
    m_state = State::Encoding;
    return true;
}

QString EncodeLane::encoderFailure() const
{
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
    m_state = State::Free;
    m_beside = false;
    m_changed = false;
    m_arguments.clear();
    m_linked.reset();
    m_source.clear();
    m_copy = {};
    if (was == State::Free)
        return;
    m_encoder.stop(2000);
    m_copier.cancel();
    m_files.remove();
}
