#pragma once

// The sample rates and bit rates that MPEG audio layer III can carry.

// The nearest of the nine MP3 sample rates (ties go to the lower rate).
int nearestMp3SampleRate(int hz);

// The nearest bit rate that the MPEG version of `sampleRate` allows
// (MPEG-1: 32..320, MPEG-2: 8..160, MPEG-2.5: 8..64 kbit/s).
int nearestMp3BitRate(int kbps, int sampleRate);
