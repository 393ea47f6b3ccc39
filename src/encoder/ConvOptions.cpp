#include "ConvOptions.h"

#include <charconv>
#include <cmath>

namespace {

std::optional<long long> parseNumber(const std::string &text)
{
    long long value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

std::optional<int> positive(const std::string &text, long long limit)
{
    const auto value = parseNumber(text);
    if (!value || *value <= 0 || *value > limit)
        return std::nullopt;
    return static_cast<int>(*value);
}

} // namespace

std::optional<int> parseBitRate(const std::string &text)
{
    if (text.empty())
        return std::nullopt;
    const char last = text.back();
    if (last == 'k' || last == 'K')
        return positive(text.substr(0, text.size() - 1), 100000);
    const auto bits = positive(text, 100000000);
    if (!bits)
        return std::nullopt;
    return std::max(1, static_cast<int>(std::lround(*bits / 1000.0)));
}

ParseResult parseConvOptions(int argc, const char *const *argv)
{
    ParseResult result;
    ConvOptions &o = result.options;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string &out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "-y") {
            o.overwrite = true;
        } else if (arg == "-i") {
            if (!value(o.input))
                return fail("-i: missing input file name");
        } else if (arg == "-ab") {
            if (!value(v) || !(o.bitRateKbps = parseBitRate(v)))
                return fail("-ab: bit rate expected, such as 128k");
            o.bitRateText = v;
        } else if (arg == "-ar") {
            if (!value(v) || !(o.sampleRate = positive(v, 10000000)))
                return fail("-ar: sample rate in Hz expected, such as 44100");
        } else if (arg == "-ac") {
            if (!value(v) || !(o.channels = positive(v, 2)))
                return fail("-ac: channel count must be 1 or 2");
        } else if (arg == "-threads") {
            std::optional<int> n;
            if (!value(v) || (v != "auto" && !(n = positive(v, 64))))
                return fail("-threads: a count from 1 to 64, or auto, expected");
            o.threads = n.value_or(0);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail(arg + ": unknown option (see --help)");
        } else if (o.output.empty()) {
            o.output = arg;
        } else {
            return fail(arg + ": only one output file may be named");
        }
    }
    if (o.help || o.version)
        return result;
    if (o.input.empty())
        return fail("no input file (-i INPUT)");
    if (o.output.empty())
        return fail("no output file");
    return result;
}
