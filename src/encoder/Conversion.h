#pragma once

#include "AudioReader.h"
#include "Mp3Sink.h"

#include <string>

struct EncodeSettings {
    int sampleRate;  // an MP3 sample rate
    int channels;    // 1 or 2
    int bitRateKbps; // allowed at that rate
};

// Streams the whole input through mixing, resampling and LAME into the
// sink: ID3v2 tag (when the input has tags), audio, then the info frame
// written over the first frame. Memory does not grow with the input.
bool encodeStream(AudioReader &input, const EncodeSettings &settings, Mp3Sink &sink, std::string &error);
