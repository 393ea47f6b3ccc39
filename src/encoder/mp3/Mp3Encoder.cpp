#include "Mp3Encoder.h"

Mp3Encoder::Mp3Encoder(int sampleRate, int channels, int bitRateKbps, bool infoFrame) : m_channels(channels)
{
    m_lame = lame_init();
    if (!m_lame)
        return;
    lame_set_num_channels(m_lame, channels);
    lame_set_in_samplerate(m_lame, sampleRate); // resampled before, if needed
    lame_set_out_samplerate(m_lame, sampleRate);
    lame_set_mode(m_lame, channels == 1 ? MONO : JOINT_STEREO);
    lame_set_VBR(m_lame, vbr_off);
    lame_set_brate(m_lame, bitRateKbps);
    lame_set_quality(m_lame, 3); // the lame program's default; -1 would mean 0, the slowest
    lame_set_bWriteVbrTag(m_lame, infoFrame ? 1 : 0);
    lame_set_write_id3tag_automatic(m_lame, 0);
    lame_set_findReplayGain(m_lame, 0);
    if (lame_init_params(m_lame) < 0) {
        lame_close(m_lame);
        m_lame = nullptr;
        m_error = "the MP3 encoder refused these settings";
    }
}

const std::vector<unsigned char> &Mp3Encoder::took(int bytes, const char *call)
{
    // A negative count is LAME's error (a buffer too small, no memory, a
    // psychoacoustic failure): the frames are lost, so the file fails.
    if (bytes < 0 && m_error.empty())
        m_error = "the MP3 encoder failed (" + std::string(call) + " returned " + std::to_string(bytes) + ")";
    m_out.resize(bytes > 0 && m_error.empty() ? static_cast<std::size_t>(bytes) : 0);
    return m_out;
}

Mp3Encoder::~Mp3Encoder()
{
    if (m_lame)
        lame_close(m_lame);
}

const std::vector<unsigned char> &Mp3Encoder::encode(const float *interleaved, std::int64_t frames)
{
    if (!ok())
        return took(0, "");
    const auto n = static_cast<std::size_t>(frames);
    m_left.resize(n);
    m_right.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        m_left[i] = interleaved[i * m_channels];
        m_right[i] = m_channels == 2 ? interleaved[i * 2 + 1] : m_left[i];
    }
    // LAME's worst case: 1.25 × samples + 7200 bytes.
    m_out.resize(n + n / 4 + 7200);
    return took(lame_encode_buffer_ieee_float(m_lame, m_left.data(), m_right.data(), static_cast<int>(n),
                                              m_out.data(), static_cast<int>(m_out.size())),
                "lame_encode_buffer_ieee_float");
}

const std::vector<unsigned char> &Mp3Encoder::flush()
{
    if (!ok())
        return took(0, "");
    m_out.resize(7200);
    return took(lame_encode_flush(m_lame, m_out.data(), static_cast<int>(m_out.size())), "lame_encode_flush");
}

std::vector<unsigned char> Mp3Encoder::infoFrame()
{
    std::vector<unsigned char> frame(2880);
    const std::size_t size = lame_get_lametag_frame(m_lame, frame.data(), frame.size());
    frame.resize(size <= frame.size() ? size : 0);
    return frame;
}
