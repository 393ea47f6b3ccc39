#pragma once

#include <span>

// The sample rates and bit rates that MPEG audio layer III can carry.

// MPEG-1 carries 32000, 44100 and 48000 Hz; lower rates are MPEG-2/2.5.
constexpr bool isMpeg1(int sampleRate)
{
    return sampleRate >= 32000;
}

// The frame header's bit-rate table for the MPEG version of `sampleRate`,
// in kbit/s, by index (0 is "free format").
std::span<const int, 15> mp3BitRateIndexTable(int sampleRate);

// The nearest of the nine MP3 sample rates (ties go to the lower rate).
int nearestMp3SampleRate(int hz);

// The nearest bit rate that the MPEG version of `sampleRate` allows
// (MPEG-1: 32..320, MPEG-2: 8..160, MPEG-2.5: 8..64 kbit/s).
int nearestMp3BitRate(int kbps, int sampleRate);
