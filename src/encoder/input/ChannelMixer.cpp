#include "ChannelMixer.h"

#include <cstring>

ChannelMixer::ChannelMixer(int inputChannels, int outputChannels)
    : m_in(inputChannels), m_out(outputChannels)
{
}

void ChannelMixer::mix(const float *in, std::int64_t frames, float *out) const
{
    mixChannels(in, frames, out);
    for (std::int64_t i = 0, n = frames * m_out; i < n; ++i) {
        const float v = out[i];
        out[i] = v >= -1.0f ? (v <= 1.0f ? v : 1.0f) : (v < -1.0f ? -1.0f : 0.0f); // NaN fails both tests
    }
}

void ChannelMixer::mixChannels(const float *in, std::int64_t frames, float *out) const
{
    if (m_in == m_out) {
        std::memcpy(out, in, static_cast<size_t>(frames * m_in) * sizeof(float));
        return;
    }
    if (m_out == 1) {
        const float scale = 1.0f / static_cast<float>(m_in);
        for (std::int64_t f = 0; f < frames; ++f) {
            float sum = 0;
            for (int c = 0; c < m_in; ++c)
                sum += in[f * m_in + c];
            out[f] = sum * scale;
        }
        return;
    }
    if (m_in == 1) {
        for (std::int64_t f = 0; f < frames; ++f)
            out[2 * f] = out[2 * f + 1] = in[f];
        return;
    }
    const float scale = 1.0f / (1.0f + 0.5f * static_cast<float>(m_in - 2));
    for (std::int64_t f = 0; f < frames; ++f) {
        const float *frame = in + f * m_in;
        float shared = 0;
        for (int c = 2; c < m_in; ++c)
            shared += frame[c];
        out[2 * f] = (frame[0] + 0.5f * shared) * scale;
        out[2 * f + 1] = (frame[1] + 0.5f * shared) * scale;
    }
}
