#include "CodecFunction.h"

#include "common/ConvContract.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

struct Loaded {
    std::once_flag once;
    void *handle = nullptr;
    std::string error;
};

Loaded &loaded(CodecLibrary library)
{
    static Loaded libraries[3];
    static constexpr const char *names[3] = {"libsndfile.so.1", "libsoxr.so.0", "libmpg123.so.0"};
    const auto index = static_cast<int>(library);
    Loaded &it = libraries[index];
    std::call_once(it.once, [&] {
        it.handle = dlopen(names[index], RTLD_NOW | RTLD_LOCAL);
        if (!it.handle)
            it.error = std::string("cannot load ") + names[index] + " (" + dlerror() + ")";
    });
    return it;
}

[[noreturn]] void fail(const std::string &why)
{
    std::fprintf(stderr, "%s: %s\n", std::string(convcontract::programName).c_str(), why.c_str());
    std::abort();
}

} // namespace

bool codecLibraryReady(CodecLibrary library, std::string &error)
{
    const Loaded &it = loaded(library);
    if (!it.handle)
        error = it.error;
    return it.handle != nullptr;
}

void *codecSymbol(CodecLibrary library, const char *name)
{
    const Loaded &it = loaded(library);
    if (!it.handle)
        fail(it.error);
    void *symbol = dlsym(it.handle, name);
    if (!symbol)
        fail(std::string("the codec library has no ") + name);
    return symbol;
}
