#include "ConvProgram.h"

#include "AudioReader.h"
#include "ConvOptions.h"
#include "ConvSystem.h"
#include "Conversion.h"
#include "Mp3Rates.h"
#include "OutputFile.h"
#include "Version.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>
#include <string>

namespace {

// Follows "Usage: " and the name conv was started by.
constexpr const char *usage =
    " -i INPUT [-y] [-ab BITRATE] [-ar RATE] [-ac CHANNELS] [-threads N] OUTPUT\n"
    "Converts INPUT (WAV of any sample format, RF64, W64, AIFF, FLAC and the other\n"
    "formats libsndfile reads) to a constant-bit-rate MP3 file OUTPUT.\n"
    "\n"
    "  -i INPUT      the file to convert\n"
    "  -y            replace OUTPUT if it exists (without it, an existing OUTPUT\n"
    "                is an error)\n"
    "  -ab BITRATE   bit rate in kbit/s followed by k (128k), or in bit/s (128000);\n"
    "                default 128k\n"
    "  -ar RATE      sample rate in Hz; default: the input's\n"
    "  -ac CHANNELS  1 (mono) or 2 (joint stereo); default: the input's, at most 2\n"
    "  -threads N    encode on N threads (1 to 64), or auto: one per free core, at\n"
    "                most 8 (the default). A file of more than about 15 seconds\n"
    "                per thread (more below 22050 Hz) is then cut into one long\n"
    "                part per thread, encoded at once and joined into one\n"
    "                gapless stream, each join where the next part fits the bit\n"
    "                reservoir left to it (if none does, the frame before is\n"
    "                written at a higher bit rate); -threads 1: one run\n"
    "  -h, --help    show this help\n"
    "  --version     show the version\n"
    "\n"
    "MP3 has nine sample rates (8000, 11025, 12000, 16000, 22050, 24000, 32000,\n"
    "44100, 48000 Hz): another rate is written as the nearest of them (12050 as\n"
    "12000). Each rate allows its own bit rates (32-320 kbit/s from 32000 Hz up,\n"
    "8-160 from 16000 Hz, 8-64 below): another bit rate is written as the nearest\n"
    "allowed one. Such a change is reported in one line on standard error.\n"
    "\n"
    "Channels: mono is the average of all input channels. Stereo from mono puts\n"
    "the channel on both sides; from more than two channels, the first goes\n"
    "left, the second right, every further channel is shared equally by both\n"
    "sides, and each side is scaled so that the mix cannot clip.\n"
    "\n"
    "The output is written to a temporary file beside OUTPUT and renamed at the\n"
    "end, so it appears only when the conversion succeeded. Tags (a WAV's INFO,\n"
    "id3 and bext chunks, FLAC/Ogg/Opus comments and pictures, an MP3's ID3)\n"
    "are carried into an ID3v2.4 tag.\n"
    "Exit status: 0 on success, 1 on any error.\n";

// The name conv was started by ("tolvik-conv" where it is installed so),
// for its messages.
std::string programName = std::string(convcontract::programName);

std::string nameOf(std::string path)
{
    const auto slash = path.find_last_of("/\\");
    if (slash != std::string::npos)
        path.erase(0, slash + 1);
    if (path.size() > 4 && (path.ends_with(".exe") || path.ends_with(".EXE")))
        path.resize(path.size() - 4);
    return path.empty() ? std::string(convcontract::programName) : path;
}

int fail(const std::string &what, const std::string &why)
{
    std::fprintf(stderr, "%s\n", convcontract::errorLine(what, why, programName).c_str());
    return 1;
}

int threadCount(int asked, int earlierLook)
{
    if (asked > 0)
        return asked;
    return std::clamp(convsys::freeCores(earlierLook), 1, 8);
}

EncodeSettings settingsFor(const ConvOptions &options, const AudioReader &input, const PartTuning &tuning,
                           int earlierLook)
{
    const int askedRate = options.sampleRate.value_or(input.sampleRate());
    const int rate = nearestMp3SampleRate(askedRate);
    const int askedKbps = options.bitRateKbps.value_or(128);
    const int kbps = nearestMp3BitRate(askedKbps, rate);
    const int channels = options.channels.value_or(input.channels() >= 2 ? 2 : 1);

    std::string note;
    if (options.sampleRate && rate != askedRate)
        note += "sample rate " + std::to_string(askedRate) + " Hz written as " + std::to_string(rate) + " Hz";
    if (kbps != askedKbps) {
        // Say what was given: "-ab 1" is 1 bit/s, not 1 kbit/s.
        const std::string &given = options.bitRateText;
        const bool kilo = !given.empty() && (given.back() == 'k' || given.back() == 'K');
        const std::string asked = given.empty() ? std::to_string(askedKbps) + " kbit/s"
                                  : kilo        ? given.substr(0, given.size() - 1) + " kbit/s"
                                                : given + " bit/s";
        note += (note.empty() ? "" : ", ") + std::string("bit rate ") + asked + " written as "
                + std::to_string(kbps) + " kbit/s";
    }
    if (!note.empty())
        std::fprintf(stderr, "%s\n", convcontract::errorLine(options.output, note, programName).c_str());
    return {rate, channels, kbps, threadCount(options.threads, earlierLook), tuning.partFrames, tuning.warmUpFrames};
}

} // namespace

int runConv(const std::vector<std::string> &words, const PartTuning &tuning)
{
    if (!words.empty())
        programName = nameOf(words.front());
    std::vector<const char *> pointers;
    for (const std::string &word : words)
        pointers.push_back(word.c_str());
    const ParseResult parsed = parseConvOptions(static_cast<int>(pointers.size()), pointers.data());
    if (!parsed.error.empty())
        return fail({}, parsed.error);
    const ConvOptions &options = parsed.options;
    if (options.help) {
        std::printf("Usage: %s%s", programName.c_str(), usage);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", programName.c_str(), TOLVIK_VERSION);
        return 0;
    }

    // The machine's load, looked at once more when the input is open: two
    // looks that far apart tell a busy core without a wait.
    const int earlierLook = options.threads > 0 ? -1 : convsys::othersReadyToRun();
    AudioReader input;
    if (!input.open(options.input))
        return fail(options.input, input.error());

    // Replacing the input by its own MP3 would lose it, whatever -y says.
    if (input.isFile(options.output))
        return fail(options.output, "is the input file");
    if (!options.overwrite && convsys::exists(options.output))
        return fail(options.output, "already exists (use -y to replace it)");

    const EncodeSettings settings = settingsFor(options, input, tuning, earlierLook);
    OutputFile output;
    if (!output.create(options.output))
        return fail(options.output, output.error());

    Failure error;
    bool encoded = false;
    try {
        encoded = encodeStream(input, settings, output, error);
    } catch (const std::exception &e) {
        // Under a memory limit (ulimit -v): the file fails, nothing is left.
        error = {convcontract::Culprit::None, std::string("not enough memory to convert it (") + e.what() + ")"};
    }
    if (!encoded) {
        const std::string why = output.error().empty() ? error.why : output.error();
        output.abandon();
        return fail(error.culprit == convcontract::Culprit::Output ? options.output : options.input, why);
    }
    if (!output.commit(options.overwrite))
        return fail(options.output, output.error());
    return 0;
}
