#include "Conversion.h"

#include "Id3Tag.h"
#include "InfoFrame.h"
#include "Mp3Encoder.h"
#include "Mp3StreamWriter.h"
#include "ParallelEncoder.h"
#include "Resampler.h"
#include "SampleStream.h"

#include <vector>

namespace {

using convcontract::Culprit;

Failure writeFailure()
{
    return {Culprit::Output, "cannot write the output"};
}

enum class Outcome { done, failed, oneThreadInstead };

Outcome written(bool ok, Failure &error)
{
    if (ok)
        return Outcome::done;
    if (error.why.empty())
        error = writeFailure();
    return Outcome::failed;
}

// The frames of one LAME that reads the whole input.
Outcome lameFrames(AudioReader &input, const EncodeSettings &settings, Mp3StreamWriter &out, Failure &error)
{
    Mp3Encoder encoder(settings.sampleRate, settings.channels, settings.bitRateKbps);
    const auto lameFailed = [&] {
        error = {Culprit::None, encoder.error()};
        return Outcome::failed;
    };
    if (!encoder.ok())
        return lameFailed();
    bool sinkFailed = false;
    const Resampler::Sink encode = [&](const float *frames, std::int64_t count) {
        const std::vector<unsigned char> &bytes = encoder.encode(frames, count);
        sinkFailed = !out.write(bytes.data(), bytes.size());
        return !sinkFailed && encoder.ok();
    };
    SampleStream stream(input, settings.sampleRate, settings.channels);
    if (!stream.pump(0, stream.length(), encode)) {
        if (!stream.error().empty())
            error = {Culprit::Input, stream.error()};
        else if (!encoder.ok())
            return lameFailed();
        return written(false, error);
    }
    const std::vector<unsigned char> &last = encoder.flush();
    if (!encoder.ok())
        return lameFailed();
    if (!out.write(last.data(), last.size()))
        return written(false, error);
    return written(out.ownInfo() ? out.finishOwn(static_cast<std::uint32_t>(encoder.framesEncoded()),
                                                 encoder.encoderDelay(), encoder.encoderPadding(), true)
                                 : out.finish(encoder.infoFrame()),
                   error);
}

// The frames of the parts, each encoded by a worker with a reader of its
// own, joined.
Outcome joinedFrames(AudioReader &input, const EncodeSettings &settings, const ParallelEncoder::Plan &plan,
                     std::int64_t samples, Mp3StreamWriter &out, Failure &error)
{
    const ParallelEncoder::Feed feed = [&](std::int64_t from, std::int64_t to, const ParallelEncoder::Sink &encode,
                                           std::string &why) {
        AudioReader part;
        if (!part.openTwin(input)) {
            why = part.error();
            return false;
        }
        SampleStream stream(part, settings.sampleRate, settings.channels);
        const bool ok = stream.pump(from, to, encode);
        why = stream.error();
        return ok;
    };
    bool sinkFailed = false;
    ParallelEncoder parts(settings.sampleRate, settings.channels, settings.bitRateKbps, samples, plan, feed,
                          [&](const unsigned char *bytes, std::size_t size) {
                              sinkFailed = sinkFailed || !out.write(bytes, size);
                              return !sinkFailed;
                          });
    const bool done = parts.run();
    if (!parts.inputError().empty())
        error = {Culprit::Input, parts.inputError()};
    if (parts.failed() && error.why.empty() && !sinkFailed)
        return Outcome::oneThreadInstead;
    if (!done)
        return written(false, error);
    return written(out.finishOwn(parts.framesWritten(), parts.encoderDelay(), parts.encoderPadding(), !parts.widened()),
                   error);
}

} // namespace

bool encodeStream(AudioReader &input, const EncodeSettings &settings, Mp3Sink &sink, Failure &error)
{
    const std::int64_t samples = SampleStream(input, settings.sampleRate, settings.channels).length();
    const ParallelEncoder::Plan plan = ParallelEncoder::plan(settings.sampleRate, settings.channels,
                                                             settings.bitRateKbps, settings.threads, samples,
                                                             settings.partFrames, settings.warmUpFrames);
    const Mp3StreamWriter::Format format{settings.sampleRate, settings.channels, settings.bitRateKbps};
    const std::string tag = makeId3v2Tag(input);
    for (bool inParts = plan.count > 0;; inParts = false) {
        // A joined stream gets an info frame of ours: LAME's knows one part.
        Mp3StreamWriter out(sink, format, tag,
                            inParts || !lameInfoFrameFits(settings.sampleRate, settings.channels, settings.bitRateKbps));
        const Outcome outcome = !out.begin() ? written(false, error)
                                : inParts    ? joinedFrames(input, settings, plan, samples, out, error)
                                             : lameFrames(input, settings, out, error);
        if (outcome != Outcome::oneThreadInstead)
            return outcome == Outcome::done;
        // Parts that cannot be joined soundly: start again on one thread.
        error = {};
        if (!input.rewind() || !sink.restart()) {
            error = input.error().empty() ? writeFailure() : Failure{Culprit::Input, input.error()};
            return false;
        }
    }
}
