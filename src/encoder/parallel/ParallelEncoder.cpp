// One file on several cores.
//
// The samples (already mixed and resampled, in one pass) are cut into
// segments of whole frames on the frame grid of a single run: frame k
// holds samples k*N - delay onwards (N = 1152, or 576 below 32 kHz). Each
// segment goes to a fresh LAME on a worker thread, with the samples of
// `warmUp` frames before it (so the psychoacoustic model, the filter bank
// and the MDCT overlap are in the state a single run would have; LAME's
// reservoir fills in those frames too) and `lookAhead` frames after it.
// Every segment starts on a multiple of N, so a segment's frame j is the
// stream's frame (first - warmUp + j); the warm-up frames are dropped.
//
// Joining: a frame's main data may start up to 511 bytes (255 below
// 32 kHz) back in earlier frames' areas, as its main_data_begin says, and
// a segment's frames count on the reservoir their own LAME saved up. So the
// segments are not glued byte for byte: every frame is taken apart (header,
// side information, its own main data) and laid anew by FramePacker, each
// frame's data as early as the reservoir allows, main_data_begin
// rewritten. Laid that way, a frame that starts no later than it did in
// its own stream leaves every later frame of that stream room as well, so
// a segment fits if its first frames do. Where the earlier segment leaves less
// reservoir than the next segment's first frame counts on (a fresh LAME
// saves up quickly, while on dense music a long run keeps little), no
// re-packing into same-sized frames can make room, and re-encoding with a
// given reservoir is not something LAME's interface offers: the last frame
// before the join is written at the least higher bit rate that makes room
// (one frame per join at most; a frame's bit rate may change in any layer
// III stream, and decoders take it as they take VBR). Only when even the
// top bit rate cannot (a stream at 320 kbit/s already) does the caller
// encode the file again on one thread. The info frame is written last,
// from the joined stream.
#include "ParallelEncoder.h"

#include "Mp3Encoder.h"
#include "Mp3Rates.h"

#include <algorithm>

namespace {

// Frames encoded before a segment and dropped. A fresh LAME spends fewer
// bits in its first frames than a long run does, so a short warm-up leaves
// the frames after a join poorer: with 6, sharp transients at 128k had
// one-second windows more than 0.5 dB below one thread; 12 brings every
// signal of the quality bench to the level chance gives.
constexpr int warmUp = 12;
constexpr int lookAhead = 2; // frames of samples after it, for LAME's look-ahead
constexpr int shortest = 96;   // frames: shorter segments cost more than they save
constexpr int longest = 320;
// Bytes of samples held for the segments in work stay below this.
constexpr std::int64_t bufferBudget = 24 << 20;

} // namespace

int ParallelEncoder::segmentFrames(int sampleRate, int channels, int threads, std::int64_t samples, int asked)
{
    const int frameSamples = mp3FrameSamples(sampleRate);
    const std::int64_t frames = samples / frameSamples;
    if (threads < 2 || frames < 2 * (asked > 0 ? asked : shortest))
        return 0;
    const std::int64_t perJob = (threads + 2) * std::int64_t(frameSamples) * channels * 4;
    const std::int64_t affordable = bufferBudget / perJob - warmUp - lookAhead;
    // An asked length (the tests' short segments) keeps to the same bounds
    // as a chosen one: its memory grows with it.
    if (asked > 0)
        return static_cast<int>(std::min<std::int64_t>({asked, std::max<std::int64_t>(affordable, 1), longest}));
    return static_cast<int>(std::clamp<std::int64_t>(std::min(frames / (threads * 4), affordable), shortest, longest));
}

ParallelEncoder::ParallelEncoder(int sampleRate, int channels, int bitRateKbps, int threads, int segmentFrames,
                                 FramePacker::Emit emit)
    : m_rate(sampleRate), m_channels(channels), m_kbps(bitRateKbps), m_frameSamples(mp3FrameSamples(sampleRate)),
      m_segmentFrames(segmentFrames), m_packer(std::move(emit))
{
    for (int i = 0; i < threads; ++i)
        m_workers.emplace_back([this] { work(); });
}

ParallelEncoder::~ParallelEncoder()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_jobs.clear();
    }
    m_jobReady.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
}

bool ParallelEncoder::encode(const float *interleaved, std::int64_t frames)
{
    m_buffer.insert(m_buffer.end(), interleaved, interleaved + frames * m_channels);
    const auto needed = [this] {
        return (m_nextFrame + m_segmentFrames + lookAhead) * m_frameSamples;
    };
    while (!m_failed && m_bufferStart + std::int64_t(m_buffer.size()) / m_channels >= needed())
        cut(false);
    return !m_failed;
}

bool ParallelEncoder::finish()
{
    if (!m_failed)
        cut(true);
    while (!m_failed && m_joinedCount < m_cutCount)
        joinOldest();
    return !m_failed && m_packer.finish();
}

void ParallelEncoder::cut(bool last)
{
    const int skip = static_cast<int>(std::min<std::int64_t>(warmUp, m_nextFrame));
    const std::int64_t from = (m_nextFrame - skip) * m_frameSamples - m_bufferStart;
    const std::int64_t to = last ? std::int64_t(m_buffer.size()) / m_channels
                                 : (m_nextFrame + m_segmentFrames + lookAhead) * m_frameSamples
                                       - m_bufferStart;
    // Buffers go round between the jobs rather than back to the heap.
    std::vector<float> samples;
    {
        std::lock_guard lock(m_mutex);
        if (!m_spareBuffers.empty()) {
            samples = std::move(m_spareBuffers.back());
            m_spareBuffers.pop_back();
        }
    }
    samples.assign(m_buffer.begin() + from * m_channels, m_buffer.begin() + to * m_channels);
    Job job{m_cutCount++, std::move(samples), skip, m_segmentFrames, last};
    m_nextFrame += m_segmentFrames;
    // Keep what the next segment needs: its warm-up and on.
    const std::int64_t keepFrom = (m_nextFrame - warmUp) * m_frameSamples - m_bufferStart;
    if (!last && keepFrom > 0) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + keepFrom * m_channels);
        m_bufferStart += keepFrom;
    }
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_jobReady.notify_one();
    // Bound the memory: one job in work per thread and one waiting.
    while (!m_failed && m_cutCount - m_joinedCount > static_cast<int>(m_workers.size()) + 1)
        joinOldest();
}

bool ParallelEncoder::joinOldest()
{
    Segment segment;
    {
        std::unique_lock lock(m_mutex);
        m_segmentReady.wait(lock, [this] { return m_segments.count(m_joinedCount) > 0; });
        segment = std::move(m_segments[m_joinedCount]);
        m_segments.erase(m_joinedCount);
    }
    const bool first = m_joinedCount++ == 0;
    const std::vector<Mp3Frame> &frames = segment.frames;
    if (!segment.ok || (!first && !join(frames))) {
        m_failed = true;
        return false;
    }
    m_delay = segment.delay;
    const bool lastSegment = segment.padding >= 0;
    if (lastSegment)
        m_padding = segment.padding;
    for (const Mp3Frame &frame : frames)
        if (!m_packer.place(frame)) {
            m_failed = true;
            return false;
        }
    return true;
}

bool ParallelEncoder::join(const std::vector<Mp3Frame> &frames)
{
    if (FramePacker::fits(m_packer.cursor(), frames.data(), frames.size()))
        return true;
    // Widen the last frame laid, by the least bit rate that leaves this
    // segment the reservoir its own encoder had.
    for (int index = m_packer.lastBitRateIndex() + 1; index <= m_packer.topBitRateIndex(); ++index)
        if (FramePacker::fits(m_packer.cursorWidened(index), frames.data(), frames.size())) {
            m_packer.widenLast(index);
            m_widened = true;
            return true;
        }
    return false;
}

void ParallelEncoder::work()
{
    std::vector<unsigned char> bytes; // this thread's MP3 bytes, reused
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_jobReady.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping)
                return;
            job = std::move(m_jobs.front());
            m_jobs.erase(m_jobs.begin());
        }
        Segment segment = encodeJob(job, bytes);
        {
            std::lock_guard lock(m_mutex);
            m_segments[job.index] = std::move(segment);
            m_spareBuffers.push_back(std::move(job.samples));
        }
        m_segmentReady.notify_all();
    }
}

ParallelEncoder::Segment ParallelEncoder::encodeJob(const Job &job, std::vector<unsigned char> &bytes) const
{
    Segment segment;
    segment.padding = -1;
    Mp3Encoder encoder(m_rate, m_channels, m_kbps, false);
    if (!encoder.ok())
        return segment;
    bytes.clear();
    const std::int64_t total = std::int64_t(job.samples.size()) / m_channels;
    constexpr std::int64_t block = 8192;
    for (std::int64_t at = 0; at < total; at += block) {
        const auto &out = encoder.encode(job.samples.data() + at * m_channels, std::min(block, total - at));
        bytes.insert(bytes.end(), out.begin(), out.end());
    }
    const auto &out = encoder.flush();
    bytes.insert(bytes.end(), out.begin(), out.end());
    if (!splitMp3Frames(bytes.data(), bytes.size(), segment.frames) || segment.frames.size() <= std::size_t(job.skip))
        return segment;
    segment.frames.erase(segment.frames.begin(), segment.frames.begin() + job.skip);
    if (!job.last) {
        if (segment.frames.size() < std::size_t(job.keep))
            return segment;
        segment.frames.resize(static_cast<std::size_t>(job.keep));
    } else {
        segment.padding = encoder.encoderPadding();
    }
    segment.delay = encoder.encoderDelay();
    segment.ok = true;
    return segment;
}
