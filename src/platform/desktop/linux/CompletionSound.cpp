#include "platform/desktop/Desktop.h"
#include "platform/files/linux/SystemName.h"


#include <canberra.h>
#include <sndfile.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {
namespace {

struct Finish {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
};

void onFinished(ca_context *, uint32_t, int, void *userdata)
{
    auto *finish = static_cast<Finish *>(userdata);
    std::lock_guard lock(finish->mutex);
    finish->finished = true;
    finish->done.notify_all();
}

// How long the sound lasts, from its own header; the event sound that
// stands in for a missing file is short.
std::chrono::milliseconds lengthOf(const NativeName &wavFile)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(systemName(wavFile).constData(), SFM_READ, &info);
    if (!file)
        return std::chrono::seconds(5);
    sf_close(file);
    if (info.samplerate <= 0 || info.frames <= 0)
        return std::chrono::seconds(5);
    return std::chrono::milliseconds(info.frames * 1000 / info.samplerate);
}

} // namespace

bool playSoundToEnd(const NativeName &wavFile)
{
    ca_context *context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS)
        return false;

    ca_proplist *properties = nullptr;
    ca_proplist_create(&properties);
    if (wavFile.fileSize() >= 0)
        ca_proplist_sets(properties, CA_PROP_MEDIA_FILENAME, systemName(wavFile).constData());
    else
        ca_proplist_sets(properties, CA_PROP_EVENT_ID, "complete");
    ca_proplist_sets(properties, CA_PROP_CANBERRA_CACHE_CONTROL, "never");

    // The callback comes from libcanberra's own thread; the Finish object
    // must outlive it, which destroying the context (below) guarantees.
    Finish finish;
    const int result = ca_context_play_full(context, 1, properties, onFinished, &finish);
    if (result == CA_SUCCESS) {
        std::unique_lock lock(finish.mutex);
        // The whole sound, but never a window hung on a stuck sound server:
        // its length and a margin at most.
        const auto limit = lengthOf(wavFile) + std::chrono::seconds(5);
        finish.done.wait_for(lock, limit, [&] { return finish.finished; });
    }
    ca_context_destroy(context);
    ca_proplist_destroy(properties);
    return result == CA_SUCCESS;
}

} // namespace platform
