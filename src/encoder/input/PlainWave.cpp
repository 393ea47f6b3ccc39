#include "PlainWave.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int pcmTag = 1;
constexpr int floatTag = 3;
// libsndfile's limit: a file with more channels is refused there.
constexpr int maxChannels = 1024;

std::int32_t le(const unsigned char *p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= std::uint32_t(p[i]) << (8 * (4 - bytes + i));
    return static_cast<std::int32_t>(value); // left-aligned: the sign is the top bit
}

} // namespace

bool PlainWave::reads(const ContainerHeader &h)
{
    if (!h.known || h.bigEndian || !h.standardSubFormat || h.channels < 1 || h.channels > maxChannels
        || h.sampleRate < 1 || h.sampleRate > INT_MAX || h.bitsPerSample % 8 != 0
        || h.blockAlign != h.channels * (h.bitsPerSample / 8))
        return false;
    if (h.formatTag == pcmTag)
        return h.bitsPerSample >= 8 && h.bitsPerSample <= 32;
    return h.formatTag == floatTag && (h.bitsPerSample == 32 || h.bitsPerSample == 64);
}

PlainWave::PlainWave(const ContainerHeader &h, std::int64_t fileLength)
    : m_channels(h.channels), m_sampleRate(static_cast<int>(h.sampleRate)), m_blockAlign(h.blockAlign),
      m_dataOffset(h.dataOffset)
{
    const int bits = h.bitsPerSample;
    m_coding = h.formatTag == floatTag ? (bits == 32 ? Coding::Float32 : Coding::Float64)
               : bits == 8             ? Coding::Unsigned8
               : bits == 16            ? Coding::Signed16
               : bits == 24            ? Coding::Signed24
                                       : Coding::Signed32;
    std::int64_t bytes = std::min(h.dataBytes, fileLength - h.dataOffset);
    if (h.lengthUnknown) {
        bytes = fileLength - h.dataOffset;
        if (h.dataSizeWidth == 4) // what the size field could have said
            bytes = std::min<std::int64_t>(bytes, 0xffffffffu);
    }
    m_frames = std::max<std::int64_t>(0, bytes) / m_blockAlign;
}

std::int64_t PlainWave::read(const ReadAt &readAt, float *out, std::int64_t count)
{
    count = std::clamp<std::int64_t>(count, 0, m_frames - m_position);
    m_bytes.resize(static_cast<std::size_t>(count * m_blockAlign));
    const std::int64_t got = count > 0 ? readAt(m_bytes.data(), count * m_blockAlign,
                                                m_dataOffset + m_position * m_blockAlign)
                                       : 0;
    const std::int64_t frames = std::max<std::int64_t>(0, got) / m_blockAlign;
    const std::int64_t samples = frames * m_channels;
    const unsigned char *p = m_bytes.data();
    // The scales are powers of two: each sample is exact, as libsndfile's.
    switch (m_coding) {
    case Coding::Unsigned8:
        for (std::int64_t i = 0; i < samples; ++i)
            out[i] = static_cast<float>(int(p[i]) - 128) * (1.0f / 0x80);
        break;
    case Coding::Signed16:
    case Coding::Signed24:
    case Coding::Signed32: {
        const int width = m_coding == Coding::Signed16 ? 2 : m_coding == Coding::Signed24 ? 3 : 4;
        for (std::int64_t i = 0; i < samples; ++i)
            out[i] = static_cast<float>(le(p + i * width, width)) * (1.0f / 2147483648.0f);
        break;
    }
    case Coding::Float32:
        for (std::int64_t i = 0; i < samples; ++i) {
            const std::uint32_t bits = static_cast<std::uint32_t>(le(p + 4 * i, 4));
            std::memcpy(out + i, &bits, 4);
        }
        break;
    case Coding::Float64:
        for (std::int64_t i = 0; i < samples; ++i) {
            const std::uint64_t bits = static_cast<std::uint32_t>(le(p + 8 * i, 4))
                                       | std::uint64_t(static_cast<std::uint32_t>(le(p + 8 * i + 4, 4))) << 32;
            double value;
            std::memcpy(&value, &bits, 8);
            out[i] = static_cast<float>(value);
        }
        break;
    }
    m_position += frames;
    return frames;
}
