#!/usr/bin/env python3
"""Times conv against lame and ffmpeg on WAVs it makes with sox.

Usage: bench/conv_bench.py [--runs N] [--quick]
Prints median wall times, the ratios conv/lame (with lame's default
ReplayGain analysis and with --noreplaygain) and conv/ffmpeg, conv's
realtime factor and peak memory, and the start-up cost on a 0.1 s file.
Runs are interleaved, so a busy moment hurts every tool alike.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CONV = os.path.join(ROOT, "build", "app", "data", "conv")

SETTINGS = [("128k", 44100, 2), ("320k", 48000, 2), ("32k", 8000, 1)]


def make_inputs(folder, quick):
    recipes = [
        ("60 s 16-bit 44.1k", "s60.wav", ["-r", "44100", "-c", "2", "-b", "16"], 60),
        ("60 s 24-bit 44.1k", "s24.wav", ["-r", "44100", "-c", "2", "-b", "24"], 60),
        ("60 s float 96k", "f96.wav", ["-r", "96000", "-c", "2", "-e", "floating-point", "-b", "32"], 60),
    ]
    if not quick:
        recipes.insert(1, ("10 min 16-bit 44.1k", "s600.wav", ["-r", "44100", "-c", "2", "-b", "16"], 600))
    inputs = []
    for label, name, fmt, seconds in recipes:
        path = os.path.join(folder, name)
        subprocess.run(["sox", "-n", *fmt, path, "synth", str(seconds), "pinknoise", "vol", "0.5"], check=True)
        inputs.append((label, path, seconds))
    return inputs


def timed(command):
    """Wall seconds and peak resident memory (KiB) of one run."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit("failed: " + " ".join(command))
    return elapsed, usage.ru_maxrss


def commands(source, out, bitrate, rate, channels):
    kbps = bitrate.rstrip("k")
    mode = "m" if channels == 1 else "j"
    lame = ["lame", "--quiet", "-b", kbps, "-m", mode, "--resample", str(rate / 1000), source, out]
    return {
        "conv": [CONV, "-i", source, "-y", "-ab", bitrate, "-ar", str(rate), "-ac", str(channels), out],
        "lame": lame,
        "lame-norg": lame[:2] + ["--noreplaygain"] + lame[2:],
        "ffmpeg": ["ffmpeg", "-nostdin", "-v", "error", "-i", source, "-y", "-ab", bitrate, "-ar", str(rate),
                   "-ac", str(channels), out],
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--quick", action="store_true", help="leave out the 10-minute file")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        inputs = make_inputs(folder, args.quick)
        out = os.path.join(folder, "out.mp3")
        print(f"{'input':22} {'setting':16} {'conv s':>7} {'lame s':>7} {'norg s':>7} {'ffmpeg s':>8} "
              f"{'c/lame':>7} {'c/norg':>7} {'c/ffm':>6} {'x real':>7} {'conv MB':>8}")
        for label, source, seconds in inputs:
            for bitrate, rate, channels in SETTINGS:
                tools = commands(source, out, bitrate, rate, channels)
                times = {name: [] for name in tools}
                memory = []
                for _ in range(args.runs):
                    for name, command in tools.items():
                        elapsed, peak = timed(command)
                        times[name].append(elapsed)
                        if name == "conv":
                            memory.append(peak)
                m = {name: statistics.median(values) for name, values in times.items()}
                setting = f"{bitrate}/{rate}/{channels}ch"
                print(f"{label:22} {setting:16} {m['conv']:7.3f} {m['lame']:7.3f} {m['lame-norg']:7.3f} "
                      f"{m['ffmpeg']:8.3f} {m['conv'] / m['lame']:7.3f} {m['conv'] / m['lame-norg']:7.3f} "
                      f"{m['conv'] / m['ffmpeg']:6.3f} {seconds / m['conv']:7.1f} {max(memory) / 1024:8.1f}")

        tiny = os.path.join(folder, "tiny.wav")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", tiny, "synth", "0.1", "sine", "440"],
                       check=True)
        start_up = {name: [] for name in ("conv", "lame", "ffmpeg")}
        for _ in range(max(args.runs, 10)):
            tools = commands(tiny, out, "128k", 44100, 2)
            for name in start_up:
                start_up[name].append(timed(tools[name])[0])
        print("start-up on a 0.1 s file (median ms): " + ", ".join(
            f"{name} {statistics.median(v) * 1000:.1f}" for name, v in start_up.items()))


if __name__ == "__main__":
    main()
