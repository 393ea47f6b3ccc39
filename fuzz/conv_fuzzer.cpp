// libFuzzer target: arbitrary bytes as an input file through conv's whole
// reading and encoding path (libsndfile from memory, mixing, resampling,
// LAME), into a sink that only counts.
#include "AudioReader.h"
#include "Conversion.h"
#include "Mp3Rates.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

class CountingSink : public Mp3Sink {
public:
    bool write(const void *, std::size_t size) override
    {
        written += size;
        return true;
    }
    bool writeAt(long offset, const void *, std::size_t size) override
    {
        return offset >= 0 && static_cast<std::size_t>(offset) + size <= written;
    }
    bool restart() override
    {
        written = 0;
        return true;
    }
    std::size_t written = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    AudioReader input;
    if (!input.openMemory(std::string_view(reinterpret_cast<const char *>(data), size)))
        return 0;
    // Stay quick: a few seconds of audio at most, counted after resampling.
    // (In 64 bits: a header may claim a rate of up to INT_MAX.)
    const int rate = nearestMp3SampleRate(static_cast<int>(
        std::min<std::int64_t>(INT_MAX, std::int64_t{input.sampleRate()} + static_cast<std::int64_t>(size % 7) * 1000)));
    if (input.frames() > 400000 || input.channels() > 64
        || input.frames() * rate / input.sampleRate() > 120000)
        return 0;
    const int channels = 1 + static_cast<int>(size % 2);
    // Every other input goes through the threaded path, in pieces short
    // enough that short inputs have joins.
    const bool threaded = (size / 2) % 2 == 1;
    const EncodeSettings settings{rate, channels, nearestMp3BitRate(static_cast<int>(size % 320) + 8, rate),
                                  threaded ? 2 : 1, threaded ? 8 + static_cast<int>(size % 17) : 0};
    CountingSink sink;
    Failure error;
    encodeStream(input, settings, sink, error);
    return 0;
}
