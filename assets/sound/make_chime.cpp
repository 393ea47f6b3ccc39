// Synthesises the completion chime: two soft bell tones (a rising major
// third), 1.2 s, 44.1 kHz 16-bit mono PCM WAV.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

void put16(std::vector<unsigned char> &out, std::uint16_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xff));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(std::vector<unsigned char> &out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

double bell(double t, double frequency)
{
    if (t < 0)
        return 0;
    const double attack = std::min(1.0, t / 0.006);
    const double decay = std::exp(-t * 4.2);
    const double w = 2 * std::numbers::pi * frequency * t;
    // A few inharmonic partials give the tone its bell colour.
    return attack * decay
           * (0.62 * std::sin(w) + 0.22 * std::sin(2.01 * w) * std::exp(-t * 3)
              + 0.10 * std::sin(3.01 * w) * std::exp(-t * 6) + 0.06 * std::sin(4.2 * w) * std::exp(-t * 9));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chime OUTPUT.wav\n");
        return 1;
    }
    constexpr int rate = 44100;
    constexpr double seconds = 1.2;
    constexpr int frames = static_cast<int>(rate * seconds);

    std::vector<unsigned char> wav;
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    put32(wav, 36 + frames * 2);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, 1);
    put32(wav, rate);
    put32(wav, rate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    put32(wav, frames * 2);

    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double fadeOut = std::min(1.0, (seconds - t) / 0.08);
        const double v = 0.45 * fadeOut * (bell(t, 659.25) + 0.9 * bell(t - 0.14, 830.61));
        const auto sample = static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
        put16(wav, static_cast<std::uint16_t>(sample));
    }

    std::FILE *file = std::fopen(argv[1], "wb");
    if (!file || std::fwrite(wav.data(), 1, wav.size(), file) != wav.size() || std::fclose(file) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
