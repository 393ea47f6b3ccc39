// Compares decoded outputs with their source one window at a time: for
// each candidate, how many windows are more than 0.5 dB worse than the
// reference (signal-to-noise against the source), and the worst deficit.
// Files are raw 32-bit float samples, interleaved, of equal length. A
// candidate given as OWN_SOURCE,DECODED is measured against its own source.
// Usage: window_snr CHANNELS WINDOW_FRAMES SOURCE REFERENCE CANDIDATE...
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<float> load(const char *path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::copy_n(bytes.data(), samples.size() * sizeof(float), reinterpret_cast<char *>(samples.data()));
    return samples;
}

// SNR in dB of each window (silent windows: none).
std::vector<double> windowSnr(const std::vector<float> &source, const std::vector<float> &decoded, std::size_t window)
{
    std::vector<double> result;
    const std::size_t n = std::min(source.size(), decoded.size());
    for (std::size_t start = 0; start + window <= n; start += window) {
        double signal = 0, noise = 0;
        for (std::size_t i = start; i < start + window; ++i) {
            signal += double(source[i]) * source[i];
            const double e = double(decoded[i]) - source[i];
            noise += e * e;
        }
        result.push_back(signal == 0 ? NAN : noise == 0 ? 200.0 : 10 * std::log10(signal / noise));
    }
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 6) {
        std::fputs("Usage: window_snr CHANNELS WINDOW_FRAMES SOURCE REFERENCE CANDIDATE...\n", stderr);
        return 2;
    }
    const std::size_t window = std::size_t(std::atoi(argv[1])) * std::atoi(argv[2]);
    const std::vector<float> source = load(argv[3]);
    const std::vector<double> reference = windowSnr(source, load(argv[4]), window);
    for (int i = 5; i < argc; ++i) {
        const std::string given = argv[i];
        const std::size_t comma = given.find(',');
        const std::vector<double> candidate =
            comma == std::string::npos
                ? windowSnr(source, load(argv[i]), window)
                : windowSnr(load(given.substr(0, comma).c_str()), load(given.substr(comma + 1).c_str()), window);
        int worse = 0;
        double worst = 0;
        for (std::size_t w = 0; w < std::min(reference.size(), candidate.size()); ++w) {
            if (std::isnan(reference[w]))
                continue;
            const double deficit = reference[w] - candidate[w];
            worse += deficit > 0.5;
            worst = std::max(worst, deficit);
        }
        std::printf("%s windows %zu worse %d worst %.2f\n", argv[i], reference.size(), worse, worst);
    }
    return 0;
}
