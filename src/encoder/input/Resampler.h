#pragma once

#include <soxr.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Streaming sample-rate conversion with libsoxr (high quality). The total
// output is exactly `outputFrames` (see outputLength), and it is handed
// on in chunks of at most `chunkFrames` frames, so memory
// stays bounded whatever the ratio of the rates.
class Resampler {
public:
    static constexpr std::size_t chunkFrames = 8192;
    // Receives interleaved output frames.
    using Sink = std::function<bool(const float *frames, std::int64_t count)>;

    Resampler(int inputRate, int outputRate, int channels, std::int64_t outputFrames);
    // round(input frames × output rate / input rate)
    static std::int64_t outputLength(std::int64_t inputFrames, int inputRate, int outputRate)
    {
        return (inputFrames * outputRate + inputRate / 2) / inputRate;
    }
    ~Resampler();
    Resampler(const Resampler &) = delete;
    Resampler &operator=(const Resampler &) = delete;

    bool ok() const { return m_soxr != nullptr; }
    const std::string &error() const { return m_error; }

    // Converts interleaved frames; false as soon as the sink or libsoxr
    // fails (then error() says why).
    bool process(const float *in, std::int64_t frames, const Sink &sink);
    // Flushes the filter and pads to the exact length.
    bool finish(const Sink &sink);

private:
    bool checked(soxr_error_t error);
    bool deliver(std::size_t produced, const Sink &sink);
    soxr_t m_soxr = nullptr;
    int m_channels;
    double m_ratio;
    std::int64_t m_target;
    std::int64_t m_emitted = 0;
    std::vector<float> m_scratch;
    std::string m_error;
};
