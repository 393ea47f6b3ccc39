#pragma once

#include <QLockFile>

#include <memory>

// One running instance per user: a lock in the user's runtime folder.
// A lock left by a killed instance is taken over.
class SingleInstance {
public:
    // True when this process is the only instance (it holds the lock).
    bool claim();

private:
    std::unique_ptr<QLockFile> m_lock;
};
