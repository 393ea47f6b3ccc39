#pragma once

#include <cstdint>

// Mixes interleaved frames of any channel count down (or up) to one or two.
//  - Mono: the average of all channels.
//  - Stereo from mono: the one channel on both sides.
//  - Stereo from more than two channels: the first channel goes left, the
//    second right, every further channel is shared equally by both sides,
//    and each side is scaled so that the mix cannot clip.
// The mix is clipped to full scale and a sample that is not a number
// becomes silence: LAME aborts on such values.
class ChannelMixer {
public:
    ChannelMixer(int inputChannels, int outputChannels);
    void mix(const float *in, std::int64_t frames, float *out) const;

private:
    void mixChannels(const float *in, std::int64_t frames, float *out) const;
    int m_in;
    int m_out;
};
