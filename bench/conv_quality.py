#!/usr/bin/env python3
"""Compares the sound of conv on several threads with conv on one thread.

Usage: bench/conv_quality.py [--seconds S] [--window SECONDS] [--threads N]
For pink noise, a sine sweep, a dense synthetic mix and sharp bursts over
a quiet tone (44.1 kHz stereo)
at 128k and 320k: each output is decoded gaplessly by ffmpeg and compared
with the source in windows of one second. Prints how many windows of the
threaded output are more than 0.5 dB worse (signal-to-noise against the
source) than the one-thread output, and, as the level chance gives, how
many of a one-thread encoding of the source with its least significant bit
perturbed are; with the worst deficit of each. Then whether mp3check -e
and mp3val (when installed) pass the threaded file.
"""
import argparse
import os
import shutil
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CONV = os.path.join(ROOT, "build", "app", "data", "conv")
WINDOW_SNR = os.path.join(ROOT, "build", "bench", "window_snr")


def make_signals(folder, seconds):
    def sox(name, *effects, length=seconds):
        path = os.path.join(folder, name)
        subprocess.run(["sox", "-R", "-n", "-r", "44100", "-c", "2", "-b", "16", path, "synth", str(length),
                        *effects], check=True)
        return path
    pink = sox("pink.wav", "pinknoise", "vol", "0.5")
    sweep = sox("sweep.wav", "sine", "20-20000", "vol", "0.7")
    parts = [sox("m1.wav", "square", "110", "vol", "0.2"),
             sox("m2.wav", "sine", "300-3000", "tremolo", "7", "80", "vol", "0.3"),
             sox("m3.wav", "pluck", "220", "vol", "0.3", "repeat", str(seconds * 4 - 1), length=0.25),
             sox("m4.wav", "brownnoise", "vol", "0.2")]
    mix = os.path.join(folder, "mix.wav")
    subprocess.run(["sox", "-R", "-m", *parts, mix], check=True)
    # Sharp bursts over a quiet tone: frames that draw on the reservoir.
    bursts = sox("b1.wav", "whitenoise", "fade", "q", "0.002", "0.04", "0.035", "pad", "0", "0.29", "repeat",
                 str(int(seconds / 0.33)), length=0.04)
    tone = sox("b2.wav", "sine", "440", "sine", "660", "vol", "0.05")
    transients = os.path.join(folder, "transients.wav")
    subprocess.run(["sox", "-R", "-m", bursts, tone, transients, "trim", "0", str(seconds)], check=True)
    return [("pink noise", pink), ("sine sweep", sweep), ("dense mix", mix), ("transients", transients)]


def perturbed(folder, source, seconds):
    """The source with noise of about one least significant bit added."""
    noise = os.path.join(folder, "lsb.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", noise, "synth", str(seconds),
                    "whitenoise", "vol", "0.00004"], check=True)
    out = os.path.join(folder, "perturbed.wav")
    subprocess.run(["sox", "-R", "-m", "-v", "1", source, "-v", "1", noise, out], check=True)
    return out


def decoded(path):
    raw = path + ".f32"
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", path, "-f", "f32le", "-ac", "2", raw], check=True)
    return raw


def checker_verdicts(path):
    verdicts = []
    if shutil.which("mp3check"):
        run = subprocess.run(["mp3check", "-e", path], capture_output=True, text=True)
        switches = run.stdout.count("bitrate switching")
        verdicts.append("mp3check " + ("pass" if run.returncode == 0 else f"FAIL ({switches // 2} widened)"))
    if shutil.which("mp3val"):
        text = subprocess.run(["mp3val", path], capture_output=True, text=True).stdout
        # (A file without tags is no fault of the stream.)
        faults = [line for line in text.splitlines()
                  if line.startswith(("WARNING", "ERROR")) and "No supported tags" not in line]
        verdicts.append("mp3val " + ("pass" if not faults else "FAIL"))
    return ", ".join(verdicts) or "no checkers installed"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=int, default=120)
    parser.add_argument("--window", type=float, default=1.0)
    parser.add_argument("--threads", type=int, default=2, help="more parts, more joins")
    args = parser.parse_args()
    frames = str(int(44100 * args.window))
    print(f"windows of {args.window} s; worse: more than 0.5 dB below one thread")
    threads = f"{args.threads} threads"
    print(f"{'signal':11} {'rate':5} {'windows':>7} {threads:>9} {'worst dB':>8} {'chance':>7} {'worst dB':>8}  "
          f"checkers ({threads})")
    with tempfile.TemporaryDirectory() as folder:
        for label, source in make_signals(folder, args.seconds):
            shifted = perturbed(folder, source, args.seconds)
            for bitrate in ("128k", "320k"):
                outputs = {}
                for name, wav, threads in (("one", source, "1"), ("two", source, str(args.threads)), ("chance", shifted, "1")):
                    outputs[name] = os.path.join(folder, f"{name}.mp3")
                    subprocess.run([CONV, "-i", wav, "-y", "-ab", bitrate, "-threads", threads, outputs[name]],
                                   check=True)
                raws = {name: decoded(path) for name, path in outputs.items()}
                report = subprocess.run([WINDOW_SNR, "2", frames, decoded(source), raws["one"], raws["two"],
                                         decoded(shifted) + "," + raws["chance"]],
                                        capture_output=True, text=True, check=True).stdout
                rows = [line.split() for line in report.splitlines()]
                with open(outputs["one"], "rb") as one, open(outputs["two"], "rb") as two:
                    fallback = " (encoded again on one thread)" if one.read() == two.read() else ""
                two, chance = rows[0], rows[1]
                print(f"{label:11} {bitrate:5} {two[2]:>7} {two[4]:>9} {two[6]:>8} {chance[4]:>7} {chance[6]:>8}  "
                      f"{checker_verdicts(outputs['two'])}{fallback}", flush=True)


if __name__ == "__main__":
    main()
