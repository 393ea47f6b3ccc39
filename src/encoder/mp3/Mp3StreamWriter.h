#pragma once

#include "InfoFrame.h"
#include "Mp3Sink.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes one MP3 stream to a sink, whoever encodes its frames: the ID3v2
// tag, room for the info frame where it will be ours, the audio (counted
// and checksummed on its way), and last the info frame over its room.
class Mp3StreamWriter {
public:
    struct Format {
        int sampleRate;
        int channels;
        int bitRateKbps;
    };

    // `ownInfo`: the info frame is made here from what was written (LAME's
    // own does not fit, or the frames are joined from parts); otherwise it
    // is LAME's, which takes the place of the stream's first frame.
    Mp3StreamWriter(Mp3Sink &sink, const Format &format, std::string tag, bool ownInfo);

    // Each false when the sink failed.
    bool begin();
    bool write(const unsigned char *bytes, std::size_t size);
    // LAME's own info frame (empty: none).
    bool finish(const std::vector<unsigned char> &lameInfo);
    // Ours, from the frame count and LAME's delay and padding.
    bool finishOwn(std::uint32_t frames, int delay, int padding, bool constantBitRate);

    bool ownInfo() const { return m_ownInfo; }

private:
    Mp3Sink &m_sink;
    Format m_format;
    std::string m_tag;
    bool m_ownInfo;
    std::uint64_t m_bytes = 0;
    std::uint16_t m_crc = 0;
};
