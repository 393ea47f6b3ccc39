#pragma once

#include "AudioReader.h"
#include "Mp3Sink.h"
#include "common/ConvContract.h"

#include <string>

struct EncodeSettings {
    int sampleRate;  // an MP3 sample rate
    int channels;    // 1 or 2
    int bitRateKbps; // allowed at that rate
    int threads = 1; // more share a long file out in parts
    // For tests: frames per part and of the warm-up instead of those chosen.
    int partFrames = 0;
    int warmUpFrames = 0;
};

// Streams the whole input through mixing, resampling and LAME into the
// sink: ID3v2 tag (when the input has tags), audio, then the info frame
// written over the first frame. Memory does not grow with the input.
// With several threads, a long input may be read twice (see ParallelEncoder).
// On failure, `error` says which file is to blame and why.
using Failure = convcontract::Failure;
bool encodeStream(AudioReader &input, const EncodeSettings &settings, Mp3Sink &sink, Failure &error);
