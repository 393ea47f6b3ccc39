#!/usr/bin/env python3
"""Times conv on all cores against conv on one thread, lame and ffmpeg.

Usage: bench/conv_threads.py [--runs N] [--quick] [--signal mix|pink] [--only LABEL] [--music FOLDER]
The signal: a music-like mix (a square bass, a trembling sine sweep, plucked
notes, brown noise; the default) or pink noise, on which joins are slowest
to find a fit. Cases (44.1 kHz stereo, 128k): a 20-minute file, a 4-minute
track, the 4-minute track written at 22,050 Hz mono, a batch of ten
4-minute tracks one after the other (as the window runs them), and the
4-minute track with one core kept busy by other work, and 47 clips of
8 seconds one after the other (sound effects, samples, voice notes: the
common batch of a batch converter). For each: median wall
times of `conv -threads auto`, `conv -threads 1`, `lame` and `ffmpeg`, the
ratios auto/1 in wall and in CPU time (user + system, all threads) and
conv's peak memory (GNU time, in a run of its own, so the figure is conv's own). With --music,
every case is cut from the real music in a folder instead. Runs are
interleaved file by file: auto, 1, lame, ffmpeg, the pair, then the next file.
The limit: two `conv -threads 1` of the same files side by side against the
two one after the other (0.50 would be perfect on two cores; the rest is
the machine), so figures from different machines compare; a/1÷lim is how
far all cores fall short of it (targets: one file <= 1.06, clips <= 1.15).
Targets (2 cores, quiet machine): 20 min <= 0.52, 4 min <= 0.54, 22,050 mono
<= 0.54, ten tracks <= 0.55, CPU <= 1.03, one core busy <= 1.02, <= 30 MB;
47 clips of 8 s <= 0.60; pink noise (--signal pink), 2 min <= 0.56.
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


def spawn(command):
    """Starts a command with no pipes of ours, as directly as Python can."""
    devnull = os.open(os.devnull, os.O_RDWR)
    try:
        return os.posix_spawnp(command[0], command, os.environ, file_actions=[
            (os.POSIX_SPAWN_DUP2, devnull, 0), (os.POSIX_SPAWN_DUP2, devnull, 1), (os.POSIX_SPAWN_DUP2, devnull, 2)])
    finally:
        os.close(devnull)


def reap(pid, command):
    """The command's resource use, once it has ended (it must succeed)."""
    _, status, usage = os.wait4(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: " + " ".join(command))
    return usage


def timed(command):
    """Wall seconds and CPU seconds of a command. It is started and reaped
    directly (no wrapper such as GNU time, whose own start would count in
    every short run): its CPU time is the kernel's count."""
    start = time.perf_counter()
    usage = reap(spawn(command), command)
    return time.perf_counter() - start, usage.ru_utime + usage.ru_stime


def peak_memory(commands):
    """The largest peak memory (KiB) of the commands, each run once under GNU
    time (a child started straight from Python counts Python's own memory)."""
    peak = 0
    for command in commands:
        result = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if result.returncode != 0:
            sys.exit("failed: " + " ".join(command) + "\n" + result.stderr)
        peak = max(peak, int(result.stderr.strip().splitlines()[-1]))
    return peak


def side_by_side(command):
    """Wall seconds of a command run twice at once (the second writing beside the first's output)."""
    twin = command[:-1] + [command[-1] + ".twin.mp3"]
    start = time.perf_counter()
    runs = [(spawn(c), c) for c in (command, twin)]
    for pid, c in runs:
        reap(pid, c)
    return time.perf_counter() - start


def tools(sources, out, rate, channels):
    """Each tool's commands for the sources, in turn."""
    def each(make):
        return [make(source) for source in sources]
    settings = ["-ab", "128k", "-ar", str(rate), "-ac", str(channels)]
    lame_mode = ["-m", "m", "--resample", str(rate / 1000)] if channels == 1 else ["-m", "j"]
    return {
        "auto": each(lambda s: [CONV, "-i", s, "-y", *settings, "-threads", "auto", out]),
        "one": each(lambda s: [CONV, "-i", s, "-y", *settings, "-threads", "1", out]),
        "lame": each(lambda s: ["lame", "--quiet", "--noreplaygain", "-b", "128", *lame_mode, s, out]),
        "ffmpeg": each(lambda s: ["ffmpeg", "-nostdin", "-v", "error", "-i", s, "-y", *settings, out]),
    }


def music_seconds(path):
    return float(subprocess.run(["soxi", "-D", path], capture_output=True, text=True, check=True).stdout)


def decoded_music(source, folder):
    """The folder's audio files as one 44.1 kHz stereo WAV, repeated to at least 22 minutes."""
    parts = []
    for name in sorted(os.listdir(source)):
        part = os.path.join(folder, f"music{len(parts)}.wav")
        run = subprocess.run(["ffmpeg", "-nostdin", "-v", "error", "-i", os.path.join(source, name), "-vn", "-ar", "44100",
                              "-ac", "2", "-c:a", "pcm_s16le", "-y", part], capture_output=True)
        if run.returncode == 0:
            parts.append(part)
    if not parts:
        sys.exit(f"no audio file in {source}")
    joined = os.path.join(folder, "music-joined.wav")
    subprocess.run(["sox", *parts, joined], check=True)
    for part in parts:
        os.remove(part)
    music = os.path.join(folder, "music.wav")
    rounds = int(1320 // music_seconds(joined))
    subprocess.run(["sox", joined, music, "repeat", str(rounds)], check=True)
    os.remove(joined)
    return music


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--quick", action="store_true", help="leave out the 20-minute file and the batch")
    parser.add_argument("--signal", choices=["mix", "pink"], default="mix")
    parser.add_argument("--only", help="the cases whose label starts with this")
    parser.add_argument("--music", metavar="FOLDER",
                        help="real music instead of the signal: the audio files in FOLDER (any format ffmpeg reads), "
                             "end to end; the cases are cut from them")
    args = parser.parse_args()
    print(f"cores online: {os.cpu_count()}, signal: {args.music or args.signal}")
    print(f"{'case':22} {'auto s':>7} {'1 s':>7} {'lame s':>7} {'ffmpeg s':>8} {'auto/1':>7} {'cpu a/1':>8} "
          f"{'auto MB':>8} {'limit':>6} {'a/1÷lim':>8}")
    with tempfile.TemporaryDirectory() as folder:
        def synth(path, seconds, *effects):
            subprocess.run(["sox", "-R", "-n", "-r", "44100", "-c", "2", "-b", "16", path, "synth", str(seconds),
                            *effects], check=True)
            return path

        music = args.music and decoded_music(args.music, folder)
        cut_at = [0.0]

        def wav(name, seconds):
            path = os.path.join(folder, name)
            if music:
                # Each case from a later place of the music, round again when it ends.
                subprocess.run(["sox", music, path, "trim", str(cut_at[0]), str(seconds)], check=True)
                cut_at[0] = (cut_at[0] + seconds) % max(1.0, music_seconds(music) - 1300)
                return path
            if args.signal == "pink":
                return synth(path, seconds, "pinknoise", "vol", "0.5")
            parts = [synth(path + ".1.wav", seconds, "square", "110", "vol", "0.2"),
                     synth(path + ".2.wav", seconds, "sine", "300-3000", "tremolo", "7", "80", "vol", "0.3"),
                     synth(path + ".3.wav", 0.25, "pluck", "220", "vol", "0.3", "repeat", str(seconds * 4 - 1)),
                     synth(path + ".4.wav", seconds, "brownnoise", "vol", "0.2")]
            subprocess.run(["sox", "-R", "-m", *parts, path], check=True)
            for part in parts:
                os.remove(part)
            return path
        track = wav("track.wav", 240)
        out = os.path.join(folder, "out.mp3")
        clips = [wav(f"clip{i}.wav", 8) for i in range(47)]
        cases = [("4 min", [track], 44100, 2, False), ("4 min to 22,050 mono", [track], 22050, 1, False),
                 ("4 min, one core busy", [track], 44100, 2, True), ("47 clips of 8 s", clips, 44100, 2, False),
                 ("2 min", [wav("two.wav", 120)], 44100, 2, False)]
        if not args.quick:
            batch = [track] + [wav(f"track{i}.wav", 240) for i in range(1, 10)]
            cases = [("20 min", [wav("long.wav", 1200)], 44100, 2, False)] + cases + \
                    [("ten 4-min tracks", batch, 44100, 2, False)]
        cases = [case for case in cases if not args.only or case[0].startswith(args.only)]
        for label, sources, rate, channels, busy in cases:
            hog = subprocess.Popen(["sh", "-c", "while :; do :; done"]) if busy else None
            try:
                commands = tools(sources, out, rate, channels)
                wall = {name: [] for name in commands}
                cpu = {name: [] for name in commands}
                pair = []
                for _ in range(args.runs):
                    for figures in (wall, cpu):
                        for name in commands:
                            figures[name].append(0.0)
                    together = 0.0
                    # File by file, every tool in turn: a machine that slows
                    # down for a while slows all of them alike.
                    for index in range(len(sources)):
                        for name, command in commands.items():
                            elapsed, used = timed(command[index])
                            wall[name][-1] += elapsed
                            cpu[name][-1] += used
                        # The machine's limit: two one-thread encodes side by
                        # side against the two one after the other.
                        together += side_by_side(commands["one"][index])
                    pair.append(together / (2 * wall["one"][-1]))
                peak = peak_memory(commands["auto"])
            finally:
                if hog:
                    hog.kill()
                    hog.wait()
            w = {name: statistics.median(v) for name, v in wall.items()}
            ratio = statistics.median(a / o for a, o in zip(wall["auto"], wall["one"]))
            cpu_ratio = statistics.median(a / o for a, o in zip(cpu["auto"], cpu["one"]))
            limit = statistics.median(pair)
            print(f"{label:22} {w['auto']:7.3f} {w['one']:7.3f} {w['lame']:7.3f} {w['ffmpeg']:8.3f} {ratio:7.3f} "
                  f"{cpu_ratio:8.3f} {peak / 1024:8.1f} {limit:6.3f} {ratio / limit:8.3f}", flush=True)


if __name__ == "__main__":
    main()
