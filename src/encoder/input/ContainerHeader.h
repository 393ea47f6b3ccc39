#pragma once

#include <cstdint>
#include <functional>

// What an audio file's container says about its audio, read from the
// header without libsndfile: where the audio data starts and how many
// bytes of it the header promises. Covers the containers that state a
// length (RIFF/RIFX WAV, RF64/BW64, Sony Wave64, AIFF/AIFC, CAF, AU);
// for any other the promise is unknown.
struct ContainerHeader {
    bool known = false;           // a container of the list above
    bool lengthUnknown = false;   // the writer did not know the length (a stream)
    std::int64_t dataOffset = 0;  // first byte of the audio data
    std::int64_t dataBytes = 0;   // the bytes of audio the header promises
    // WAV family only: where the field that states the data length lies
    // (4 bytes, or 8 in RF64's ds64 chunk), and the fact chunk's sample
    // count (-1 without one) with the format tag.
    std::int64_t dataSizeField = -1;
    int dataSizeWidth = 4;
    bool bigEndian = false;
    std::int64_t factFrames = -1;
    int formatTag = 0;
    // WAV family: the rest of the fmt chunk (zero where it is shorter),
    // and whether an extensible format names its sub-format by one of the
    // standard GUIDs (the format tag in the first two bytes, then a fixed tail).
    int channels = 0;
    std::uint32_t sampleRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    bool standardSubFormat = true;

    // True when the file ends before the audio the header promises.
    // Written so that no size a hostile header states can overflow.
    bool truncated(std::int64_t fileLength) const
    {
        return known && !lengthUnknown
               && (dataOffset > fileLength || dataBytes > fileLength - dataOffset);
    }
};

// Reads up to `size` bytes at `offset`; returns how many it read.
using ReadAt = std::function<std::int64_t(void *buffer, std::int64_t size, std::int64_t offset)>;

ContainerHeader readContainerHeader(const ReadAt &read, std::int64_t fileLength);
