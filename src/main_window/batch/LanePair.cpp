#include "LanePair.h"

#include <QThread>

namespace {

// About a minute and a half of CD audio: shorter files gain little from
// the encoder's own parts, and two of them side by side finish close
// together.
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

LanePair::LanePair(QObject *parent) : QObject(parent)
{
    for (EncodeLane &lane : m_lanes) {
        lane.setParent(this); // found by observers among the batch's children
        connect(&lane, &EncodeLane::copied, this, &LanePair::copied);
        connect(&lane, &EncodeLane::encoded, this, &LanePair::encoded);
    }
}

void LanePair::setWorkingFolder(const platform::PrivateFolder &folder)
{
    m_lanes[0].setFiles(WorkingFiles(folder));
    m_lanes[1].setFiles(WorkingFiles(folder, 1));
}

bool LanePair::pairable(const QueuedSource &inHand, const QueuedSource &next)
{
    return QThread::idealThreadCount() >= 2 && inHand.failure.isEmpty() && next.failure.isEmpty()
        && isShortFile(inHand.path) && isShortFile(next.path);
}

EncodeLane *LanePair::laneOf(quint64 id)
{
    for (EncodeLane &lane : m_lanes) {
        if (!lane.isFree() && lane.file().id == id)
            return &lane;
    }
    return nullptr;
}

EncodeLane *LanePair::load(const QueuedSource &file)
{
    Q_ASSERT_X(!laneOf(file.id), "LanePair::load", "the file is in a lane already");
    Q_ASSERT_X(hasFreeLane(), "LanePair::load", "no lane is free");
    const int index = m_lanes[0].isFree() ? 0 : 1;
    EncodeLane &lane = m_lanes[index];
    const EncodeLane &other = m_lanes[1 - index];
    // Never two names made for one file at once (the same file dropped
    // twice): each changes the time of the file's last change, which tells
    // a linked source's rewrite.
    const bool mayLink = other.isFree() || !sameFile(other.file().path, file.path);
    return lane.load(file, mayLink) ? &lane : nullptr;
}

void LanePair::release(quint64 id)
{
    if (EncodeLane *lane = laneOf(id))
        lane->release();
}

void LanePair::releaseAll()
{
    for (EncodeLane &lane : m_lanes)
        lane.release();
}
