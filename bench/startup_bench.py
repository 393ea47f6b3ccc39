#!/usr/bin/env python3
"""Start-up time of the program to a shown window, and its idle memory.

Needs a display (the test command's Xvfb, or xvfb-run). Prints medians of
--runs starts.
"""
import argparse
import os
import statistics
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM = os.path.join(ROOT, "build", "app", "tolvik")


def window_shown(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "^Tolvik$"],
                           capture_output=True, text=True).stdout.strip()
    return bool(found)


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    starts, memory = [], []
    for _ in range(args.runs):
        with tempfile.TemporaryDirectory() as runtime:
            os.chmod(runtime, 0o700)
            env = dict(os.environ, XDG_RUNTIME_DIR=runtime, TMPDIR=runtime)
            begin = time.perf_counter()
            process = subprocess.Popen([PROGRAM], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            while not window_shown(process.pid):
                time.sleep(0.002)
            starts.append(time.perf_counter() - begin)
            time.sleep(1.0)
            memory.append(resident_kib(process.pid))
            process.kill()
            process.wait()
    print(f"program start-up to a shown window: median {statistics.median(starts) * 1000:.0f} ms; "
          f"idle memory: median {statistics.median(memory) / 1024:.1f} MiB resident")


if __name__ == "__main__":
    main()
