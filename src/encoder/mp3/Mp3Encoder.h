#pragma once

#include <lame/lame.h>

#include <cstdint>
#include <string>
#include <vector>

// LAME set up for constant bit rate at its default quality, with the
// LAME/Xing info frame for exact duration and gapless playback (unless
// asked to leave it out: a part of a stream has none).
class Mp3Encoder {
public:
    Mp3Encoder(int sampleRate, int channels, int bitRateKbps, bool infoFrame = true);
    ~Mp3Encoder();
    Mp3Encoder(const Mp3Encoder &) = delete;
    Mp3Encoder &operator=(const Mp3Encoder &) = delete;

    bool ok() const { return m_lame != nullptr; }

    // Encodes interleaved frames; the MP3 bytes are returned.
    const std::vector<unsigned char> &encode(const float *interleaved, std::int64_t frames);
    const std::vector<unsigned char> &flush();
    // The final info frame, to be written over the first frame.
    std::vector<unsigned char> infoFrame();

    int framesEncoded() const { return lame_get_frameNum(m_lame); }
    int encoderDelay() const { return lame_get_encoder_delay(m_lame); }
    int encoderPadding() const { return lame_get_encoder_padding(m_lame); }

private:
    lame_t m_lame = nullptr;
    int m_channels;
    std::vector<float> m_left, m_right;
    std::vector<unsigned char> m_out;
};
