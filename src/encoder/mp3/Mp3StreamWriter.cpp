#include "Mp3StreamWriter.h"

Mp3StreamWriter::Mp3StreamWriter(Mp3Sink &sink, const Format &format, std::string tag, bool ownInfo)
    : m_sink(sink), m_format(format), m_tag(std::move(tag)), m_ownInfo(ownInfo)
{
}

bool Mp3StreamWriter::begin()
{
    const std::vector<unsigned char> room(
        m_ownInfo ? infoFrameSize(m_format.sampleRate, m_format.channels, m_format.bitRateKbps) : 0, 0);
    return m_sink.write(m_tag.data(), m_tag.size()) && m_sink.write(room.data(), room.size());
}

bool Mp3StreamWriter::write(const unsigned char *bytes, std::size_t size)
{
    m_bytes += size;
    if (m_ownInfo) // LAME's own info frame has its own sum
        m_crc = crc16(m_crc, bytes, size);
    return m_sink.write(bytes, size);
}

bool Mp3StreamWriter::finish(const std::vector<unsigned char> &lameInfo)
{
    return lameInfo.empty() || m_sink.writeAt(static_cast<long>(m_tag.size()), lameInfo.data(), lameInfo.size());
}

bool Mp3StreamWriter::finishOwn(std::uint32_t frames, int delay, int padding, bool constantBitRate)
{
    return finish(makeInfoFrame({m_format.sampleRate, m_format.channels, m_format.bitRateKbps, frames,
                                 static_cast<std::uint32_t>(m_bytes), delay, padding, m_crc, constantBitRate}));
}
