#include "Conversion.h"

#include "ChannelMixer.h"
#include "Id3Tag.h"
#include "InfoFrame.h"
#include "Mp3Encoder.h"
#include "ParallelEncoder.h"
#include "Resampler.h"

#include <algorithm>
#include <memory>
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

// Samples per channel after resampling.
std::int64_t expectedSamples(const AudioReader &input, const EncodeSettings &settings)
{
    return input.frames() * settings.sampleRate / std::max(1, input.sampleRate());
}

// Mixes and resamples the whole input into `encode`.
bool pumpSamples(AudioReader &input, const EncodeSettings &settings, const Resampler::Sink &encode,
                 Failure &error)
{
    std::unique_ptr<Resampler> resampler;
    if (input.sampleRate() != settings.sampleRate) {
        resampler = std::make_unique<Resampler>(input.sampleRate(), settings.sampleRate, settings.channels,
                                                input.frames());
        if (!resampler->ok()) {
            error = {Culprit::Input, "cannot resample: " + resampler->error()};
            return false;
        }
    }
    const ChannelMixer mixer(input.channels(), settings.channels);
    const std::int64_t block = std::max<std::int64_t>(256, 65536 / input.channels());
    std::vector<float> raw(static_cast<std::size_t>(block * input.channels()));
    std::vector<float> mixed(static_cast<std::size_t>(block * settings.channels));
    std::int64_t total = 0;
    for (std::int64_t n; (n = input.read(raw.data(), block)) > 0;) {
        total += n;
        mixer.mix(raw.data(), n, mixed.data());
        if (!(resampler ? resampler->process(mixed.data(), n, encode) : encode(mixed.data(), n)))
            return false;
    }
    if (total != input.frames()) {
        error = {Culprit::Input, "truncated: the file holds less audio than its header says"};
        return false;
    }
    return !resampler || resampler->finish(encode);
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

Outcome encodeInSegments(AudioReader &input, const EncodeSettings &settings, int segmentFrames, Mp3Sink &sink,
                       Failure &error)
{
    // The joined stream gets an info frame of ours: LAME's knows one segment.
    const std::string tag = makeId3v2Tag(input.tags());
    if (!writeHead(tag, infoFrameSize(settings.sampleRate, settings.channels, settings.bitRateKbps), sink, error))
        return Outcome::failed;
    AudioBytes audio(sink);
    ParallelEncoder segments(settings.sampleRate, settings.channels, settings.bitRateKbps, settings.threads,
                           segmentFrames,
                           [&](const unsigned char *bytes, std::size_t size) { return audio.put(bytes, size, error); });
    const Resampler::Sink encode = [&](const float *frames, std::int64_t count) {
        return segments.encode(frames, count);
    };
    const bool done = pumpSamples(input, settings, encode, error) && segments.finish();
    if (segments.failed() && error.why.empty()) // not a write error
        return Outcome::oneThreadInstead;
    if (!done)
        return Outcome::failed;
    const std::vector<unsigned char> info =
        makeInfoFrame({settings.sampleRate, settings.channels, settings.bitRateKbps, segments.framesWritten(),
                       audio.count(), segments.encoderDelay(), segments.encoderPadding(), audio.crc(),
                       !segments.widened()});
    return writeInfo(info, tag, sink, error) ? Outcome::done : Outcome::failed;
}

} // namespace

bool encodeStream(AudioReader &input, const EncodeSettings &settings, Mp3Sink &sink, Failure &error)
{
    const std::int64_t samples = expectedSamples(input, settings);
    const int segmentFrames = ParallelEncoder::segmentFrames(settings.sampleRate, settings.channels, settings.threads,
                                                           samples, settings.segmentFrames);
    if (segmentFrames > 0) {
        const Outcome outcome = encodeInSegments(input, settings, segmentFrames, sink, error);
        if (outcome != Outcome::oneThreadInstead)
            return outcome == Outcome::done;
        // Segments that cannot be joined soundly: start again on one thread.
        error = {};
        if (!input.rewind() || !sink.restart()) {
            error = input.error().empty() ? writeFailure() : Failure{Culprit::Input, input.error()};
            return false;
        }
    }
    return encodeOnOneThread(input, settings, sink, error);
}
