#include "Mp3Frames.h"

#include "Mp3Rates.h"

namespace {

// By the header's version field (MPEG-2.5, reserved, MPEG-2, MPEG-1).
constexpr int sampleRates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

struct Header {
    bool mpeg1 = false;
    int frameBytes = 0;
    int sideInfo = 0;
    int channels = 0;
};

// Reads a layer III header without CRC; false for anything else.
bool readHeader(const unsigned char *p, Header &h)
{
    if (p[0] != 0xff || (p[1] & 0xe0) != 0xe0)
        return false;
    const int version = (p[1] >> 3) & 3; // 0: 2.5, 2: 2, 3: 1
    const int layer = (p[1] >> 1) & 3;
    const bool crc = (p[1] & 1) == 0;
    const int rateIndex = p[2] >> 4;
    const int hzIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer != 1 || crc || rateIndex == 0 || rateIndex == 15 || hzIndex == 3)
        return false;
    const int hz = sampleRates[version][hzIndex];
    const int kbps = mp3BitRateIndexTable(hz)[rateIndex];
    h.mpeg1 = version == 3;
    h.channels = (p[3] >> 6) == 3 ? 1 : 2;
    h.frameBytes = mp3FrameBytes(hz, kbps) + ((p[2] >> 1) & 1);
    h.sideInfo = mp3SideInfoSize(hz, h.channels);
    return true;
}

// Reads `count` bits from `p` starting at bit `at` (most significant first).
unsigned bits(const unsigned char *p, int at, int count)
{
    unsigned value = 0;
    for (int i = 0; i < count; ++i, ++at)
        value = (value << 1) | ((p[at >> 3] >> (7 - (at & 7))) & 1);
    return value;
}

// The main data's length in bits: the sum of part2_3_length over the
// granules and channels of the side information.
int mainDataBits(const unsigned char *side, const Header &h)
{
    // After main_data_begin and the private bits (and MPEG-1's scfsi),
    // each granule/channel block starts with its 12-bit part2_3_length.
    const int first = h.mpeg1 ? (h.channels == 1 ? 18 : 20) : (h.channels == 1 ? 9 : 10);
    const int block = h.mpeg1 ? 59 : 63;
    const int blocks = (h.mpeg1 ? 2 : 1) * h.channels;
    int total = 0;
    for (int i = 0; i < blocks; ++i)
        total += static_cast<int>(bits(side, first + i * block, 12));
    return total;
}

} // namespace

bool Mp3FrameSplitter::add(const unsigned char *bytes, std::size_t size, std::vector<Mp3Frame> &frames)
{
    if (m_broken)
        return false;
    m_pending.insert(m_pending.end(), bytes, bytes + size);
    std::size_t at = 0;
    while (m_pending.size() - at >= 4) {
        Header h;
        if (!readHeader(m_pending.data() + at, h)) {
            m_broken = true;
            return false;
        }
        if (m_pending.size() - at < static_cast<std::size_t>(h.frameBytes))
            break; // the rest of this frame comes later
        const std::size_t headBytes = 4 + static_cast<std::size_t>(h.sideInfo);
        if (static_cast<std::size_t>(h.frameBytes) < headBytes) {
            m_broken = true;
            return false;
        }
        const unsigned char *frameBytes = m_pending.data() + at;
        Mp3Frame frame;
        frame.head.assign(frameBytes, frameBytes + headBytes);
        frame.slotSize = h.frameBytes - static_cast<int>(headBytes);
        const unsigned char *side = frameBytes + 4;
        frame.mainDataBegin = static_cast<int>(h.mpeg1 ? bits(side, 0, 9) : bits(side, 0, 8));
        const std::int64_t slotStart = m_areaEnd;
        const std::int64_t start = slotStart - frame.mainDataBegin;
        const std::int64_t end = start + (mainDataBits(side, h) + 7) / 8;
        // The data starts within the stream, after the frame before's, and
        // ends within this frame's own area at the latest.
        if (start < 0 || start < m_dataEnd || end > slotStart + frame.slotSize) {
            m_broken = true;
            return false;
        }
        m_area.insert(m_area.end(), frameBytes + headBytes, frameBytes + h.frameBytes);
        m_areaEnd += frame.slotSize;
        const std::int64_t origin = m_areaEnd - static_cast<std::int64_t>(m_area.size());
        frame.data.assign(m_area.begin() + (start - origin), m_area.begin() + (end - origin));
        m_dataEnd = end;
        frames.push_back(std::move(frame));
        at += static_cast<std::size_t>(h.frameBytes);
        // Keep no more of the areas than a later frame can reach back to.
        if (m_area.size() > 4096)
            m_area.erase(m_area.begin(), m_area.end() - 512);
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

bool splitMp3Frames(const unsigned char *bytes, std::size_t size, std::vector<Mp3Frame> &frames)
{
    Mp3FrameSplitter splitter;
    return splitter.add(bytes, size, frames) && splitter.complete();
}

int mp3MaxMainDataBegin(const Mp3Frame &frame)
{
    return ((frame.head[1] >> 3) & 3) == 3 ? 511 : 255;
}

void setMp3MainDataBegin(unsigned char *frame, int value)
{
    unsigned char *side = frame + 4;
    if (((frame[1] >> 3) & 3) == 3) { // MPEG-1: 9 bits
        side[0] = static_cast<unsigned char>(value >> 1);
        side[1] = static_cast<unsigned char>((side[1] & 0x7f) | ((value & 1) << 7));
    } else {
        side[0] = static_cast<unsigned char>(value);
    }
}

int mp3BitRateIndex(const unsigned char *header)
{
    return header[2] >> 4;
}

int mp3TopBitRateIndex(const unsigned char *header)
{
    return ((header[1] >> 3) & 3) == 0 ? 8 : 14; // MPEG-2.5: up to 64 kbit/s
}

int mp3FrameBytesWithIndex(const unsigned char *header, int index)
{
    const unsigned char changed[4] = {header[0], header[1],
                                      static_cast<unsigned char>((header[2] & 0x0f) | (index << 4)), header[3]};
    Header h;
    return readHeader(changed, h) ? h.frameBytes : 0;
}
