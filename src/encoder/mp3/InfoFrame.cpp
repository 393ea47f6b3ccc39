#include "InfoFrame.h"

#include "Mp3Rates.h"

#include <array>
#include <cstring>

namespace {

constexpr std::size_t lameHeaderSize = 156; // Xing part 120 + LAME extension 36

std::size_t sideInfoSize(int sampleRate, int channels)
{
    return static_cast<std::size_t>(mp3SideInfoSize(sampleRate, channels));
}

std::size_t frameSize(int sampleRate, int kbps)
{
    return static_cast<std::size_t>(mp3FrameBytes(sampleRate, kbps));
}

// The stream's own bit rate where the header fits in its frame, else the
// lowest one it fits in.
int bitRateIndexFor(int sampleRate, int channels, int bitRateKbps)
{
    const auto rates = mp3BitRateIndexTable(sampleRate);
    const bool own = lameInfoFrameFits(sampleRate, channels, bitRateKbps);
    for (int i = 1; i < 15; ++i)
        if (own ? rates[i] == bitRateKbps : lameInfoFrameFits(sampleRate, channels, rates[i]))
            return i;
    return 14;
}

void put32(unsigned char *p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

} // namespace

std::uint16_t crc16(std::uint16_t crc, const unsigned char *data, std::size_t size)
{
    static const auto table = [] {
        std::array<std::uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            std::uint16_t c = static_cast<std::uint16_t>(i);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? static_cast<std::uint16_t>((c >> 1) ^ 0xA001) : static_cast<std::uint16_t>(c >> 1);
            t[i] = c;
        }
        return t;
    }();
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ data[i]) & 0xff]);
    return crc;
}

bool lameInfoFrameFits(int sampleRate, int channels, int bitRateKbps)
{
    return frameSize(sampleRate, bitRateKbps) >= 4 + sideInfoSize(sampleRate, channels) + lameHeaderSize;
}

std::size_t infoFrameSize(int sampleRate, int channels, int bitRateKbps)
{
    const auto rates = mp3BitRateIndexTable(sampleRate);
    return frameSize(sampleRate, rates[bitRateIndexFor(sampleRate, channels, bitRateKbps)]);
}

std::vector<unsigned char> makeInfoFrame(const StreamFacts &f)
{
    const std::size_t size = infoFrameSize(f.sampleRate, f.channels, f.bitRateKbps);
    std::vector<unsigned char> frame(size, 0);

    int version;  // header bits: 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    int rateIndex;
    switch (f.sampleRate) {
    case 44100: version = 3; rateIndex = 0; break;
    case 48000: version = 3; rateIndex = 1; break;
    case 32000: version = 3; rateIndex = 2; break;
    case 22050: version = 2; rateIndex = 0; break;
    case 24000: version = 2; rateIndex = 1; break;
    case 16000: version = 2; rateIndex = 2; break;
    case 11025: version = 0; rateIndex = 0; break;
    case 12000: version = 0; rateIndex = 1; break;
    default: version = 0; rateIndex = 2; break; // 8000
    }
    const int mode = f.channels == 1 ? 3 : 1; // mono, joint stereo
    const std::uint32_t header = 0xFFE00000u | (static_cast<std::uint32_t>(version) << 19) | (1u << 17)
                                 | (1u << 16) // no CRC
                                 | (static_cast<std::uint32_t>(bitRateIndexFor(f.sampleRate, f.channels, f.bitRateKbps)) << 12)
                                 | (static_cast<std::uint32_t>(rateIndex) << 10)
                                 | (static_cast<std::uint32_t>(mode) << 6) | (1u << 2); // original
    put32(frame.data(), header);

    unsigned char *tag = frame.data() + 4 + sideInfoSize(f.sampleRate, f.channels);
    std::memcpy(tag, f.constantBitRate ? "Info" : "Xing", 4);
    put32(tag + 4, 0x0F); // frames, bytes, TOC and quality present
    put32(tag + 8, f.audioFrames);
    put32(tag + 12, static_cast<std::uint32_t>(size) + f.audioBytes);
    for (int i = 0; i < 100; ++i)
        tag[16 + i] = static_cast<unsigned char>(i * 256 / 100);
    put32(tag + 116, 50); // quality 3 in LAME's scale: (100 - 10 × 5)

    unsigned char *lame = tag + 120;
    std::memcpy(lame, "LAME3.100", 9);
    lame[9] = 0x01;     // tag revision 0, method: constant bit rate
    lame[10] = 0;       // lowpass unknown
    // Peak and replay gain unknown (zero).
    lame[19] = 0;       // encoding flags, ATH type
    lame[20] = static_cast<unsigned char>(f.bitRateKbps > 255 ? 255 : f.bitRateKbps);
    lame[21] = static_cast<unsigned char>(f.encoderDelay >> 4);
    lame[22] = static_cast<unsigned char>(((f.encoderDelay & 0x0F) << 4) | ((f.encoderPadding >> 8) & 0x0F));
    lame[23] = static_cast<unsigned char>(f.encoderPadding & 0xFF);
    put32(lame + 28, static_cast<std::uint32_t>(size) + f.audioBytes);
    lame[32] = static_cast<unsigned char>(f.audioCrc >> 8);
    lame[33] = static_cast<unsigned char>(f.audioCrc);
    const std::size_t tagEnd = static_cast<std::size_t>(lame + 34 - frame.data());
    const std::uint16_t crc = crc16(0, frame.data(), tagEnd);
    lame[34] = static_cast<unsigned char>(crc >> 8);
    lame[35] = static_cast<unsigned char>(crc);
    return frame;
}
