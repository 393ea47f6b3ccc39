// The test helpers where the host's tools cannot run (a Windows process
// under Wine starts no Linux program): libsndfile writes the inputs and
// LAME's own decoder (mpglib, not our encoder's code) reads the outputs.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <windows.h>
#include <psapi.h>

#include <lame/lame.h>
#define ENABLE_SNDFILE_WINDOWS_PROTOTYPES 1
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace test {

namespace {

// One sox synth generator: "sine F", "sine F1-F2" (a linear sweep),
// "square F", "whitenoise" or "pinknoise".
struct Generator {
    enum Kind { Sine, Square, White, Pink } kind = Sine;
    double from = 440, to = 440;
    double phase = 0, b0 = 0, b1 = 0, b2 = 0;
    std::mt19937 random{1}; // as sox -R: every channel's noise from the same seed

    float next(double t, double seconds, int rate)
    {
        if (kind == White || kind == Pink) {
            const double white = std::uniform_real_distribution<double>(-1, 1)(random);
            if (kind == White)
                return static_cast<float>(white);
            // Paul Kellet's economy filter: close enough to 1/f for a test.
            b0 = 0.99765 * b0 + white * 0.0990460;
            b1 = 0.96300 * b1 + white * 0.2965164;
            b2 = 0.57000 * b2 + white * 1.0526913;
            return static_cast<float>(std::clamp((b0 + b1 + b2 + white * 0.1848) * 0.25, -1.0, 1.0));
        }
        phase += (from + (to - from) * t / seconds) / rate;
        phase -= std::floor(phase);
        if (kind == Square)
            return phase < 0.5 ? 1.0f : -1.0f;
        return static_cast<float>(std::sin(2 * std::numbers::pi * phase));
    }
};

bool parseSynth(const QString &synth, std::vector<Generator> &generators, double &volume)
{
    const QStringList words = synth.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        Generator g;
        const QString &word = words[i];
        if (word == QLatin1String("vol") && i + 1 < words.size()) {
            volume = words[++i].toDouble();
            continue;
        }
        if (word == QLatin1String("whitenoise") || word == QLatin1String("pinknoise")) {
            g.kind = word == QLatin1String("whitenoise") ? Generator::White : Generator::Pink;
        } else if ((word == QLatin1String("sine") || word == QLatin1String("square")) && i + 1 < words.size()) {
            g.kind = word == QLatin1String("sine") ? Generator::Sine : Generator::Square;
            const QStringList range = words[++i].split(QLatin1Char('-'));
            g.from = range.first().toDouble();
            g.to = range.last().toDouble();
        } else {
            return false;
        }
        generators.push_back(g);
    }
    return !generators.empty();
}

// libsndfile's format for sox's -t, -e and -b.
int formatFor(const QString &type, const QString &encoding, int bits, int channels)
{
    int container = type == QLatin1String("w64")    ? SF_FORMAT_W64
                    : type == QLatin1String("rf64") ? SF_FORMAT_RF64
                    : channels > 2                  ? SF_FORMAT_WAVEX // as sox writes them
                                                    : SF_FORMAT_WAV;
    if (encoding == QLatin1String("ima-adpcm"))
        return container | SF_FORMAT_IMA_ADPCM;
    if (encoding == QLatin1String("ms-adpcm"))
        return container | SF_FORMAT_MS_ADPCM;
    if (encoding == QLatin1String("floating-point"))
        return container | (bits == 64 ? SF_FORMAT_DOUBLE : SF_FORMAT_FLOAT);
    switch (bits) {
    case 8: return container | SF_FORMAT_PCM_U8;
    case 16: return container | SF_FORMAT_PCM_16;
    case 24: return container | SF_FORMAT_PCM_24;
    case 32: return container | SF_FORMAT_PCM_32;
    }
    return 0;
}

// libsndfile counts whole blocks in a WAV's fact chunk (ADPCM pads its
// last block); sox, like other writers, counts the signal's own frames.
bool countFramesAsSoxDoes(const QString &path, quint32 frames)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("RIFF"))
        return true; // W64 and RF64 files here hold PCM or float only
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (bytes.mid(at, 4) == "fact" && size >= 4) {
            const QByteArray count(reinterpret_cast<const char *>(&frames), 4); // little-endian here
            return file.seek(at + 8) && file.write(count) == 4;
        }
        at += 8 + size + (size & 1);
    }
    return true;
}

// The samples hip (LAME's mpglib) decodes from an MP3, interleaved, with the
// encoder's delay and padding and mpglib's own 529 samples of delay taken
// off, as mpg123 --gapless does; its complaints are collected.
thread_local QByteArray *hipComplaints = nullptr;

void collectComplaint(const char *format, va_list arguments)
{
    if (hipComplaints)
        *hipComplaints += QString::vasprintf(format, arguments).toUtf8();
}

struct Decoded {
    mp3data_struct header{};
    std::vector<float> samples;
    bool ok = false;
};

Decoded decode(const QString &path, QByteArray *complaints)
{
    Decoded result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QByteArray bytes = file.readAll();
    QByteArray collected;
    hipComplaints = &collected;
    const std::unique_ptr<hip_global_flags, int (*)(hip_t)> decoder(hip_decode_init(), hip_decode_exit);
    hip_set_errorf(decoder.get(), collectComplaint);
    std::vector<short> left(1152 * 2), right(1152 * 2);
    int delay = -1, padding = -1;
    auto *data = reinterpret_cast<unsigned char *>(bytes.data());
    // The whole file goes in at once; each later call hands out one more
    // frame. A call that hands out nothing skipped the Info frame, read the
    // first header alone (mpglib does both at the start) or resynchronised;
    // four in a row mean the end.
    mp3data_struct header{};
    int idle = 0;
    for (std::size_t length = static_cast<std::size_t>(bytes.size()); idle < 4; length = 0) {
        const int n = hip_decode1_headersB(decoder.get(), data, length, left.data(), right.data(), &header,
                                           &delay, &padding);
        if (n < 0) {
            collected += "hip: a frame could not be decoded\n";
            break;
        }
        idle = n == 0 ? idle + 1 : 0;
        if (n > 0 && !result.header.header_parsed)
            result.header = header; // the first audio frame's: later calls' figures drift
        for (int i = 0; i < n; ++i) {
            result.samples.push_back(left[static_cast<std::size_t>(i)] / 32768.0f);
            if (result.header.stereo == 2)
                result.samples.push_back(right[static_cast<std::size_t>(i)] / 32768.0f);
        }
    }
    hipComplaints = nullptr;
    if (complaints)
        *complaints = collected;
    const int channels = result.header.stereo;
    if (!result.header.header_parsed || channels < 1)
        return result;
    constexpr qsizetype decoderDelay = 529;
    const qsizetype skip = (std::max(delay, 0) + decoderDelay) * channels;
    const qsizetype cut = (std::max(padding, 0) - decoderDelay) * channels;
    const auto total = static_cast<qsizetype>(result.samples.size());
    if (skip + std::max<qsizetype>(cut, 0) > total)
        return result;
    result.samples.erase(result.samples.end() - std::max<qsizetype>(cut, 0), result.samples.end());
    result.samples.erase(result.samples.begin(), result.samples.begin() + skip);
    if (cut < 0) // more padding than mpglib's delay: the tail is silence.
        result.samples.insert(result.samples.end(), static_cast<std::size_t>(-cut), 0.0f);
    result.ok = true;
    return result;
}

} // namespace

bool makeWav(const QString &path, const QStringList &format, double seconds, const QString &synth)
{
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    int bits = 16;
    QString type, encoding;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QString &option = format[i];
        if (option == QLatin1String("-R")) // sox's repeatable noise: ours always is
            continue;
        if (i + 1 >= format.size())
            return false;
        const QString &value = format[++i];
        if (option == QLatin1String("-r"))
            info.samplerate = value.toInt();
        else if (option == QLatin1String("-c"))
            info.channels = value.toInt();
        else if (option == QLatin1String("-b"))
            bits = value.toInt();
        else if (option == QLatin1String("-e"))
            encoding = value;
        else if (option == QLatin1String("-t"))
            type = value;
        else
            return false;
    }
    std::vector<Generator> generators;
    double volume = 1.0;
    info.format = formatFor(type, encoding, bits, info.channels);
    if (!info.format || !parseSynth(synth, generators, volume))
        return false;
    std::unique_ptr<SNDFILE, int (*)(SNDFILE *)> file(
        sf_wchar_open(reinterpret_cast<const wchar_t *>(path.utf16()), SFM_WRITE, &info), sf_close);
    if (!file)
        return false;
    // Each channel takes the next generator, the last one repeating, as sox does.
    std::vector<Generator> channels;
    for (int c = 0; c < info.channels; ++c)
        channels.push_back(generators[std::min<std::size_t>(static_cast<std::size_t>(c), generators.size() - 1)]);
    const auto frames = static_cast<sf_count_t>(std::llround(seconds * info.samplerate));
    std::vector<float> samples(static_cast<std::size_t>(frames * info.channels));
    for (sf_count_t n = 0; n < frames; ++n)
        for (int c = 0; c < info.channels; ++c)
            samples[static_cast<std::size_t>(n * info.channels + c)] = static_cast<float>(
                volume * channels[static_cast<std::size_t>(c)].next(double(n) / info.samplerate, seconds,
                                                                    info.samplerate));
    if (sf_writef_float(file.get(), samples.data(), frames) != frames)
        return false;
    file.reset();
    return countFramesAsSoxDoes(path, static_cast<quint32>(frames));
}

QList<float> decodeMp3(const QString &path, QByteArray *complaints)
{
    const Decoded decoded = decode(path, complaints);
    return decoded.ok ? QList<float>(decoded.samples.begin(), decoded.samples.end()) : QList<float>{};
}

Mp3Info probeMp3(const QString &path)
{
    Mp3Info info;
    const Decoded decoded = decode(path, nullptr);
    if (!decoded.ok)
        return info;
    info.sampleRate = decoded.header.samplerate;
    info.channels = decoded.header.stereo;
    info.bitRate = decoded.header.bitrate * 1000;
    info.samples = static_cast<qint64>(decoded.samples.size()) / info.channels;
    return info;
}

bool hostToolsRun()
{
    return false;
}

bool makeFifo(const QString &)
{
    return false;
}

bool canLockFolders()
{
    return false;
}

long residentKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

// Nothing to turn off: see TestSupport.h.
WithoutFileAccessOverride::WithoutFileAccessOverride() = default;
WithoutFileAccessOverride::~WithoutFileAccessOverride() = default;

HeldFile::HeldFile(const QString &path) : m_path(path)
{
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                                      GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); // no sharing
    m_handle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

HeldFile::~HeldFile()
{
    if (m_handle)
        CloseHandle(m_handle);
}

} // namespace test
