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
app=$build/app
source "$(dirname "$0")/under_wine.sh"

song="$work/Dropped song é.wav"
sox -n -R -r 44100 -c 2 -b 16 "$song" synth 2 pinknoise vol 0.5
rm -f "$app/output/Dropped song é.mp3"
wine_run "$app/tolvik.exe" "$(win "$song")" &
pids+=($!)

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
pids+=($!)
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
finish
