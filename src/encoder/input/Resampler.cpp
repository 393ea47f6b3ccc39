#include "Resampler.h"

#include "CodecLibrary.h"

#include <algorithm>
#include <cmath>

Resampler::Resampler(int inputRate, int outputRate, int channels, std::int64_t outputFrames)
    : m_channels(channels), m_ratio(static_cast<double>(outputRate) / inputRate), m_target(outputFrames),
      m_scratch(chunkFrames * static_cast<std::size_t>(channels))
{
    if (!codecLibraryReady(CodecLibrary::Soxr, m_error))
        return;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_error_t error = nullptr;
    m_soxr = soxr_create(inputRate, outputRate, static_cast<unsigned>(channels), &error, &io, &quality,
                         nullptr);
    if (error)
        m_error = error;
}

Resampler::~Resampler()
{
    if (m_soxr)
        soxr_delete(m_soxr);
}

bool Resampler::checked(soxr_error_t error)
{
    if (error && m_error.empty())
        m_error = error;
    return !error;
}

bool Resampler::deliver(std::size_t produced, const Sink &sink)
{
    // Keep the total at exactly the target length.
    const auto keep = std::clamp<std::int64_t>(m_target - m_emitted, 0, static_cast<std::int64_t>(produced));
    m_emitted += keep;
    return keep == 0 || sink(m_scratch.data(), keep);
}

bool Resampler::process(const float *in, std::int64_t frames, const Sink &sink)
{
    // Feed no more input at a time than fills one chunk of output: the
    // filter's own buffers grow with what one call must produce.
    const auto step = static_cast<std::int64_t>(
        std::max(1.0, std::floor(static_cast<double>(chunkFrames) / 2.0 / m_ratio)));
    std::int64_t consumed = 0;
    while (consumed < frames) {
        const std::int64_t offered = std::min(step, frames - consumed);
        std::size_t used = 0;
        std::size_t produced = 0;
        if (!checked(soxr_process(m_soxr, in + consumed * m_channels, static_cast<std::size_t>(offered), &used,
                                  m_scratch.data(), chunkFrames, &produced)))
            return false;
        if (!deliver(produced, sink))
            return false;
        if (used == 0 && produced == 0)
            break;
        consumed += static_cast<std::int64_t>(used);
    }
    return true;
}

bool Resampler::finish(const Sink &sink)
{
    for (;;) {
        std::size_t produced = 0;
        if (!checked(soxr_process(m_soxr, nullptr, 0, nullptr, m_scratch.data(), chunkFrames, &produced)))
            return false;
        if (produced == 0)
            break;
        if (!deliver(produced, sink))
            return false;
    }
    // Pad with silence should the filter deliver fewer frames.
    std::fill(m_scratch.begin(), m_scratch.end(), 0.0f);
    while (m_emitted < m_target) {
        const auto count = std::min<std::int64_t>(m_target - m_emitted, chunkFrames);
        m_emitted += count;
        if (!sink(m_scratch.data(), count))
            return false;
    }
    return true;
}
