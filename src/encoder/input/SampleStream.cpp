#include "SampleStream.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace {

// Output samples run through the filter before the first one kept: far
// more than libsoxr's high-quality filter reaches back.
constexpr std::int64_t preRoll = 2048;

} // namespace

SampleStream::SampleStream(AudioReader &input, int sampleRate, int channels)
    : m_input(input), m_rate(sampleRate), m_channels(channels), m_mixer(input.channels(), channels),
      m_length(input.sampleRate() == sampleRate
                   ? input.frames()
                   : Resampler::outputLength(input.frames(), input.sampleRate(), sampleRate))
{
}

bool SampleStream::fail(const std::string &why)
{
    m_error = why;
    return false;
}

bool SampleStream::pump(std::int64_t from, std::int64_t to, const Resampler::Sink &sink)
{
    to = std::min(to, m_length);
    const int inRate = m_input.sampleRate();
    // Where the input starts and the output sample it gives first.
    std::int64_t inputStart = from, outputStart = from;
    std::unique_ptr<Resampler> resampler;
    if (inRate != m_rate) {
        const int common = std::gcd(inRate, m_rate);
        const std::int64_t steps = std::max<std::int64_t>(0, from - preRoll) / (m_rate / common);
        inputStart = steps * (inRate / common);
        outputStart = steps * (m_rate / common);
        resampler = std::make_unique<Resampler>(inRate, m_rate, m_channels, m_length - outputStart);
        if (!resampler->ok())
            return fail("cannot resample: " + resampler->error());
    }
    if (!m_input.seek(inputStart))
        return fail(m_input.error().empty() ? "cannot read the audio" : m_input.error());

    // Drops what comes before `from`, stops at `to`.
    std::int64_t at = outputStart;
    bool reached = at >= to;
    bool sinkFailed = false;
    const Resampler::Sink keep = [&](const float *frames, std::int64_t count) {
        const std::int64_t skip = std::clamp<std::int64_t>(from - at, 0, count);
        const std::int64_t take = std::clamp<std::int64_t>(to - at - skip, 0, count - skip);
        at += count;
        if (take > 0 && !sink(frames + skip * m_channels, take)) {
            sinkFailed = true;
            return false;
        }
        reached = at >= to;
        return !reached;
    };

    // Small blocks: a worker stops within one once its part is joined.
    const std::int64_t block = std::clamp<std::int64_t>(16384 / m_input.channels(), 256, 2048);
    std::vector<float> raw(static_cast<std::size_t>(block * m_input.channels()));
    std::vector<float> mixed(static_cast<std::size_t>(block * m_channels));
    std::int64_t read = inputStart;
    while (!reached && read < m_input.frames()) {
        const std::int64_t n = m_input.read(raw.data(), block);
        if (n <= 0)
            return fail("truncated: the file holds less audio than its header says");
        read += n;
        m_mixer.mix(raw.data(), n, mixed.data());
        if (!(resampler ? resampler->process(mixed.data(), n, keep) : keep(mixed.data(), n)) && sinkFailed)
            return false;
        if (resampler && !resampler->error().empty())
            break;
    }
    if (!reached && resampler && resampler->error().empty() && !resampler->finish(keep) && sinkFailed)
        return false;
    if (resampler && !resampler->error().empty())
        return fail("cannot resample: " + resampler->error());
    return true;
}
