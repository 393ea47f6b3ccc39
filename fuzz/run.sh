#!/usr/bin/env bash
# Builds the conv fuzzer and runs it for SECONDS (default 60) on seeds made
# with sox, then replays every kept regression input.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
if [[ ! -f build-fuzz/build.ninja ]]; then
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build-fuzz

seeds=build-fuzz/seeds
mkdir -p "$seeds" build-fuzz/corpus
if [[ -z "$(ls -A "$seeds")" ]]; then
  sox -n -r 8000 -c 1 -b 16 "$seeds/mono16.wav" synth 0.05 sine 440
  sox -n -r 44100 -c 2 -b 24 "$seeds/stereo24.wav" synth 0.02 sine 440
  sox -n -r 22050 -c 2 -e floating-point -b 32 "$seeds/float.wav" synth 0.02 sine 440
  sox -n -r 11025 -c 1 -e ima-adpcm -b 4 "$seeds/adpcm.wav" synth 0.05 sine 440
  sox -n -r 16000 -c 6 -b 16 "$seeds/six.wav" synth 0.01 sine 440
  sox -n -r 48000 -c 2 -b 16 -t w64 "$seeds/wave64.w64" synth 0.01 sine 440
  sox -n -r 32000 -c 1 -b 8 -e unsigned "$seeds/u8.wav" synth 0.05 sine 440
  sox -n -r 8000 -c 2 -b 16 "$seeds/both.aiff" synth 0.02 sine 440
  sox -n -r 8000 -c 1 -b 16 "$seeds/apple.caf" synth 0.02 sine 440
  sox -n -r 8000 -c 1 -b 16 "$seeds/sun.au" synth 0.02 sine 440
  sox -n -r 8000 -c 1 -b 16 -t wav - synth 0.02 sine 440 > "$seeds/stream.wav"
fi
# Regressions are kept as hex text; turn them back into bytes.
regressions=build-fuzz/regressions
mkdir -p "$regressions"
for hex in fuzz/regressions/*.hex; do
  [[ -e "$hex" ]] || continue
  xxd -r -p "$hex" > "$regressions/$(basename "$hex" .hex)"
done
if [[ -n "$(ls -A "$regressions")" ]]; then
  build-fuzz/conv_fuzzer "$regressions"/*
fi
build-fuzz/conv_fuzzer -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/ build-fuzz/corpus "$seeds"
