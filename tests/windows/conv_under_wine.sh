#!/usr/bin/env bash
# conv.exe, the Windows build of the encoder, run for real under Wine in a
# private prefix: conversions (a Unicode name with blanks, several threads,
# FLAC, Ogg Vorbis, Opus and MP3 inputs), its errors, and what it leaves
# behind, killed too. Inputs are made and outputs read with the Linux tools
# (sox, ffmpeg, mpg123). Usage: conv_under_wine.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
conv=$build/app/data/conv.exe
source "$(dirname "$0")/under_wine.sh"
run() { wine_run "$conv" "$@" >"$work/out.txt" 2>"$work/err.txt"; }
# conv with short parts: run_parts PART_FRAMES WARMUP_FRAMES ARGUMENTS... (0: as planned)
run_parts() { wine_run "$build/tests/conv_parts.exe" "$@" >"$work/out.txt" 2>"$work/err.txt"; }

mkdir -p "$work/My Music"
song="$work/My Music/Šťastný song ñ.wav"
sox -n -R -r 44100 -c 2 -b 16 "$song" synth 3 pinknoise sine 300-3000 vol 0.5
sox -n -R -r 44100 -c 2 -b 16 "$work/long.wav" synth 12 pinknoise sine 200-4000 vol 0.5

run --help
check "help on standard output, status 0" grep -q "Usage: conv" "$work/out.txt"

run -i "$(win "$song")" -ab 192k "$(win "$work/My Music/Šťastný song ñ.mp3")"
check "a Unicode name with blanks converts" test -s "$work/My Music/Šťastný song ñ.mp3"
check "every sample, gapless" test "$(samples "$work/My Music/Šťastný song ñ.mp3" 2)" = 132300
check "no temporary file left" test -z "$(find "$work" -name '*.conv-*')"

# Parts of 100 frames: each resampled by its own worker.
for threads in 1 2; do
  run_parts 100 0 -i "$(win "$work/long.wav")" -threads $threads -ar 22050 -ac 1 "$(win "$work/long-$threads.mp3")"
done
check "two threads: the samples of one" test "$(samples "$work/long-2.mp3" 1)" = "$(samples "$work/long-1.mp3" 1)"
check "two threads: 12 s at 22050 Hz" test "$(samples "$work/long-2.mp3" 1)" = 264600
run_parts 4 0 -i "$(win "$work/long.wav")" -threads 3 -y "$(win "$work/many.mp3")"
check "many joins decode whole" test "$(samples "$work/many.mp3" 2)" = 529200

# Dense noise at 320k after a short warm-up leaves a join no room: the file
# is encoded again on one thread, byte for byte. (Which join fails depends on
# the very samples and on the floating point of the build.)
sox -n -R -r 48000 -c 2 -b 16 "$work/dense.wav" synth 6 whitenoise vol 0.9 2>/dev/null
for threads in 1 2; do
  run_parts 2 6 -i "$(win "$work/dense.wav")" -y -ab 320k -ar 44100 -threads $threads "$(win "$work/dense-$threads.mp3")"
done
check "no room for a join: one thread's bytes" cmp -s "$work/dense-1.mp3" "$work/dense-2.mp3"

cp "$work/long-1.mp3" "$work/kept.mp3"
if run -i "$(win "$song")" "$(win "$work/kept.mp3")"; then status=0; else status=$?; fi
check "an existing output: status 1" test "$status" = 1
check "... and it is kept" cmp -s "$work/long-1.mp3" "$work/kept.mp3"
check "... one line naming it" grep -q "^conv: .*kept.mp3: already exists" "$work/err.txt"
run -i "$(win "$song")" -y "$(win "$work/kept.mp3")"
check "-y replaces it" test "$(samples "$work/kept.mp3" 2)" = 132300

# The formats the Linux conv reads, read here too: one second each.
for format in flac:flac ogg:libvorbis opus:libopus mp3:libmp3lame; do
  ffmpeg -v error -f lavfi -i sine=frequency=440:duration=1:sample_rate=48000 -ac 2 -c:a "${format#*:}" \
    "$work/in.${format%%:*}"
  run -i "$(win "$work/in.${format%%:*}")" -ar 48000 "$(win "$work/from-${format%%:*}.mp3")" || true
  check "${format%%:*} input converts" awk -v n="$(samples "$work/from-${format%%:*}.mp3" 2)" \
    'BEGIN { exit !(n > 46000 && n < 50000) }'
done

# The input as its own output, named in other letters: refused, kept.
cp "$song" "$work/same.wav"
if run -i "$(win "$work/same.wav")" -y "$(win "$work/SAME.WAV")"; then status=0; else status=$?; fi
check "the input as output: status 1" test "$status" = 1
check "... the reason" grep -q "^conv: .*SAME.WAV: is the input file" "$work/err.txt"
check "... and the input kept" cmp -s "$song" "$work/same.wav"

# Killed as Windows kills (taskkill /f): its partial MP3 goes with it.
sox -n -r 44100 -c 2 -b 16 "$work/huge.wav" synth 900 sine 440 vol 0.5
(wine_run "$conv" -i "$(win "$work/huge.wav")" -threads 1 "$(win "$work/huge.mp3")" >/dev/null 2>&1 &)
partial() { [[ -n "$(find "$work" -name '.huge.mp3.conv-*')" ]]; }
check "conv writes a partial file" eventually partial
wine_run taskkill /f /im conv.exe >/dev/null 2>&1 || true
gone() { ! ours 'conv\.exe' && ! partial; }
check "killed, it leaves no partial file" eventually gone
check "... and no MP3" test ! -e "$work/huge.mp3"

if run -i "$(win "$work/missing.wav")" "$(win "$work/x.mp3")"; then status=0; else status=$?; fi
check "a missing input: status 1, named" test "$status" = 1
check "... on standard error" grep -q "^conv: .*missing.wav: " "$work/err.txt"
if run -i "$(win "$work/My Music")" "$(win "$work/x.mp3")"; then status=0; else status=$?; fi
check "a folder as input is refused" grep -q "is a folder" "$work/err.txt"
printf 'RIFF\x24\x00\x00\x00WAVEjunk' > "$work/bad.wav"
if run -i "$(win "$work/bad.wav")" "$(win "$work/bad.mp3")"; then status=0; else status=$?; fi
check "a broken WAV fails and leaves nothing" test "$status" = 1 -a ! -e "$work/bad.mp3"
check "no temporary file left at all" test -z "$(find "$work" -name '*.conv-*')"

finish
