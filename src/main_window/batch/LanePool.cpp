#include "LanePool.h"

#include <QThread>

#include <algorithm>

namespace {

// About a minute and a half of CD audio: shorter files gain little from
// the encoder's own parts, and side by side they keep every core busy.
constexpr qint64 shortFileBytes = 16 << 20;

bool isShortFile(const QString &path)
{
    const qint64 size = platform::NativeName(path).fileSize();
    return size > 0 && size <= shortFileBytes;
}

bool sameFile(const QString &a, const QString &b)
{
    const platform::FileState one = platform::fileState(platform::NativeName(a));
    const platform::FileState two = platform::fileState(platform::NativeName(b));
    return one.size >= 0 && one.device == two.device && one.file == two.file;
}

} // namespace

LanePool::LanePool(QObject *parent) : QObject(parent)
{
    const int count = QThread::idealThreadCount() >= 2 ? encoderSlots() + 2 : 1;
    for (int i = 0; i < count; ++i) {
        auto *lane = new EncodeLane(this);
        connect(lane, &EncodeLane::copied, this, &LanePool::copied);
        connect(lane, &EncodeLane::encoded, this, &LanePool::encoded);
        m_lanes << lane;
    }
}

void LanePool::setWorkingFolder(const platform::PrivateFolder &folder)
{
    for (int i = 0; i < m_lanes.size(); ++i)
        m_lanes[i]->setFiles(WorkingFiles(folder, i));
}

bool LanePool::pairable(const QueuedSource &inHand, const QueuedSource &next)
{
    return QThread::idealThreadCount() >= 2 && inHand.failure.isEmpty() && next.failure.isEmpty()
        && isShortFile(inHand.path) && isShortFile(next.path);
}

int LanePool::encoderSlots()
{
    return std::clamp(QThread::idealThreadCount(), 1, WorkingFiles::lanes - 2);
}

EncodeLane *LanePool::laneOf(quint64 id) const
{
    for (EncodeLane *lane : m_lanes) {
        if (!lane->isFree() && lane->file().id == id)
            return lane;
    }
    return nullptr;
}

bool LanePool::hasFreeLane() const
{
    return std::any_of(m_lanes.cbegin(), m_lanes.cend(), [](const EncodeLane *lane) { return lane->isFree(); });
}

int LanePool::encoding() const
{
    return int(std::count_if(m_lanes.cbegin(), m_lanes.cend(),
                             [](const EncodeLane *lane) { return lane->state() == EncodeLane::State::Encoding; }));
}

EncodeLane *LanePool::load(const QueuedSource &file)
{
    Q_ASSERT_X(!laneOf(file.id), "LanePool::load", "the file is in a lane already");
    const auto free = std::find_if(m_lanes.cbegin(), m_lanes.cend(), [](const EncodeLane *lane) { return lane->isFree(); });
    Q_ASSERT_X(free != m_lanes.cend(), "LanePool::load", "no lane is free");
    // Never two names made for one file at once (the same file dropped
    // twice): each changes the time of the file's last change, which tells
    // a linked source's rewrite.
    const bool mayLink = std::none_of(m_lanes.cbegin(), m_lanes.cend(), [&file](const EncodeLane *lane) {
        return !lane->isFree() && sameFile(lane->file().path, file.path);
    });
    return (*free)->load(file, mayLink) ? *free : nullptr;
}

void LanePool::release(quint64 id)
{
    if (EncodeLane *lane = laneOf(id))
        lane->release();
}

void LanePool::releaseAll()
{
    for (EncodeLane *lane : m_lanes)
        lane->release();
}
