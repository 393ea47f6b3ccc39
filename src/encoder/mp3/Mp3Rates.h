#pragma once

#include <span>

// The sample rates and bit rates that MPEG audio layer III can carry.

// MPEG-1 carries 32000, 44100 and 48000 Hz; lower rates are MPEG-2/2.5.
constexpr bool isMpeg1(int sampleRate)
{
    return sampleRate >= 32000;
}

// Samples per channel in one frame: 1152 for MPEG-1, 576 below.
constexpr int mp3FrameSamples(int sampleRate)
{
    return isMpeg1(sampleRate) ? 1152 : 576;
}

// Bytes of side information after a frame's header.
constexpr int mp3SideInfoSize(int sampleRate, int channels)
{
    if (isMpeg1(sampleRate))
        return channels == 1 ? 17 : 32;
    return channels == 1 ? 9 : 17;
}

// Bytes of one frame at `kbps`, without the padding byte.
constexpr int mp3FrameBytes(int sampleRate, int kbps)
{
    return (isMpeg1(sampleRate) ? 144000 : 72000) * kbps / sampleRate;
}

// The frame header's bit-rate table for the MPEG version of `sampleRate`,
// in kbit/s, by index (0 is "free format").
std::span<const int, 15> mp3BitRateIndexTable(int sampleRate);

// The nearest of the nine MP3 sample rates (ties go to the lower rate).
int nearestMp3SampleRate(int hz);

// The nearest bit rate that the MPEG version of `sampleRate` allows
// (MPEG-1: 32..320, MPEG-2: 8..160, MPEG-2.5: 8..64 kbit/s).
int nearestMp3BitRate(int kbps, int sampleRate);
