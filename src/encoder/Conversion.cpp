#include "Conversion.h"

#include "ChannelMixer.h"
#include "Id3Tag.h"
#include "InfoFrame.h"
#include "Mp3Encoder.h"
#include "Resampler.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Counts and checksums the audio bytes on their way to the sink, for an
// info frame of our own.
class AudioBytes {
public:
    explicit AudioBytes(Mp3Sink &sink) : m_sink(sink) {}

    bool put(const std::vector<unsigned char> &bytes, std::string &error)
    {
        m_count += bytes.size();
        m_crc = crc16(m_crc, bytes.data(), bytes.size());
        if (m_sink.write(bytes.data(), bytes.size()))
            return true;
        error = "cannot write the output";
        return false;
    }
    std::uint32_t count() const { return static_cast<std::uint32_t>(m_count); }
    std::uint16_t crc() const { return m_crc; }

private:
    Mp3Sink &m_sink;
    std::uint64_t m_count = 0;
    std::uint16_t m_crc = 0;
};

} // namespace

bool encodeStream(AudioReader &input, const EncodeSettings &settings, Mp3Sink &sink, std::string &error)
{
    Mp3Encoder encoder(settings.sampleRate, settings.channels, settings.bitRateKbps);
    if (!encoder.ok()) {
        error = "the MP3 encoder refused these settings";
        return false;
    }
    std::unique_ptr<Resampler> resampler;
    if (input.sampleRate() != settings.sampleRate) {
        resampler = std::make_unique<Resampler>(input.sampleRate(), settings.sampleRate, settings.channels,
                                                input.frames());
        if (!resampler->ok()) {
            error = "cannot resample: " + resampler->error();
            return false;
        }
    }

    const std::string tag = makeId3v2Tag(input.tags());
    const bool ownInfo = !lameInfoFrameFits(settings.sampleRate, settings.channels, settings.bitRateKbps);
    const std::vector<unsigned char> placeholder(
        ownInfo ? ownInfoFrameSize(settings.sampleRate, settings.channels) : 0, 0);
    if (!sink.write(tag.data(), tag.size()) || !sink.write(placeholder.data(), placeholder.size())) {
        error = "cannot write the output";
        return false;
    }
    AudioBytes audio(sink);

    const Resampler::Sink encode = [&](const float *frames, std::int64_t count) {
        return audio.put(encoder.encode(frames, count), error);
    };
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
        error = "truncated: the file holds less audio than its header says";
        return false;
    }
    if (resampler && !resampler->finish(encode))
        return false;
    if (!audio.put(encoder.flush(), error))
        return false;
    const std::vector<unsigned char> info =
        ownInfo ? makeInfoFrame({settings.sampleRate, settings.channels, settings.bitRateKbps,
                                 static_cast<std::uint32_t>(encoder.framesEncoded()), audio.count(),
                                 encoder.encoderDelay(), encoder.encoderPadding(), audio.crc()})
                : encoder.infoFrame();
    if (!info.empty() && !sink.writeAt(static_cast<long>(tag.size()), info.data(), info.size())) {
        error = "cannot write the output";
        return false;
    }
    return true;
}
