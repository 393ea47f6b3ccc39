// The test helpers where the host's tools cannot run (a Windows process
// under Wine starts no Linux program): libsndfile writes the inputs and
// LAME's own decoder (mpglib, not our encoder's code) reads the outputs.
#include "TestSupport.h"

#include <QFile>

#include <windows.h>
#include <psapi.h>

#include <lame/lame.h>
#define ENABLE_SNDFILE_WINDOWS_PROTOTYPES 1
#include <sndfile.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace test {

// The sox options the Linux side passes on: -r RATE -c CHANNELS -b BITS,
// and only the synth "sine F".
bool makeWav(const QString &path, const QStringList &format, double seconds, const QString &synth)
{
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    int bits = 16;
    for (qsizetype i = 0; i + 1 < format.size(); i += 2) {
        const int value = format[i + 1].toInt();
        if (format[i] == QLatin1String("-r"))
            info.samplerate = value;
        else if (format[i] == QLatin1String("-c"))
            info.channels = value;
        else if (format[i] == QLatin1String("-b"))
            bits = value;
    }
    const QStringList words = synth.split(QLatin1Char(' '));
    if (words.size() != 2 || words[0] != QLatin1String("sine") || (bits != 16 && bits != 24))
        return false;
    info.format = SF_FORMAT_WAV | (bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24);
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE *)> file(
        sf_wchar_open(reinterpret_cast<const wchar_t *>(path.utf16()), SFM_WRITE, &info), sf_close);
    if (!file)
        return false;
    const double frequency = words[1].toDouble();
    const auto frames = static_cast<sf_count_t>(std::llround(seconds * info.samplerate));
    std::vector<float> samples(static_cast<std::size_t>(frames * info.channels));
    for (sf_count_t n = 0; n < frames; ++n)
        for (int c = 0; c < info.channels; ++c)
            samples[static_cast<std::size_t>(n * info.channels + c)] =
                static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * frequency * n / info.samplerate));
    return sf_writef_float(file.get(), samples.data(), frames) == frames;
}

Mp3Info probeMp3(const QString &path)
{
    Mp3Info info;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return info;
    QByteArray bytes = file.readAll();
    const std::unique_ptr<hip_global_flags, int (*)(hip_t)> decoder(hip_decode_init(), hip_decode_exit);
    std::vector<short> left(1152 * 2), right(1152 * 2);
    mp3data_struct header{};
    int delay = -1, padding = -1;
    auto *data = reinterpret_cast<unsigned char *>(bytes.data());
    qint64 decoded = 0;
    // The whole file goes in at once; each later call hands out one more frame.
    for (std::size_t length = static_cast<std::size_t>(bytes.size());; length = 0) {
        const int n = hip_decode1_headersB(decoder.get(), data, length, left.data(), right.data(), &header,
                                           &delay, &padding);
        if (n < 0)
            return info;
        if (n == 0 && length == 0)
            break;
        decoded += n;
    }
    if (!header.header_parsed)
        return info;
    info.sampleRate = header.samplerate;
    info.channels = header.stereo;
    info.bitRate = header.bitrate * 1000;
    // Gapless, as mpg123 --gapless: the encoder's delay and padding go.
    info.samples = decoded - std::max(delay, 0) - std::max(padding, 0);
    return info;
}

long residentKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

} // namespace test
