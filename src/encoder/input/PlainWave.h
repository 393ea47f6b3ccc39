#pragma once

#include "ContainerHeader.h"

#include <cstdint>
#include <vector>

// A WAV of plain PCM or float samples (the common input), read straight
// from the file: no codec library has to be loaded for it, which is most
// of the start of a conv that converts a short file. Anything less plain
// (other codings, odd block sizes, big-endian, Wave64) is left to
// libsndfile; the samples read here are those libsndfile gives, bit for bit.
//
// States: made for one opening of the input; `position` is the next frame.
class PlainWave {
public:
    // Whether the header describes audio this class reads.
    static bool reads(const ContainerHeader &header);
    // `header` must be one it reads; the data ends at the file's end when
    // the header gives no length (a WAV written to a pipe).
    PlainWave(const ContainerHeader &header, std::int64_t fileLength);

    int channels() const { return m_channels; }
    int sampleRate() const { return m_sampleRate; }
    std::int64_t frames() const { return m_frames; }
    void seek(std::int64_t frame) { m_position = frame; }
    // Reads up to `count` frames as floats in [-1, 1) (float data as it
    // is); returns how many it read: fewer when the file ends early.
    std::int64_t read(const ReadAt &readAt, float *interleaved, std::int64_t count);

private:
    enum class Coding { Unsigned8, Signed16, Signed24, Signed32, Float32, Float64 };
    Coding m_coding;
    int m_channels, m_sampleRate, m_blockAlign;
    std::int64_t m_dataOffset, m_frames;
    std::int64_t m_position = 0;
    std::vector<unsigned char> m_bytes;
};
