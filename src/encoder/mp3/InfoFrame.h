#pragma once

#include <cstdint>
#include <vector>

// What the info frame of a CBR stream describes.
struct StreamFacts {
    int sampleRate;
    int channels;
    int bitRateKbps;
    std::uint32_t audioFrames;  // MP3 frames after the info frame
    std::uint32_t audioBytes;   // bytes after the info frame
    int encoderDelay;
    int encoderPadding;
    std::uint16_t audioCrc;     // CRC-16 of the bytes after the info frame
    bool constantBitRate = true; // every audio frame at bitRateKbps
};

// LAME leaves out its info frame when it does not fit in one frame of the
// stream's bit rate (32 kbit/s at 48 kHz, say), and a stream joined from
// parts needs one of its own. Ours is an "Info" frame with the LAME
// extension at the stream's bit rate, as LAME writes it, or at the lowest
// bit rate it fits in where the stream's is too small; "Xing" when the
// audio frames are not all at one bit rate (a join widened one), since
// then the stream is no longer constant.
bool lameInfoFrameFits(int sampleRate, int channels, int bitRateKbps);
std::size_t infoFrameSize(int sampleRate, int channels, int bitRateKbps);
std::vector<unsigned char> makeInfoFrame(const StreamFacts &facts);

// CRC-16 as the LAME tag uses it (polynomial 0x8005, reflected).
std::uint16_t crc16(std::uint16_t crc, const unsigned char *data, std::size_t size);
