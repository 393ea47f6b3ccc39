#!/usr/bin/env python3
"""Times conv on all cores against conv on one thread and against lame.

Usage: bench/conv_threads.py [--runs N] [--quick]
For a 60 s and a 10 min 44.1 kHz stereo file at 128k and 320k: median
wall times of `conv -threads auto`, `conv -threads 1` and
`lame --noreplaygain`, the ratios auto/1 in wall and in CPU time (user +
system, all threads), auto/lame, and conv's peak memory (measured by GNU
time, so the figure is conv's own). Runs are interleaved.
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


def timed(command):
    """Wall seconds, CPU seconds and peak resident memory (KiB) of one run."""
    start = time.perf_counter()
    result = subprocess.run(["/usr/bin/time", "-f", "%U %S %M", *command], stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit("failed: " + " ".join(command) + "\n" + result.stderr)
    user, system, peak = result.stderr.strip().splitlines()[-1].split()
    return elapsed, float(user) + float(system), int(peak)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--quick", action="store_true", help="leave out the 10-minute file")
    args = parser.parse_args()
    print(f"cores online: {os.cpu_count()}")
    print(f"{'input':8} {'bit rate':8} {'auto s':>7} {'1 s':>7} {'lame s':>7} {'auto/1':>7} "
          f"{'cpu a/1':>8} {'auto/lame':>9} {'1/lame':>7} {'auto MB':>8}")
    with tempfile.TemporaryDirectory() as folder:
        lengths = [("60 s", 60)] + ([] if args.quick else [("10 min", 600)])
        for label, seconds in lengths:
            source = os.path.join(folder, f"{seconds}.wav")
            subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", source, "synth", str(seconds),
                            "pinknoise", "vol", "0.5"], check=True)
            out = os.path.join(folder, "out.mp3")
            for bitrate in ("128k", "320k"):
                tools = {
                    "auto": [CONV, "-i", source, "-y", "-ab", bitrate, "-threads", "auto", out],
                    "one": [CONV, "-i", source, "-y", "-ab", bitrate, "-threads", "1", out],
                    "lame": ["lame", "--quiet", "--noreplaygain", "-b", bitrate.rstrip("k"), "-m", "j", source,
                             out],
                }
                wall = {name: [] for name in tools}
                cpu = {name: [] for name in tools}
                peak = []
                for _ in range(args.runs):
                    for name, command in tools.items():
                        elapsed, used, memory = timed(command)
                        wall[name].append(elapsed)
                        cpu[name].append(used)
                        if name == "auto":
                            peak.append(memory)
                w = {name: statistics.median(v) for name, v in wall.items()}
                c = {name: statistics.median(v) for name, v in cpu.items()}
                print(f"{label:8} {bitrate:8} {w['auto']:7.3f} {w['one']:7.3f} {w['lame']:7.3f} "
                      f"{w['auto'] / w['one']:7.3f} {c['auto'] / c['one']:8.3f} {w['auto'] / w['lame']:9.3f} "
                      f"{w['one'] / w['lame']:7.3f} {max(peak) / 1024:8.1f}")


if __name__ == "__main__":
    main()
