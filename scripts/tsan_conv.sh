#!/usr/bin/env bash
# Builds conv (as the tests run it, with parts of a chosen length) and the
# batch's suites with ThreadSanitizer into build-tsan/ and runs conv's
# threaded path: parts of 150 frames (joins found by sliding), parts of a
# few frames (many joins, resampled, at every MPEG version), and the case
# that falls back to one thread; then the batch's suites.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ! -f build-tsan/build.ninja ]]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
fi
cmake --build build-tsan --target conv_parts test_batch_stress test_batch_alone
# "build": only that (the test command builds beside the sanitized suite).
[[ "${1:-}" == build ]] && exit 0
conv_parts=build-tsan/tests/conv_parts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -n -R -r 44100 -c 2 -b 16 "$work/music.wav" synth 12 pinknoise sine 200-4000 vol 0.5
sox -n -R -r 48000 -c 2 -b 16 "$work/dense.wav" synth 5 whitenoise vol 0.9
export TSAN_OPTIONS="halt_on_error=1 exitcode=66"
runs=0
# run PART_FRAMES WARMUP_FRAMES ARGUMENTS... (0: as conv plans it)
run() { "$conv_parts" "$1" "$2" -y -threads 4 "${@:3}" "$work/out.mp3"; runs=$((runs + 1)); }
run 150 0 -i "$work/music.wav"
for rate in 44100 22050 8000; do
  run 4 0 -i "$work/music.wav" -ar "$rate" -ab 64k
done
run 2 6 -i "$work/dense.wav" -ar 44100 -ab 320k
echo "ThreadSanitizer: $runs threaded conv runs, no report"

# The batch's threads (copies, listings, stores, two encoders side by side)
# through the stress test and the batch without a window.
export QT_QPA_PLATFORM=offscreen PATH="$PWD/tests/helpers/stand-in:$PATH"
# die_after_fork=0: a child made to run a program (the sox and ffprobe the
# tests start through QProcess) is not told off for the threads of its
# parent; it runs nothing of ours before its exec.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 die_after_fork=0 suppressions=$PWD/tests/tsan.supp"
for suite in test_batch_alone test_batch_stress; do
  runtime=$(mktemp -d)
  XDG_RUNTIME_DIR=$runtime TOLVIK_STRESS_ROUNDS=6 build-tsan/tests/$suite >"$work/$suite.log" 2>&1 || {
    echo "tsan: $suite failed:" >&2
    grep -v '^QDEBUG\|^ALSA' "$work/$suite.log" | tail -n 120 >&2
    exit 1
  }
  rm -rf "$runtime"
done
echo "ThreadSanitizer: the batch's suites, no report"
