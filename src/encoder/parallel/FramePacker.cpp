#include "FramePacker.h"

#include <algorithm>
#include <cstring>

bool FramePacker::advance(Cursor &cursor, const Mp3Frame &frame)
{
    const std::int64_t start = std::max(cursor.dataEnd, cursor.slotStart - mp3MaxMainDataBegin(frame));
    const auto length = static_cast<std::int64_t>(frame.data.size());
    if (start + length > cursor.slotStart + frame.slotSize)
        return false;
    cursor.dataEnd = start + length;
    cursor.slotStart += frame.slotSize;
    return true;
}

bool FramePacker::place(const Mp3Frame &frame)
{
    Cursor next = m_cursor;
    if (!advance(next, frame))
        return false;
    const std::int64_t start = next.dataEnd - static_cast<std::int64_t>(frame.data.size());
    Held held{{}, m_cursor.slotStart, frame.slotSize};
    held.bytes.resize(frame.head.size() + static_cast<std::size_t>(frame.slotSize), 0);
    std::memcpy(held.bytes.data(), frame.head.data(), frame.head.size());
    setMp3MainDataBegin(held.bytes.data(), static_cast<int>(m_cursor.slotStart - start));
    m_held.push_back(std::move(held));

    // The data may run through the areas of several held frames.
    for (Held &h : m_held) {
        const std::int64_t from = std::max(start, h.slotStart);
        const std::int64_t to = std::min(next.dataEnd, h.slotStart + h.slotSize);
        if (from >= to)
            continue;
        const std::size_t headSize = h.bytes.size() - static_cast<std::size_t>(h.slotSize);
        std::memcpy(h.bytes.data() + headSize + (from - h.slotStart), frame.data.data() + (from - start),
                    static_cast<std::size_t>(to - from));
    }
    m_cursor = next;
    ++m_count;
    // No later frame's data can start before this.
    return emitUpTo(std::max(m_cursor.dataEnd, m_cursor.slotStart - mp3MaxMainDataBegin(frame)));
}

int FramePacker::lastBitRateIndex() const
{
    return m_held.empty() ? 15 : mp3BitRateIndex(m_held.back().bytes.data());
}

int FramePacker::topBitRateIndex() const
{
    return m_held.empty() ? 0 : mp3TopBitRateIndex(m_held.back().bytes.data());
}

FramePacker::Cursor FramePacker::cursorWidened(int index) const
{
    const Held &last = m_held.back();
    Cursor widened = m_cursor;
    widened.slotStart += mp3FrameBytesWithIndex(last.bytes.data(), index) - static_cast<int>(last.bytes.size());
    return widened;
}

void FramePacker::widenLast(int index)
{
    Held &last = m_held.back();
    const int grown = mp3FrameBytesWithIndex(last.bytes.data(), index) - static_cast<int>(last.bytes.size());
    last.bytes[2] = static_cast<unsigned char>((last.bytes[2] & 0x0f) | (index << 4));
    last.bytes.resize(last.bytes.size() + static_cast<std::size_t>(grown), 0);
    last.slotSize += grown;
    m_cursor.slotStart += grown;
}

bool FramePacker::emitUpTo(std::int64_t settled)
{
    while (m_held.size() > 1 && m_held.front().slotStart + m_held.front().slotSize <= settled) {
        if (!m_emit(m_held.front().bytes.data(), m_held.front().bytes.size()))
            return false;
        m_held.pop_front();
    }
    return true;
}

bool FramePacker::finish()
{
    for (const Held &held : m_held)
        if (!m_emit(held.bytes.data(), held.bytes.size()))
            return false;
    m_held.clear();
    return true;
}
