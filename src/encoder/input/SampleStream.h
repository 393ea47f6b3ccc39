#pragma once

#include "AudioReader.h"
#include "ChannelMixer.h"
#include "Resampler.h"

#include <cstdint>
#include <string>

// The input's samples as the encoder takes them: mixed to the output's
// channels and resampled to its rate, from any position. Resampling from
// the middle starts the filter on input a little before, on a sample where
// input and output times coincide, so the samples are those of a run from
// the start (to float rounding).
class SampleStream {
public:
    SampleStream(AudioReader &input, int sampleRate, int channels);

    // Samples per channel in the whole stream.
    std::int64_t length() const { return m_length; }
    // Hands samples [from, to) to `sink` in order; false when the sink
    // fails or the input cannot be read (then error() says why).
    bool pump(std::int64_t from, std::int64_t to, const Resampler::Sink &sink);
    const std::string &error() const { return m_error; }

private:
    bool fail(const std::string &why);
    AudioReader &m_input;
    const int m_rate, m_channels;
    const ChannelMixer m_mixer;
    std::int64_t m_length;
    std::string m_error;
};
