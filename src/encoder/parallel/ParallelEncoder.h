#pragma once

#include "FramePacker.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Encodes one stream on several threads, each taking a long part of it
// with a LAME of its own, and joins the parts into one constant-bit-rate
// stream (how: see the .cpp file).
class ParallelEncoder {
public:
    using Sink = std::function<bool(const float *interleaved, std::int64_t frames)>;
    // Hands samples [from, to) of the stream (at the MP3 rate and channel
    // count) to the sink, in order. Called on the workers, each call reading
    // on its own. False when the sink stops it, or (with `error` set) when
    // the input cannot be read.
    using Feed = std::function<bool(std::int64_t from, std::int64_t to, const Sink &sink, std::string &error)>;

    // How a stream is cut: `count` parts of `frames` frames (the first
    // `lead` more), the last taking the rest. A part's worker starts `warmUp` frames before it
    // and may go on up to `slide` frames into the next part: the parts are
    // joined at the first frame there where the next part fits.
    struct Plan {
        int threads = 1;
        int warmUp = 0;
        int slide = 0;
        int count = 0;
        std::int64_t frames = 0;
        std::int64_t lead = 0; // frames the first part has more than the others
    };
    // For `samples` per channel at the MP3 rate; `asked` (the tests' short
    // parts, many joins in a short file) is the length of every part, and
    // `askedWarmUp` that of the warm-up; count 0 when the stream is better
    // encoded on one thread.
    static Plan plan(int sampleRate, int channels, int bitRateKbps, int threads, std::int64_t samples,
                     int asked = 0, int askedWarmUp = 0);

    ParallelEncoder(int sampleRate, int channels, int bitRateKbps, std::int64_t samples, const Plan &plan, Feed feed,
                    FramePacker::Emit emit);
    ParallelEncoder(const ParallelEncoder &) = delete;
    ParallelEncoder &operator=(const ParallelEncoder &) = delete;

    // Encodes and writes the whole stream; false on failure: then either
    // inputError() says why, or failed() (two parts could not be joined, or
    // LAME failed on one: the stream must be encoded on one thread), or the
    // emit function failed.
    bool run();
    bool failed() const { return m_failed; }
    const std::string &inputError() const { return m_inputError; }
    // Whether a join widened a frame: then not every frame has one bit rate.
    bool widened() const { return m_widened; }

    std::uint32_t framesWritten() const { return m_packer.frameCount(); }
    int encoderDelay() const { return m_delay; }
    int encoderPadding() const { return m_padding; }

private:
    struct Part {
        // Shared with its worker, under m_mutex.
        std::deque<Mp3Frame> arrived;
        bool done = false;
        bool ok = false;
        std::atomic<bool> enough = false; // joined: the worker may stop
        std::condition_variable ready;    // frames arrived, or done
        std::string inputError;
        int delay = 0;
        int padding = 0;
        // The joiner's own: frames taken from `arrived`, the first being
        // the stream's frame `first`.
        std::deque<Mp3Frame> frames;
        std::int64_t first = 0;
        bool finished = false; // done, and every frame taken
    };
    std::int64_t firstFrameOf(int part) const;
    std::int64_t lastFrameOf(int part) const;
    void work();
    void encodePart(int index);
    void publish(Part &part, std::vector<Mp3Frame> &frames);
    // The joiner's side.
    bool pull(Part &part);
    bool has(Part &part, std::int64_t frame);
    bool layPart(int index);
    FramePacker::Fit handOver(Part &next, bool widen);
    bool failWith(const Part &part);
    void stop();

    const int m_rate, m_channels, m_kbps;
    const int m_frameSamples;
    const std::int64_t m_samples;
    const Plan m_plan;
    const Feed m_feed;
    FramePacker m_packer;
    bool m_failed = false;
    bool m_widened = false;
    std::string m_inputError;
    int m_delay = 0, m_padding = 0;
    std::int64_t m_next = 0; // the stream's next frame to lay

    std::mutex m_mutex;
    std::condition_variable m_partWanted;
    std::unique_ptr<Part[]> m_parts;
    int m_nextPart = 0;
    int m_joining = 0;
    std::atomic<bool> m_stopping = false;
};
