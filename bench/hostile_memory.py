#!/usr/bin/env python3
"""conv's peak memory on hostile inputs (target: under 20 MB each).

Usage: bench/hostile_memory.py
Makes each input, runs conv on it once and prints the exit status, the
wall time and the peak resident memory of that run.
"""
import os
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CONV = os.path.join(ROOT, "build", "app", "data", "conv")
LIMIT_KB = 20 * 1024


def pcm_wav(channels, rate, frames, claimed=None, tag=1, bits=16, payload=None):
    block = channels * bits // 8
    data = payload if payload is not None else bytes((i * 7) % 256 for i in range(frames * block))
    size = len(data) if claimed is None else claimed
    fmt = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits)
    return (b"RIFF" + struct.pack("<I", (36 + size) & 0xFFFFFFFF) + b"WAVEfmt " + struct.pack("<I", 16) + fmt
            + b"data" + struct.pack("<I", size) + data)


def corpus(folder):
    def write(name, data):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def sox(name, *args):
        path = os.path.join(folder, name)
        subprocess.run(["sox", "-n", *args[:-1], path, "synth", args[-1], "pinknoise"], check=True)
        return path

    nan = b"".join(struct.pack("<I", (0x7FC00000, 0x7F7FFFFF, 0xFF800000)[i % 3]) for i in range(48000))
    sparse = write("two-hours.wav", pcm_wav(1, 8000, 0, claimed=2 * 3600 * 8000 * 2))
    with open(sparse, "r+b") as f:
        f.truncate(44 + 2 * 3600 * 8000 * 2)
    half = sox("whole.w64", "-r", "44100", "-c", "2", "-b", "16", "-t", "w64", "5")
    with open(half, "rb") as f:
        whole = f.read()
    return [
        ("1 Hz mono, 6 KB, to 48000 Hz", write("r1-6k.wav", pcm_wav(1, 1, 3000)), ["-ar", "48000"]),
        ("1 Hz mono, 20 KB, to 8000 Hz", write("r1-20k.wav", pcm_wav(1, 1, 10000)), ["-ar", "8000"]),
        ("4 MHz mono to 8000 Hz", write("r4m.wav", pcm_wav(1, 4000000, 4000000)), ["-ar", "8000"]),
        ("64 channels", write("c64.wav", pcm_wav(64, 8000, 8000)), ["-ac", "2"]),
        ("NaN and huge floats", write("nan.wav", pcm_wav(1, 8000, 0, tag=3, bits=32, payload=nan)), []),
        ("streamed, data size 0", write("stream0.wav", pcm_wav(2, 44100, 441000, claimed=0)), []),
        ("streamed, all ones", write("stream1.wav", pcm_wav(2, 44100, 441000, claimed=0xFFFFFFFF)), []),
        ("claims 4 GB, holds 1 s", write("claims.wav", pcm_wav(2, 44100, 44100, claimed=0xFFFFFFF0)), []),
        ("truncated W64", write("half.w64", whole[: len(whole) // 2]), []),
        ("IMA ADPCM", sox("ima.wav", "-r", "22050", "-c", "1", "-e", "ima-adpcm", "-b", "4", "10"), []),
        ("two hours, sparse", sparse, ["-ab", "32k", "-ar", "8000"]),
        ("text named .wav", write("text.wav", b"just text\n"), []),
    ]


def main():
    with tempfile.TemporaryDirectory() as folder:
        rows = corpus(folder)
        out = os.path.join(folder, "out.mp3")
        print(f"{'input':34} {'exit':>4} {'seconds':>8} {'peak MB':>8}")
        worst = 0
        for label, path, extra in rows:
            # GNU time measures conv alone (a fork of this script would
            # count Python's own memory as the child's peak).
            start = time.monotonic()
            run = subprocess.run(["/usr/bin/time", "-f", "%M %x", CONV, "-i", path, "-y", *extra, out],
                                 stderr=subprocess.PIPE, text=True)
            seconds = time.monotonic() - start
            peak, code = run.stderr.strip().splitlines()[-1].split()[-2:]
            worst = max(worst, int(peak))
            print(f"{label:34} {code:>4} {seconds:8.2f} {int(peak) / 1024:8.1f}")
        print(f"largest peak {worst / 1024:.1f} MB (target under {LIMIT_KB // 1024} MB)")
        return 0 if worst < LIMIT_KB else 1


if __name__ == "__main__":
    sys.exit(main())
