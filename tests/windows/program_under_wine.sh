#!/usr/bin/env bash
# tolvik.exe, the Windows program, run for real under Wine on the X server
# in DISPLAY: its window ("Tolvik", 395x219, shaped by the colour key), a
# file given on its command line and a file dragged from a Linux program
# (Wine turns the XDND drop into a Windows one) converted into the program
# folder's output folder.
# Usage: program_under_wine.sh BUILD_DIR DRAG_SOURCE (tests/helpers' program)
set -euo pipefail
build=$(cd "$1" && pwd)
drag_source=$(realpath "$2")
here=$(cd "$(dirname "$0")/../.." && pwd)
app=$build/app
work=$(mktemp -d)
export TOLVIK_WINEPREFIX=$build/wineprefix
# PlaySoundW needs a sound device: ALSA's default is a null one here.
export HOME=$work/home
mkdir -p "$HOME"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
program_pid=
source_pid=
cleanup() {
  [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null || true
  [[ -n "$source_pid" ]] && kill "$source_pid" 2>/dev/null || true
  WINEPREFIX=$TOLVIK_WINEPREFIX wineserver -k 2>/dev/null || true # our own prefix only
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
check() {
  if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
# Retries a condition for up to 20 s: the window comes, then its size and
# shape follow.
eventually() {
  for _ in $(seq 1 100); do "$@" && return 0; sleep 0.2; done
  return 1
}
samples() { mpg123 -q --gapless -e s16 -s "$1" 2>/dev/null | wc -c | awk -v c="$2" '{print $1 / 2 / c}'; }

song="$work/Dropped song é.wav"
sox -n -R -r 44100 -c 2 -b 16 "$song" synth 2 pinknoise vol 0.5
rm -f "$app/output/Dropped song é.mp3"
"$here/scripts/windows/wine-run.sh" "$app/tolvik.exe" "Z:${song//\//\\}" &
program_pid=$!

window=
find_window() { window=$(xdotool search --name '^Tolvik$' 2>/dev/null | head -n 1) && [[ -n "$window" ]]; }
geometry() { xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}'; }
sized() { [[ "$(geometry)" == 395x219 ]]; }
# The skin's pixels that are not the key colour span 386x213 from (6,3),
# as on Linux: outside them a click falls through.
shaped() { xwininfo -shape -id "$window" | grep -q 'Window shape extents: *386x213+6+3'; }
eventually find_window || true
check "a window named Tolvik" test -n "$window"
if [[ -n "$window" ]]; then
  check "395x219" eventually sized
  check "shaped by its colour key (the window region as an X shape)" eventually shaped
fi

converted() {
  local mp3="$app/output/$1.mp3"
  for _ in $(seq 1 300); do
    [[ -s "$mp3" ]] && break
    sleep 0.2
  done
  check "$1: converted into output" test -s "$mp3"
  check "$1: every sample" test "$(samples "$mp3" 2)" = 88200
  rm -f "$mp3"
}
converted "Dropped song é"

# A drag from a Linux program, dropped on the drop area (238,35 142x146).
dragged="$work/Dragged från Linux.wav"
sox -n -R -r 44100 -c 2 -b 16 "$dragged" synth 2 pinknoise vol 0.5
rm -f "$app/output/Dragged från Linux.mp3"
mkdir -m 700 "$work/run"
XDG_RUNTIME_DIR=$work/run "$drag_source" "$dragged" &
source_pid=$!
find_source() { xdotool search --onlyvisible --name '^DragSource$' >/dev/null 2>&1; }
eventually find_source || true
if [[ -n "$window" ]]; then
  read -r x y < <(xdotool getwindowgeometry "$window" | awk -F'[ ,]+' '/Position/ {print $3, $4}')
  tx=$((x + 238 + 71)) ty=$((y + 35 + 73))
  xdotool mousemove 40 40 mousedown 1
  for i in $(seq 1 20); do
    xdotool mousemove $((40 + (tx - 40) * i / 20)) $((40 + (ty - 40) * i / 20))
    sleep 0.03
  done
  xdotool mouseup 1
fi
converted "Dragged från Linux"
echo "$failures failed"
[[ $failures -eq 0 ]]
