#include "AddressLimits.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

namespace {

qint64 nowMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

} // namespace

void AddressLimits::refill(Bucket &bucket, qint64 now) const
{
    bucket.tokens = std::min<double>(m_burst, bucket.tokens + double(now - bucket.at) / m_everyMs);
    bucket.at = now;
}

bool AddressLimits::take(const QString &address)
{
    if (m_burst <= 0)
        return true;
    const qint64 now = nowMs();
    // Full buckets say nothing: forgetting them keeps the table small
    // however many addresses have written.
    if (m_buckets.size() > 100000) {
        for (auto it = m_buckets.begin(); it != m_buckets.end();) {
            refill(it.value(), now);
            it = it.value().tokens >= m_burst ? m_buckets.erase(it) : std::next(it);
        }
    }
    auto it = m_buckets.find(address);
    if (it == m_buckets.end())
        it = m_buckets.insert(address, {double(m_burst), now});
    refill(it.value(), now);
    if (it.value().tokens < 1)
        return false;
    it.value().tokens -= 1;
    return true;
}

int AddressLimits::waitSeconds(const QString &address) const
{
    const auto it = m_buckets.constFind(address);
    if (m_burst <= 0 || it == m_buckets.cend())
        return 0;
    Bucket bucket = it.value();
    refill(bucket, nowMs());
    return bucket.tokens >= 1 ? 0 : int(std::ceil((1 - bucket.tokens) * m_everyMs / 1000.0));
}
