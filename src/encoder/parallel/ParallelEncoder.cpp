// One file on several cores.
//
// The stream (samples at the MP3 rate, as the feed gives them) is cut into
// a few long parts of whole frames on the frame grid of a single run:
// frame k holds samples k*N - delay onwards (N = 1152, or 576 below
// 32 kHz). Each worker reads its part itself (mixing and resampling
// included) and encodes it with a fresh LAME, starting `warmUp` frames
// before it and running `lookAhead` frames past its end, so that the
// psychoacoustic model, the filter bank, the MDCT overlap and the bit
// reservoir are in the state a single run would have; the warm-up frames
// are dropped. Every part starts on a multiple of N, so a part's frame j
// is the stream's frame (first - warmUp + j).
//
// Why long parts and a long warm-up: a fresh LAME saves a tenth of each
// frame's bits until its reservoir is nearly full, while a long run on
// dense music spends it down over a few hundred frames. A part that starts
// fresh shortly before its first kept frame therefore counts on more
// reservoir than the part before leaves it. After ~300 frames a fresh run
// keeps what a long one keeps; with a part per thread that costs little.
//
// Joining: a frame's main data may start up to 511 bytes (255 below
// 32 kHz) back in earlier frames' areas, as its main_data_begin says. So
// the parts are not glued byte for byte: every frame is taken apart and
// laid anew by FramePacker, each frame's data as early as the reservoir
// allows, main_data_begin rewritten. Laid that way, a frame that starts no
// later than it did in its own stream leaves every later frame of that
// stream room as well, so a part fits if its first frames do. Where the
// part before leaves less reservoir than the next part's first frame
// counts on, no re-packing into same-sized frames can make room, and LAME
// cannot be told the reservoir it has: the last frame before the join is
// written at the least higher bit rate that makes room (a frame's bit rate
// may change in any layer III stream). Only when even the top bit rate
// cannot does the caller encode the file again on one thread.
//
// The first part streams to the output as it is encoded; later ones wait
// in memory for the parts before them, so parts are kept short enough for
// the budget. The info frame is written last, from the joined stream.
#include "ParallelEncoder.h"

#include "Mp3Encoder.h"
#include "Mp3Rates.h"

#include <algorithm>
#include <iterator>
#include <thread>

namespace {

constexpr int warmUpFrames = 300;
constexpr int lookAhead = 2; // frames of samples after a part, for LAME's look-ahead
// A part at least this long: shorter ones cost more than they save.
constexpr std::int64_t shortestPart = 2 * warmUpFrames;
// Bytes of encoded frames waiting for their turn stay below this.
constexpr std::int64_t waitingBudget = 20 << 20;

} // namespace

ParallelEncoder::Plan ParallelEncoder::plan(int sampleRate, int channels, int bitRateKbps, int threads,
                                            std::int64_t samples, int asked, int askedWarmUp)
{
    const int warmUp = askedWarmUp > 0 ? askedWarmUp : warmUpFrames;
    const std::int64_t frames = samples / mp3FrameSamples(sampleRate);
    // A frame waiting: its bytes and its place in memory.
    const std::int64_t frameCost = mp3FrameBytes(sampleRate, bitRateKbps) + mp3SideInfoSize(sampleRate, channels) + 96;
    Plan plan;
    if (threads < 2)
        return {};
    plan.warmUp = warmUp;
    if (asked > 0) {
        plan.threads = static_cast<int>(std::min<std::int64_t>(threads, frames / asked));
        if (plan.threads < 2)
            return {};
        const std::int64_t longest = waitingBudget / ((plan.threads - 1) * frameCost);
        plan.frames = plan.firstFrames = std::clamp<std::int64_t>(asked, 1, longest);
        plan.count = static_cast<int>(frames / plan.frames);
        return plan;
    }
    // The first part has no warm-up: it is longer by as much.
    plan.threads = static_cast<int>(std::min<std::int64_t>(threads, (frames - warmUp) / shortestPart));
    if (plan.threads < 2)
        return {};
    const std::int64_t longest = waitingBudget / ((plan.threads - 1) * frameCost);
    const std::int64_t rounds = std::max<std::int64_t>(1, (frames - warmUp + plan.threads * longest - 1)
                                                              / (plan.threads * longest));
    plan.count = static_cast<int>(plan.threads * rounds);
    plan.frames = (frames - warmUp) / plan.count;
    plan.firstFrames = plan.frames + warmUp;
    return plan;
}

ParallelEncoder::ParallelEncoder(int sampleRate, int channels, int bitRateKbps, std::int64_t samples,
                                 const Plan &plan, Feed feed, FramePacker::Emit emit)
    : m_rate(sampleRate), m_channels(channels), m_kbps(bitRateKbps), m_frameSamples(mp3FrameSamples(sampleRate)),
      m_samples(samples), m_plan(plan), m_feed(std::move(feed)), m_packer(std::move(emit))
{
}

std::int64_t ParallelEncoder::firstFrameOf(int part) const
{
    return part == 0 ? 0 : m_plan.firstFrames + (part - 1) * m_plan.frames;
}

bool ParallelEncoder::run()
{
    m_parts.resize(static_cast<std::size_t>(m_plan.count));
    std::vector<std::thread> workers;
    for (int i = 0; i < m_plan.threads; ++i)
        workers.emplace_back([this] { work(); });
    bool ok = true;
    for (int part = 0; ok && part < m_plan.count; ++part)
        ok = joinPart(part);
    stop();
    for (std::thread &worker : workers)
        worker.join();
    return ok && m_packer.finish();
}

void ParallelEncoder::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_partWanted.notify_all();
}

void ParallelEncoder::work()
{
    for (;;) {
        int part;
        {
            // No further ahead of the joiner than one part per thread: the
            // parts waiting for it are what the memory holds.
            std::unique_lock lock(m_mutex);
            m_partWanted.wait(lock, [this] {
                return m_stopping || m_nextPart >= m_plan.count || m_nextPart < m_joining + m_plan.threads;
            });
            if (m_stopping || m_nextPart >= m_plan.count)
                return;
            part = m_nextPart++;
        }
        encodePart(part);
    }
}

void ParallelEncoder::encodePart(int index)
{
    const bool last = index == m_plan.count - 1;
    const std::int64_t first = firstFrameOf(index);
    const std::int64_t skip = std::min<std::int64_t>(m_plan.warmUp, first);
    const std::int64_t keep = last ? -1 : firstFrameOf(index + 1) - first;
    const std::int64_t from = (first - skip) * m_frameSamples;
    const std::int64_t to = last ? m_samples : (first + keep + lookAhead) * m_frameSamples;

    Mp3Encoder encoder(m_rate, m_channels, m_kbps, false);
    Mp3FrameSplitter splitter;
    std::vector<Mp3Frame> split, kept;
    std::int64_t seen = 0, keptCount = 0;
    bool broken = !encoder.ok();
    const auto take = [&](const std::vector<unsigned char> &bytes) {
        split.clear();
        broken = broken || !splitter.add(bytes.data(), bytes.size(), split);
        for (Mp3Frame &frame : split)
            if (++seen > skip && (last || keptCount < keep)) {
                kept.push_back(std::move(frame));
                ++keptCount;
            }
        if (!kept.empty())
            publish(index, kept);
        return !broken;
    };
    std::string error;
    const Sink encode = [&](const float *samples, std::int64_t count) {
        if (!take(encoder.encode(samples, count)))
            return false;
        std::lock_guard lock(m_mutex);
        return !m_stopping;
    };
    const bool read = !broken && m_feed(from, to, encode, error);
    if (read)
        take(encoder.flush());

    std::lock_guard lock(m_mutex);
    Part &part = m_parts[static_cast<std::size_t>(index)];
    part.ok = read && !broken && splitter.complete() && (last || keptCount == keep);
    part.inputError = error;
    part.delay = encoder.ok() ? encoder.encoderDelay() : 0;
    part.padding = last && encoder.ok() ? encoder.encoderPadding() : 0;
    part.done = true;
    m_framesReady.notify_all();
}

void ParallelEncoder::publish(int index, std::vector<Mp3Frame> &frames)
{
    {
        std::lock_guard lock(m_mutex);
        Part &part = m_parts[static_cast<std::size_t>(index)];
        std::move(frames.begin(), frames.end(), std::back_inserter(part.frames));
    }
    frames.clear();
    m_framesReady.notify_all();
}

bool ParallelEncoder::joinPart(int index)
{
    {
        std::lock_guard lock(m_mutex);
        m_joining = index;
    }
    m_partWanted.notify_all();
    Part &part = m_parts[static_cast<std::size_t>(index)];
    bool joined = index == 0;
    std::vector<Mp3Frame> pending; // taken from the worker, not yet laid
    for (;;) {
        bool done;
        {
            std::unique_lock lock(m_mutex);
            m_framesReady.wait(lock, [&] { return part.done || !part.frames.empty(); });
            std::move(part.frames.begin(), part.frames.end(), std::back_inserter(pending));
            part.frames.clear();
            done = part.done;
        }
        if (done && !part.ok) {
            m_inputError = part.inputError;
            m_failed = m_inputError.empty();
            return false;
        }
        if (!joined) {
            const FramePacker::Fit fit = join(pending, !done);
            if (fit == FramePacker::Fit::unknown)
                continue;
            if (fit == FramePacker::Fit::no) {
                m_failed = true;
                return false;
            }
            joined = true;
        }
        for (const Mp3Frame &frame : pending)
            if (!m_packer.place(frame)) {
                m_failed = true;
                return false;
            }
        pending.clear();
        if (done)
            break;
    }
    if (index == 0)
        m_delay = part.delay;
    if (index == m_plan.count - 1)
        m_padding = part.padding;
    std::vector<Mp3Frame>().swap(pending);
    part = Part{};
    return true;
}

FramePacker::Fit ParallelEncoder::join(const std::vector<Mp3Frame> &frames, bool more)
{
    const FramePacker::Fit fit = FramePacker::fits(m_packer.cursor(), frames.data(), frames.size(), more);
    if (fit != FramePacker::Fit::no)
        return fit;
    // Widen the last frame laid, by the least bit rate that leaves this
    // part the reservoir its own encoder had.
    for (int index = m_packer.lastBitRateIndex() + 1; index <= m_packer.topBitRateIndex(); ++index) {
        const FramePacker::Fit widened =
            FramePacker::fits(m_packer.cursorWidened(index), frames.data(), frames.size(), more);
        if (widened == FramePacker::Fit::unknown)
            return widened;
        if (widened == FramePacker::Fit::yes) {
            m_packer.widenLast(index);
            m_widened = true;
            return widened;
        }
    }
    return FramePacker::Fit::no;
}
