#pragma once


#include <QHash>
#include <QString>

// How many messages one address may send: a burst of `burst`, then one
// every `everyMs`; 0 for no limit. A flood from one address is refused
// without touching the disk, and others still get through.
class AddressLimits {
public:
    AddressLimits(int burst, int everyMs) : m_burst(burst), m_everyMs(everyMs) {}

    // True when `address` may send one more now (and counts it).
    bool take(const QString &address);
    // Seconds until `address` may send again.
    int waitSeconds(const QString &address) const;

private:
    struct Bucket {
        double tokens = 0;
        qint64 at = 0; // ms of the last refill
    };
    void refill(Bucket &bucket, qint64 now) const;

    int m_burst;
    int m_everyMs;
    QHash<QString, Bucket> m_buckets;
};
