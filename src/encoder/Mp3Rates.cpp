#include "Mp3Rates.h"

#include <cstdlib>
#include <span>

namespace {

constexpr int sampleRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
constexpr int mpeg1[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr int mpeg2[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr int mpeg25[] = {8, 16, 24, 32, 40, 48, 56, 64};

int nearest(int value, std::span<const int> allowed)
{
    int best = allowed.front();
    for (int candidate : allowed)
        if (std::abs(candidate - value) < std::abs(best - value))
            best = candidate;
    return best;
}

} // namespace

int nearestMp3SampleRate(int hz)
{
    return nearest(hz, sampleRates);
}

int nearestMp3BitRate(int kbps, int sampleRate)
{
    if (sampleRate >= 32000)
        return nearest(kbps, mpeg1);
    if (sampleRate >= 16000)
        return nearest(kbps, mpeg2);
    return nearest(kbps, mpeg25);
}
