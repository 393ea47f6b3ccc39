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

    // False when LAME refused the settings or failed while encoding; then
    // error() says why and nothing more is encoded.
    bool ok() const { return m_lame != nullptr && m_error.empty(); }
    const std::string &error() const { return m_error; }

    // Encodes interleaved frames; the MP3 bytes are returned (none once
    // LAME failed).
    const std::vector<unsigned char> &encode(const float *interleaved, std::int64_t frames);
    const std::vector<unsigned char> &flush();
    // The final info frame, to be written over the first frame.
    std::vector<unsigned char> infoFrame();

    int framesEncoded() const { return lame_get_frameNum(m_lame); }
    int encoderDelay() const { return lame_get_encoder_delay(m_lame); }
    int encoderPadding() const { return lame_get_encoder_padding(m_lame); }

private:
    const std::vector<unsigned char> &took(int bytes, const char *call);

    lame_t m_lame = nullptr;
    std::string m_error;
    int m_channels;
    std::vector<float> m_left, m_right;
    std::vector<unsigned char> m_out;
};
