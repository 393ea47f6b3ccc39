#pragma once

#include "Mp3Frames.h"

#include <cstdint>
#include <deque>
#include <functional>

// Writes layer III frames as a new stream, laying each frame's main data
// as early as the bit reservoir allows: right after the previous frame's
// data, but no further back than main_data_begin can reach. Frames keep
// their headers and side information; only main_data_begin is rewritten,
// and bytes no frame uses are zero.
class FramePacker {
public:
    using Emit = std::function<bool(const unsigned char *bytes, std::size_t size)>;
    explicit FramePacker(Emit emit) : m_emit(std::move(emit)) {}

    // Positions in the main-data stream (all frames' areas end to end).
    struct Cursor {
        std::int64_t dataEnd = 0;   // end of the data laid so far
        std::int64_t slotStart = 0; // where the next frame's area starts
    };
    Cursor cursor() const { return m_cursor; }

    // Moves the cursor past `frame`; false when its data cannot be laid.
    static bool advance(Cursor &cursor, const Mp3Frame &frame);
    // Whether frames that followed each other in a stream of their own all
    // fit after `cursor`, judged from its first `count` frames: unknown
    // when those fit but do not yet settle it and more of them follow.
    enum class Fit { yes, no, unknown };
    template <class Frames>
    static Fit fits(Cursor cursor, const Frames &frames, bool more = false)
    {
        for (const Mp3Frame &frame : frames) {
            const Cursor before = cursor;
            if (!advance(cursor, frame))
                return Fit::no;
            // Once a frame starts no later than it did in its own stream,
            // the rest fit as they did there.
            if (before.slotStart - (cursor.dataEnd - static_cast<std::int64_t>(frame.data.size()))
                >= frame.mainDataBegin)
                return Fit::yes;
        }
        return more ? Fit::unknown : Fit::yes;
    }

    bool place(const Mp3Frame &frame);

    // The last frame laid is held back, so that it can still be widened:
    // written at a higher bit rate (`index` in its header's table), its
    // area grows and leaves more reservoir to the frames after it.
    int lastBitRateIndex() const;
    int topBitRateIndex() const;
    Cursor cursorWidened(int index) const;
    void widenLast(int index);
    // Writes the frames still held.
    bool finish();
    std::uint32_t frameCount() const { return m_count; }

private:
    struct Held {
        std::vector<unsigned char> bytes;
        std::int64_t slotStart;
        int slotSize;
    };
    bool emitUpTo(std::int64_t settled);

    Emit m_emit;
    Cursor m_cursor;
    std::deque<Held> m_held;
    std::uint32_t m_count = 0;
};
