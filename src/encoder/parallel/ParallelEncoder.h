#pragma once

#include "FramePacker.h"

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// Encodes one stream of samples in segments on several threads and joins
// the segments into one constant-bit-rate stream (how: see the .cpp file).
class ParallelEncoder {
public:
    ParallelEncoder(int sampleRate, int channels, int bitRateKbps, int threads, int segmentFrames,
                    FramePacker::Emit emit);
    ~ParallelEncoder();
    ParallelEncoder(const ParallelEncoder &) = delete;
    ParallelEncoder &operator=(const ParallelEncoder &) = delete;

    // Frames per segment for a stream of `samples` (per channel, at the MP3
    // rate): `asked` when given, else chosen; 0 when the stream is too
    // short for two segments.
    static int segmentFrames(int sampleRate, int channels, int threads, std::int64_t samples, int asked = 0);

    // Takes interleaved samples at the MP3 rate and channel count.
    bool encode(const float *interleaved, std::int64_t frames);
    bool finish();
    // After a failure: two segments could not be joined, or LAME failed on
    // one; the stream must then be encoded on one thread.
    bool failed() const { return m_failed; }
    // Whether a join widened a frame: then not every frame has one bit rate.
    bool widened() const { return m_widened; }

    std::uint32_t framesWritten() const { return m_packer.frameCount(); }
    int encoderDelay() const { return m_delay; }
    int encoderPadding() const { return m_padding; }

private:
    struct Job {
        int index;
        std::vector<float> samples;
        int skip; // warm-up frames to drop
        int keep; // frames to keep after them (all when last)
        bool last;
    };
    struct Segment {
        bool ok = false;
        std::vector<Mp3Frame> frames;
        int delay = 0;
        int padding = 0;
    };
    void cut(bool last);
    bool joinOldest();
    // Makes room for the segment's frames after those laid; false if none.
    bool join(const std::vector<Mp3Frame> &frames);
    void work();
    Segment encodeJob(const Job &job, std::vector<unsigned char> &bytes) const;

    const int m_rate, m_channels, m_kbps;
    const int m_frameSamples;
    const int m_segmentFrames;
    FramePacker m_packer;
    bool m_failed = false;
    bool m_widened = false;
    int m_delay = 0, m_padding = 0;

    // The samples not yet given out, from global sample m_bufferStart.
    std::vector<float> m_buffer;
    std::int64_t m_bufferStart = 0;
    std::int64_t m_nextFrame = 0; // first frame of the next segment
    int m_cutCount = 0, m_joinedCount = 0;

    std::mutex m_mutex;
    std::condition_variable m_jobReady, m_segmentReady;
    std::vector<Job> m_jobs; // a queue, oldest first
    std::map<int, Segment> m_segments;
    std::vector<std::vector<float>> m_spareBuffers;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};
