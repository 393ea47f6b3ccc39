// One file on several cores.
//
// The stream (samples at the MP3 rate, as the feed gives them) is cut into
// a few long parts of whole frames on the frame grid of a single run:
// frame k holds samples k*N - delay onwards (N = 1152, or 576 below
// 32 kHz). Each worker reads its part itself (mixing and resampling
// included) and encodes it with a fresh LAME, starting `warmUp` frames
// before it, so that the psychoacoustic model, the filter bank and the
// MDCT overlap are in the state a single run would have; the warm-up
// frames are dropped. Every part starts on a multiple of N, so a part's
// frame j is the stream's frame (first - warmUp + j).
//
// Joining: a frame's main data may start up to 511 bytes (255 below
// 32 kHz) back in earlier frames' areas, as its main_data_begin says. So
// the parts are not glued byte for byte: every frame is taken apart and
// laid anew by FramePacker, each frame's data as early as the reservoir
// allows, main_data_begin rewritten. Laid that way, a frame that starts no
// later than it did in its own stream leaves every later frame of that
// stream room as well, so a part fits from a frame on if that frame's
// first few do.
//
// Where to join: a fresh LAME saves a tenth of each frame's bits until its
// reservoir is nearly full, while a long run on dense music spends it down;
// the fresh run keeps more for a few hundred frames, until both hit the
// bottom or the top together and go on alike. Its frames then count on
// more reservoir than the part before leaves, and if joined there, frames
// would have to be widened. So the worker of a part goes on past its end
// (up to `slide` frames) while the joiner looks, frame by frame, for the
// first frame where the next part fits; it joins there and stops that
// worker. Only where none fits is the last frame before the join written
// at the least higher bit rate that makes room (a frame's bit rate may
// change in any layer III stream), and only when even the top bit rate
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
#include <system_error>
#include <thread>

namespace {

constexpr int warmUpFrames = 16;
// Most music joins within a few frames; pink noise at 128k took 350.
constexpr int slideFrames = 900;
constexpr std::size_t publishBatch = 64;
constexpr int lookAhead = 2; // frames of samples after a part, for LAME's look-ahead
// A part at least this long: shorter ones cost more (a second LAME, its
// warm-up, a join) than they save. Short files are the common batch.
constexpr std::int64_t shortestPart = 64;
// Frames a LAME's flush adds after the last part.
constexpr int flushFrames = 2;
// Bytes of encoded frames waiting for their turn stay below this, and
// the parts' own records small.
constexpr std::int64_t waitingBudget = 20 << 20;
constexpr std::int64_t mostParts = 4096;

} // namespace

ParallelEncoder::Plan ParallelEncoder::plan(int sampleRate, int channels, int bitRateKbps, int threads,
                                            std::int64_t samples, int asked, int askedWarmUp)
{
    const std::int64_t frames = samples / mp3FrameSamples(sampleRate);
    // A frame waiting: its bytes and its place in memory.
    const std::int64_t frameCost = mp3FrameBytes(sampleRate, bitRateKbps) + mp3SideInfoSize(sampleRate, channels) + 96;
    if (threads < 2)
        return {};
    Plan plan;
    plan.warmUp = askedWarmUp > 0 ? askedWarmUp : warmUpFrames;
    plan.slide = slideFrames;
    if (asked > 0) {
        plan.threads = static_cast<int>(std::min<std::int64_t>(threads, frames / asked));
        if (plan.threads < 2)
            return {};
        const std::int64_t longest = waitingBudget / ((plan.threads - 1) * frameCost);
        plan.frames = std::clamp<std::int64_t>(asked, (frames + mostParts - 1) / mostParts, longest);
        plan.count = static_cast<int>(frames / plan.frames);
        return plan;
    }
    plan.threads = static_cast<int>(std::min<std::int64_t>(threads, frames / shortestPart));
    if (plan.threads < 2)
        return {};
    const std::int64_t longest = waitingBudget / ((plan.threads - 1) * frameCost);
    const std::int64_t rounds = std::max<std::int64_t>(1, (frames + plan.threads * longest - 1)
                                                              / (plan.threads * longest));
    plan.count = static_cast<int>(plan.threads * rounds);
    plan.frames = frames / plan.count;
    // Every later part's worker also encodes its warm-up (and the last one
    // LAME's flush): the first part takes half of that over, so the
    // workers end together, which is what counts in a short file.
    plan.lead = std::min<std::int64_t>((plan.warmUp + flushFrames) / 2, plan.frames / 4);
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
    return part * m_plan.frames + (part > 0 ? m_plan.lead : 0);
}

// The end of the frames a part's worker may be asked for: its own, and as
// far into the next part as a join may slide (never past that part's end).
std::int64_t ParallelEncoder::lastFrameOf(int part) const
{
    if (part + 1 >= m_plan.count)
        return INT64_MAX;
    const std::int64_t next = firstFrameOf(part + 1);
    return next + std::min<std::int64_t>(m_plan.slide, part + 2 < m_plan.count ? m_plan.frames : INT64_MAX);
}

bool ParallelEncoder::run()
{
    m_parts = std::make_unique<Part[]>(static_cast<std::size_t>(m_plan.count));
    for (int part = 0; part < m_plan.count; ++part)
        m_parts[static_cast<std::size_t>(part)].first = firstFrameOf(part);
    std::vector<std::thread> workers;
    try {
        for (int i = 0; i < m_plan.threads; ++i)
            workers.emplace_back([this] { work(); });
    } catch (const std::system_error &) {
        // The system gives no more threads (a memory limit): those started
        // share the parts; with none, the stream goes on one thread.
        if (workers.empty()) {
            m_failed = true;
            return false;
        }
    }
    bool ok = true;
    try {
        for (int part = 0; ok && part < m_plan.count; ++part)
            ok = layPart(part);
    } catch (...) {
        // (Out of memory.) No worker may outlive this: each is joined first.
        stop();
        for (std::thread &worker : workers)
            worker.join();
        throw;
    }
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
        try {
            encodePart(part);
        } catch (...) {
            // Out of memory: the part fails, and the stream goes on one thread.
            std::lock_guard lock(m_mutex);
            Part &failed = m_parts[static_cast<std::size_t>(part)];
            failed.ok = false;
            failed.done = true;
            failed.ready.notify_all();
        }
    }
}

void ParallelEncoder::encodePart(int index)
{
    const bool last = index == m_plan.count - 1;
    const std::int64_t first = firstFrameOf(index);
    const std::int64_t skip = std::min<std::int64_t>(m_plan.warmUp, first);
    const std::int64_t end = lastFrameOf(index);
    const std::int64_t from = (first - skip) * m_frameSamples;
    const std::int64_t to = last ? m_samples : std::min(m_samples, (end + lookAhead) * m_frameSamples);
    Part &part = m_parts[static_cast<std::size_t>(index)];

    Mp3Encoder encoder(m_rate, m_channels, m_kbps, false);
    Mp3FrameSplitter splitter;
    std::vector<Mp3Frame> split, kept;
    std::int64_t frame = first - skip; // the stream's frame the next one split is
    bool broken = !encoder.ok();
    const auto take = [&](const std::vector<unsigned char> &bytes) {
        split.clear();
        broken = broken || !encoder.ok() || !splitter.add(bytes.data(), bytes.size(), split);
        for (Mp3Frame &f : split) {
            const std::int64_t at = frame++;
            if (at >= first && at < end)
                kept.push_back(std::move(f));
        }
        // Handed on in batches (each wakes the joiner), but at once past the
        // part's end, where the joiner looks for the join and stops this.
        if (kept.size() >= publishBatch || (!last && frame > firstFrameOf(index + 1)))
            publish(part, kept);
        return !broken;
    };
    std::string error;
    const Sink encode = [&](const float *samples, std::int64_t count) {
        return take(encoder.encode(samples, count)) && !m_stopping && !part.enough;
    };
    const bool read = !broken && m_feed(from, to, encode, error);
    if (read)
        take(encoder.flush());
    publish(part, kept);

    std::lock_guard lock(m_mutex);
    part.ok = read && !broken && splitter.complete();
    part.inputError = error;
    part.delay = encoder.ok() ? encoder.encoderDelay() : 0;
    part.padding = last && encoder.ok() ? encoder.encoderPadding() : 0;
    part.done = true;
    part.ready.notify_all();
}

void ParallelEncoder::publish(Part &part, std::vector<Mp3Frame> &frames)
{
    {
        std::lock_guard lock(m_mutex);
        std::move(frames.begin(), frames.end(), std::back_inserter(part.arrived));
        part.ready.notify_all();
    }
    frames.clear();
}

bool ParallelEncoder::pull(Part &part)
{
    if (part.finished)
        return false;
    std::unique_lock lock(m_mutex);
    part.ready.wait(lock, [&] { return part.done || !part.arrived.empty(); });
    std::move(part.arrived.begin(), part.arrived.end(), std::back_inserter(part.frames));
    part.arrived.clear();
    part.finished = part.done;
    return true;
}

// Whether the part has the stream's frame `frame` (waiting for it), with
// the frames before it dropped.
bool ParallelEncoder::has(Part &part, std::int64_t frame)
{
    for (;;) {
        while (!part.frames.empty() && part.first < frame) {
            part.frames.pop_front();
            ++part.first;
        }
        if (!part.frames.empty() || !pull(part))
            return !part.frames.empty() && part.first == frame;
    }
}

bool ParallelEncoder::failWith(const Part &part)
{
    m_inputError = part.inputError;
    m_failed = m_inputError.empty();
    return false;
}

bool ParallelEncoder::layPart(int index)
{
    {
        std::lock_guard lock(m_mutex);
        m_joining = index;
    }
    m_partWanted.notify_all();
    Part &part = m_parts[static_cast<std::size_t>(index)];
    const bool last = index + 1 == m_plan.count;
    for (;;) {
        const bool have = has(part, m_next);
        if (!have && part.finished && !part.ok)
            return failWith(part);
        if (!last && m_next >= firstFrameOf(index + 1)) {
            Part &next = m_parts[static_cast<std::size_t>(index + 1)];
            const FramePacker::Fit fit = handOver(next, !have || m_next + 1 >= lastFrameOf(index));
            if (fit == FramePacker::Fit::no) {
                if (next.finished && !next.ok)
                    return failWith(next);
                m_failed = true;
                return false;
            }
            if (fit == FramePacker::Fit::yes)
                break;
        }
        if (!have) {
            if (last)
                break;
            m_failed = true; // ran out of frames before the next part
            return false;
        }
        if (!m_packer.place(part.frames.front())) {
            m_failed = true;
            return false;
        }
        part.frames.pop_front();
        ++part.first;
        ++m_next;
    }
    {
        std::unique_lock lock(m_mutex);
        part.enough = true;
        part.ready.wait(lock, [&] { return part.done; });
    }
    if (index == 0)
        m_delay = part.delay;
    if (last)
        m_padding = part.padding;
    std::deque<Mp3Frame>().swap(part.frames);
    return true;
}

// Whether the next part can take over at frame m_next: yes (the frames laid
// so far possibly widened), no (not even widening makes room), or unknown
// (not here; widening is left for the last frame allowed).
FramePacker::Fit ParallelEncoder::handOver(Part &next, bool widen)
{
    using Fit = FramePacker::Fit;
    for (;;) {
        if (!has(next, m_next))
            return Fit::no;
        const Fit fit = FramePacker::fits(m_packer.cursor(), next.frames, !next.finished);
        if (fit == Fit::yes)
            return fit;
        if (fit == Fit::unknown) {
            pull(next);
            continue;
        }
        if (!widen)
            return Fit::unknown;
        // Widen the last frame laid, by the least bit rate that leaves the
        // next part the reservoir its own encoder had.
        Fit widened = Fit::no;
        for (int rate = m_packer.lastBitRateIndex() + 1; widened == Fit::no && rate <= m_packer.topBitRateIndex();
             ++rate) {
            widened = FramePacker::fits(m_packer.cursorWidened(rate), next.frames, !next.finished);
            if (widened == Fit::yes) {
                m_packer.widenLast(rate);
                m_widened = true;
            }
        }
        if (widened == Fit::unknown) {
            pull(next);
            continue;
        }
        return widened;
    }
}
