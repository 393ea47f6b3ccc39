#include "Conversion.h"

#include "Id3Tag.h"
#include "InfoFrame.h"
#include "Mp3Encoder.h"
#include "ParallelEncoder.h"
#include "Resampler.h"
#include "SampleStream.h"

#include <vector>

namespace {

using convcontract::Culprit;

Failure writeFailure()
{
    return {Culprit::Output, "cannot write the output"};
}

// Counts and checksums the audio bytes on their way to the sink, for an
// info frame of our own.
class AudioBytes {
public:
    explicit AudioBytes(Mp3Sink &sink) : m_sink(sink) {}

    bool put(const unsigned char *bytes, std::size_t size, Failure &error)
    {
        m_count += size;
        m_crc = crc16(m_crc, bytes, size);
        if (m_sink.write(bytes, size))
            return true;
        error = writeFailure();
        return false;
    }
    std::uint32_t count() const { return static_cast<std::uint32_t>(m_count); }
    std::uint16_t crc() const { return m_crc; }

private:
    Mp3Sink &m_sink;
    std::uint64_t m_count = 0;
    std::uint16_t m_crc = 0;
};

// Hands the whole input, mixed and resampled, to `encode`.
bool pumpSamples(AudioReader &input, const EncodeSettings &settings, const Resampler::Sink &encode,
                 Failure &error)
{
    SampleStream stream(input, settings.sampleRate, settings.channels);
    if (stream.pump(0, stream.length(), encode))
        return true;
    if (!stream.error().empty())
        error = {Culprit::Input, stream.error()};
    return false;
}

// What goes before the audio: the ID3v2 tag, and room for the info frame
// when it is ours (written last, over that room).
bool writeHead(const std::string &tag, std::size_t infoRoom, Mp3Sink &sink, Failure &error)
{
    const std::vector<unsigned char> room(infoRoom, 0);
    if (sink.write(tag.data(), tag.size()) && sink.write(room.data(), room.size()))
        return true;
    error = writeFailure();
    return false;
}

bool writeInfo(const std::vector<unsigned char> &info, const std::string &tag, Mp3Sink &sink, Failure &error)
{
    if (info.empty() || sink.writeAt(static_cast<long>(tag.size()), info.data(), info.size()))
        return true;
    error = writeFailure();
    return false;
}

bool encodeOnOneThread(AudioReader &input, const EncodeSettings &settings, Mp3Sink &sink, Failure &error)
{
    Mp3Encoder encoder(settings.sampleRate, settings.channels, settings.bitRateKbps);
    if (!encoder.ok()) {
        error = {Culprit::Input, "the MP3 encoder refused these settings"};
        return false;
    }
    const std::string tag = makeId3v2Tag(input.tags());
    const bool ownInfo = !lameInfoFrameFits(settings.sampleRate, settings.channels, settings.bitRateKbps);
    if (!writeHead(tag, ownInfo ? infoFrameSize(settings.sampleRate, settings.channels, settings.bitRateKbps) : 0, sink,
                   error))
        return false;
    AudioBytes audio(sink);
    const Resampler::Sink encode = [&](const float *frames, std::int64_t count) {
        const std::vector<unsigned char> &bytes = encoder.encode(frames, count);
        return audio.put(bytes.data(), bytes.size(), error);
    };
    if (!pumpSamples(input, settings, encode, error))
        return false;
    const std::vector<unsigned char> &last = encoder.flush();
    if (!audio.put(last.data(), last.size(), error))
        return false;
    const std::vector<unsigned char> info =
        ownInfo ? makeInfoFrame({settings.sampleRate, settings.channels, settings.bitRateKbps,
                                 static_cast<std::uint32_t>(encoder.framesEncoded()), audio.count(),
                                 encoder.encoderDelay(), encoder.encoderPadding(), audio.crc()})
                : encoder.infoFrame();
    return writeInfo(info, tag, sink, error);
}

enum class Outcome { done, failed, oneThreadInstead };

Outcome encodeInParts(AudioReader &input, const EncodeSettings &settings, const ParallelEncoder::Plan &plan,
                      std::int64_t samples, Mp3Sink &sink, Failure &error)
{
    // The joined stream gets an info frame of ours: LAME's knows one part.
    const std::string tag = makeId3v2Tag(input.tags());
    if (!writeHead(tag, infoFrameSize(settings.sampleRate, settings.channels, settings.bitRateKbps), sink, error))
        return Outcome::failed;
    AudioBytes audio(sink);
    // Each worker reads its part with a reader of its own.
    const ParallelEncoder::Feed feed = [&](std::int64_t from, std::int64_t to, const ParallelEncoder::Sink &encode,
                                           std::string &why) {
        AudioReader part;
        if (!part.openTwin(input)) {
            why = part.error();
            return false;
        }
        SampleStream stream(part, settings.sampleRate, settings.channels);
        const bool ok = stream.pump(from, to, encode);
        why = stream.error();
        return ok;
    };
    ParallelEncoder parts(settings.sampleRate, settings.channels, settings.bitRateKbps, samples, plan, feed,
                          [&](const unsigned char *bytes, std::size_t size) { return audio.put(bytes, size, error); });
    const bool done = parts.run();
    if (!parts.inputError().empty())
        error = {Culprit::Input, parts.inputError()};
    if (parts.failed() && error.why.empty()) // not a write error
        return Outcome::oneThreadInstead;
    if (!done)
        return Outcome::failed;
    const std::vector<unsigned char> info =
        makeInfoFrame({settings.sampleRate, settings.channels, settings.bitRateKbps, parts.framesWritten(),
                       audio.count(), parts.encoderDelay(), parts.encoderPadding(), audio.crc(), !parts.widened()});
    return writeInfo(info, tag, sink, error) ? Outcome::done : Outcome::failed;
}

} // namespace

bool encodeStream(AudioReader &input, const EncodeSettings &settings, Mp3Sink &sink, Failure &error)
{
    const std::int64_t samples = SampleStream(input, settings.sampleRate, settings.channels).length();
    const ParallelEncoder::Plan plan = ParallelEncoder::plan(settings.sampleRate, settings.channels,
                                                             settings.bitRateKbps, settings.threads, samples,
                                                             settings.partFrames, settings.warmUpFrames);
    if (plan.count > 0) {
        const Outcome outcome = encodeInParts(input, settings, plan, samples, sink, error);
        if (outcome != Outcome::oneThreadInstead)
            return outcome == Outcome::done;
        // Parts that cannot be joined soundly: start again on one thread.
        error = {};
        if (!input.rewind() || !sink.restart()) {
            error = input.error().empty() ? writeFailure() : Failure{Culprit::Input, input.error()};
            return false;
        }
    }
    return encodeOnOneThread(input, settings, sink, error);
}
