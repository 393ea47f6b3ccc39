#include "Mp3Rates.h"

#include <cstdlib>

namespace {

constexpr int sampleRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
constexpr int mpeg1[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr int mpeg2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr std::size_t mpeg25Count = 8; // LAME encodes MPEG-2.5 up to 64 kbit/s

int nearest(int value, std::span<const int> allowed)
{
    int best = allowed.front();
    for (int candidate : allowed)
        if (std::abs(candidate - value) < std::abs(best - value))
            best = candidate;
    return best;
}

} // namespace

std::span<const int, 15> mp3BitRateIndexTable(int sampleRate)
{
    return isMpeg1(sampleRate) ? std::span<const int, 15>(mpeg1) : std::span<const int, 15>(mpeg2);
}

int nearestMp3SampleRate(int hz)
{
    return nearest(hz, sampleRates);
}

int nearestMp3BitRate(int kbps, int sampleRate)
{
    const std::span<const int> allowed = mp3BitRateIndexTable(sampleRate).subspan(1);
    if (sampleRate >= 16000)
        return nearest(kbps, allowed);
    return nearest(kbps, allowed.first(mpeg25Count));
}
