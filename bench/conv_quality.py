#!/usr/bin/env python3
"""Compares the sound of conv on all cores with conv on one thread.

Usage: bench/conv_quality.py [--seconds S]
For pink noise, a sine sweep and a dense synthetic mix (44.1 kHz stereo)
at 128k and 320k: each output is decoded gaplessly by ffmpeg and compared
with the source frame by frame (1152 samples). Prints the median
signal-to-noise ratio of the one-thread and the parallel output, the
parallel output's median over the frames at its joins (two frames either
side), and the largest error sample at the joins and elsewhere.
"""
import argparse
import array
import math
import os
import statistics
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CONV = os.path.join(ROOT, "build", "app", "data", "conv")
N = 1152  # samples per frame
DELAY = 576  # LAME's encoder delay: frame k starts at k*N - DELAY


def make_signals(folder, seconds):
    def sox(name, *effects, length=seconds):
        path = os.path.join(folder, name)
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", path, "synth", str(length), *effects],
                       check=True)
        return path
    pink = sox("pink.wav", "pinknoise", "vol", "0.5")
    sweep = sox("sweep.wav", "sine", "20-20000", "vol", "0.7")
    parts = [sox("m1.wav", "square", "110", "vol", "0.2"),
             sox("m2.wav", "sine", "300-3000", "tremolo", "7", "80", "vol", "0.3"),
             sox("m3.wav", "pluck", "220", "vol", "0.3", "repeat", str(seconds * 4 - 1), length=0.25),
             sox("m4.wav", "brownnoise", "vol", "0.2")]
    mix = os.path.join(folder, "mix.wav")
    subprocess.run(["sox", "-m", *parts, mix], check=True)
    return [("pink noise", pink), ("sine sweep", sweep), ("dense mix", mix)]


def samples(path):
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "f32le", "-ac", "2", "-"],
                         capture_output=True, check=True).stdout
    return array.array("f", raw)


def segment_frames(frames, threads, channels=2):
    """The piece length conv chooses (as ParallelEncoder::segmentFrames)."""
    affordable = (24 << 20) // ((threads + 2) * N * channels * 4) - 6 - 2
    return max(96, min(320, min(frames // (threads * 4), affordable)))


def per_frame(source, decoded):
    """Per frame: SNR in dB (None for silence) and the largest error sample."""
    result = []
    for start in range(0, len(source) - 2 * N + 1, 2 * N):
        signal = noise = peak = 0.0
        for s, d in zip(source[start:start + 2 * N], decoded[start:start + 2 * N]):
            signal += s * s
            e = d - s
            noise += e * e
            peak = max(peak, abs(e))
        snr = None if signal == 0 else (200.0 if noise == 0 else 10 * math.log10(signal / noise))
        result.append((snr, peak))
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=int, default=30)
    args = parser.parse_args()
    threads = min(8, os.cpu_count() or 1)
    print(f"threads: {threads}; SNR in dB per frame, against the source")
    print(f"{'signal':11} {'rate':5} {'1: median':>9} {'auto':>7} {'diff':>6} {'joins':>7} {'j-all':>6} "
          f"{'peak err joins':>14} {'elsewhere':>9}")
    with tempfile.TemporaryDirectory() as folder:
        for label, source_path in make_signals(folder, args.seconds):
            source = samples(source_path)
            total_frames = len(source) // 2 // N
            length = segment_frames(total_frames, threads)
            joins = set()
            for k0 in range(length, total_frames, length):
                first = (k0 * N - DELAY) // N  # the source frame where the join falls
                joins.update(range(first - 2, first + 3))
            for bitrate in ("128k", "320k"):
                results = {}
                for name, count in (("one", "1"), ("auto", "auto")):
                    out = os.path.join(folder, f"{name}.mp3")
                    subprocess.run([CONV, "-i", source_path, "-y", "-ab", bitrate, "-threads", count, out],
                                   check=True)
                    decoded = samples(out)
                    if len(decoded) != len(source):
                        raise SystemExit(f"{label} {bitrate} {name}: {len(decoded)} samples, not {len(source)}")
                    results[name] = per_frame(source, decoded)
                one = statistics.median(s for s, _ in results["one"] if s is not None)
                auto = statistics.median(s for s, _ in results["auto"] if s is not None)
                at_joins = [results["auto"][i] for i in sorted(joins) if i < len(results["auto"])]
                joined = statistics.median(s for s, _ in at_joins if s is not None)
                peak_joins = max(p for _, p in at_joins)
                peak_else = max(p for i, (_, p) in enumerate(results["auto"]) if i not in joins)
                print(f"{label:11} {bitrate:5} {one:9.2f} {auto:7.2f} {auto - one:6.2f} {joined:7.2f} "
                      f"{joined - auto:6.2f} {peak_joins:14.4f} {peak_else:9.4f}")


if __name__ == "__main__":
    main()
