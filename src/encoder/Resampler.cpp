#include "Resampler.h"

#include <algorithm>

Resampler::Resampler(int inputRate, int outputRate, int channels, std::int64_t inputFrames)
    : m_channels(channels), m_ratio(static_cast<double>(outputRate) / inputRate),
      m_target((inputFrames * outputRate + inputRate / 2) / inputRate)
{
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

void Resampler::deliver(std::size_t produced)
{
    // Keep the total at exactly the target length.
    const auto keep = static_cast<std::size_t>(
        std::clamp<std::int64_t>(m_target - m_emitted, 0, static_cast<std::int64_t>(produced)));
    m_out.insert(m_out.end(), m_scratch.begin(), m_scratch.begin() + static_cast<std::ptrdiff_t>(keep * m_channels));
    m_emitted += static_cast<std::int64_t>(keep);
    m_outFrames += static_cast<std::int64_t>(keep);
}

void Resampler::process(const float *in, std::int64_t frames)
{
    m_out.clear();
    m_outFrames = 0;
    const auto capacity = static_cast<std::size_t>(static_cast<double>(frames) * m_ratio) + 64;
    m_scratch.resize(capacity * m_channels);
    std::int64_t consumed = 0;
    while (consumed < frames) {
        std::size_t used = 0;
        std::size_t produced = 0;
        soxr_process(m_soxr, in + consumed * m_channels, static_cast<std::size_t>(frames - consumed), &used,
                     m_scratch.data(), capacity, &produced);
        deliver(produced);
        if (used == 0 && produced == 0)
            break;
        consumed += static_cast<std::int64_t>(used);
    }
}

void Resampler::finish()
{
    m_out.clear();
    m_outFrames = 0;
    const std::size_t capacity = 4096;
    m_scratch.resize(capacity * m_channels);
    for (;;) {
        std::size_t produced = 0;
        soxr_process(m_soxr, nullptr, 0, nullptr, m_scratch.data(), capacity, &produced);
        if (produced == 0)
            break;
        deliver(produced);
    }
    // Pad with silence should the filter deliver fewer frames.
    if (m_emitted < m_target) {
        const auto missing = static_cast<std::size_t>(m_target - m_emitted);
        m_out.insert(m_out.end(), missing * m_channels, 0.0f);
        m_outFrames += static_cast<std::int64_t>(missing);
        m_emitted = m_target;
    }
}
