#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One layer III frame taken apart: its header and side information, the
// size of its main-data area, and its own main data (the granules' bits,
// which in the stream may start in earlier frames' areas).
struct Mp3Frame {
    std::vector<unsigned char> head; // header and side information
    int slotSize = 0;                // bytes of main-data area in this frame
    int mainDataBegin = 0;           // how far back its main data started
    std::vector<unsigned char> data; // its main data, whole bytes
};

// Takes apart a layer III stream without CRCs, as LAME writes it, given
// piece by piece: add() appends each whole frame to `frames`, and keeps the
// bytes of a frame not yet whole (and as much of the frames' areas as a
// later frame's main data may start in) for the next piece. False once the
// bytes are not such a stream or a frame's main data lies where the bit
// reservoir does not allow: before the stream, beyond its own frame, or
// over the data of the frame before.
class Mp3FrameSplitter {
public:
    bool add(const unsigned char *bytes, std::size_t size, std::vector<Mp3Frame> &frames);
    // Whether the stream so far ends on a whole frame.
    bool complete() const { return !m_broken && m_pending.empty(); }

private:
    std::vector<unsigned char> m_pending;
    std::vector<unsigned char> m_area; // the end of the areas seen
    std::int64_t m_areaEnd = 0;        // stream position after the last area
    std::int64_t m_dataEnd = 0;        // and after the last frame's data
    bool m_broken = false;
};

// Splits a whole layer III stream into frames (see Mp3FrameSplitter).
bool splitMp3Frames(const unsigned char *bytes, std::size_t size, std::vector<Mp3Frame> &frames);

// The longest reach back of main_data_begin: 511 bytes in MPEG-1, 255 below.
int mp3MaxMainDataBegin(const Mp3Frame &frame);

// Rewrites the main_data_begin field of the frame whose bytes (header and
// side information first) start at `frame`.
void setMp3MainDataBegin(unsigned char *frame, int value);

// A frame header's bit-rate index, the highest one LAME writes at its
// sample rate, and the frame's size in bytes with another index (same
// padding).
int mp3BitRateIndex(const unsigned char *header);
int mp3TopBitRateIndex(const unsigned char *header);
int mp3FrameBytesWithIndex(const unsigned char *header, int index);
