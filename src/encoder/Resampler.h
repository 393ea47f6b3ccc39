#pragma once

#include <soxr.h>

#include <cstdint>
#include <string>
#include <vector>

// Streaming sample-rate conversion with libsoxr (high quality). The total
// output is exactly round(input frames × output rate / input rate).
class Resampler {
public:
    Resampler(int inputRate, int outputRate, int channels, std::int64_t inputFrames);
    ~Resampler();
    Resampler(const Resampler &) = delete;
    Resampler &operator=(const Resampler &) = delete;

    bool ok() const { return m_soxr != nullptr; }
    const std::string &error() const { return m_error; }

    // Feeds interleaved frames (none at the end, to flush); the converted
    // frames are in output() afterwards.
    void process(const float *in, std::int64_t frames);
    void finish();
    const std::vector<float> &output() const { return m_out; }
    std::int64_t outputFrames() const { return m_outFrames; }

private:
    void deliver(std::size_t produced);
    soxr_t m_soxr = nullptr;
    int m_channels;
    double m_ratio;
    std::int64_t m_target;
    std::int64_t m_emitted = 0;
    std::vector<float> m_out;
    std::vector<float> m_scratch;
    std::int64_t m_outFrames = 0;
    std::string m_error;
};
