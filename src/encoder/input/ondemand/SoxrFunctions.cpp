// conv's stand-ins for the libsoxr functions it calls, so that it does
// not load libsoxr (and OpenMP with it) before an input needs resampling
// (see CodecLibrary).
#include "CodecFunction.h"

#include <soxr.h>

namespace {

template <auto Stub>
decltype(Stub) real(const char *name)
{
    return codecFunction<Stub>(CodecLibrary::Soxr, name);
}

} // namespace

soxr_t soxr_create(double inputRate, double outputRate, unsigned channels, soxr_error_t *error,
                   soxr_io_spec_t const *io, soxr_quality_spec_t const *quality, soxr_runtime_spec_t const *runtime)
{
    return real<&soxr_create>(CODEC_SYMBOL(soxr_create))(inputRate, outputRate, channels, error, io, quality,
                                                         runtime);
}

void soxr_delete(soxr_t resampler)
{
    real<&soxr_delete>(CODEC_SYMBOL(soxr_delete))(resampler);
}

soxr_error_t soxr_process(soxr_t resampler, soxr_in_t in, size_t inLength, size_t *inDone, soxr_out_t out,
                          size_t outLength, size_t *outDone)
{
    return real<&soxr_process>(CODEC_SYMBOL(soxr_process))(resampler, in, inLength, inDone, out, outLength,
                                                           outDone);
}

soxr_io_spec_t soxr_io_spec(soxr_datatype_t input, soxr_datatype_t output)
{
    return real<&soxr_io_spec>(CODEC_SYMBOL(soxr_io_spec))(input, output);
}

soxr_quality_spec_t soxr_quality_spec(unsigned long recipe, unsigned long flags)
{
    return real<&soxr_quality_spec>(CODEC_SYMBOL(soxr_quality_spec))(recipe, flags);
}
