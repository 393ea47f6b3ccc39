#include "Conversion.h"

#include "ChannelMixer.h"
#include "Id3Tag.h"
#include "Mp3Encoder.h"
#include "Resampler.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool put(Mp3Sink &sink, const std::vector<unsigned char> &bytes, std::string &error)
{
    if (sink.write(bytes.data(), bytes.size()))
        return true;
    error = "cannot write the output";
    return false;
}

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
    if (!sink.write(tag.data(), tag.size())) {
        error = "cannot write the output";
        return false;
    }

    const ChannelMixer mixer(input.channels(), settings.channels);
    const std::int64_t block = std::max<std::int64_t>(256, 65536 / input.channels());
    std::vector<float> raw(static_cast<std::size_t>(block * input.channels()));
    std::vector<float> mixed(static_cast<std::size_t>(block * settings.channels));
    std::int64_t total = 0;
    for (std::int64_t n; (n = input.read(raw.data(), block)) > 0;) {
        total += n;
        mixer.mix(raw.data(), n, mixed.data());
        if (resampler) {
            resampler->process(mixed.data(), n);
            if (!put(sink, encoder.encode(resampler->output().data(), resampler->outputFrames()), error))
                return false;
        } else if (!put(sink, encoder.encode(mixed.data(), n), error)) {
            return false;
        }
    }
    if (total != input.frames()) {
        error = "truncated: the file holds less audio than its header says";
        return false;
    }
    if (resampler) {
        resampler->finish();
        if (!put(sink, encoder.encode(resampler->output().data(), resampler->outputFrames()), error))
            return false;
    }
    if (!put(sink, encoder.flush(), error))
        return false;
    const std::vector<unsigned char> info = encoder.infoFrame();
    if (!info.empty() && !sink.writeAt(static_cast<long>(tag.size()), info.data(), info.size())) {
        error = "cannot write the output";
        return false;
    }
    return true;
}
