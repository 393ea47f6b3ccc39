#!/usr/bin/env bash
# Tolvik on Wayland, for real: a headless weston started here (pixman
# renderer, --debug for its screenshooter) runs the program natively with no
# X display, at 100, 150 and 200 %; a screenshot shows the window drawn and
# not one pixel of the colour key, and the program keeps running. With an X
# display beside the Wayland one (XWayland), the program goes to X; on that
# X display with a compositing manager (xcompmgr), the same count at 100,
# 150 and 200 %. Usage:
#   program_under_weston.sh BUILD_DIR SKIN_PIXELS   (needs weston, qt6-wayland, DISPLAY)
set -euo pipefail
build=$(cd "$1" && pwd)
skin_pixels=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
source "$here/tests/helpers/checks.sh"

export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir -p "$HOME" "$work/shots"
export PATH="$here/tests/helpers/stand-in:$PATH"
x_display=${DISPLAY:-}
shot() { # the newest screenshot's counts
  (cd "$work/shots" && rm -f ./*.png && timeout 10 weston-screenshooter >/dev/null 2>&1)
  count_skin "$(ls "$work"/shots/*.png)"
}
drawn() { shot && (( $(figure skin) > 1000 )); }
# Wayland only: the program runs natively, on an output at 200 %, and on
# one at 100 % with Qt's own scaling at 150 % and without (that weston is
# kept for what follows).
native() { # LABEL [VARIABLE=VALUE...]: the program drawn, with no key colour
  local label=$1
  shift
  env -u DISPLAY "$@" "$build/app/tolvik" >"$work/tolvik-$label.log" 2>&1 &
  tolvik=$!
  pids+=($tolvik)
  check "the window is drawn on Wayland ($label)" eventually drawn
  # Counted once the window has settled, not in its first frames: the
  # key colour must be gone by then, and stay gone.
  settled() { shot && [[ $(figure key) == 0 ]]; }
  eventually settled || true
  shot
  key=$(figure key)
  check "... with no pixel of the colour key ($key seen)" test "$key" = 0
  check "... and the program keeps running" kill -0 "$tolvik"
  kill "$tolvik"; wait "$tolvik" 2>/dev/null || true
}
for scale in 2 1; do
  weston --backend=headless-backend.so --use-pixman --socket=tolvik-wayland-$scale --width=800 --height=600 \
    --scale=$scale --debug --idle-time=0 >"$work/weston-$scale.log" 2>&1 &
  weston=$!
  pids+=($weston)
  check "weston runs (scale $scale)" eventually test -S "$XDG_RUNTIME_DIR/tolvik-wayland-$scale"
  export WAYLAND_DISPLAY=tolvik-wayland-$scale
  if [[ $scale == 2 ]]; then
    native "output at 200 %"
    kill "$weston"; wait "$weston" 2>/dev/null || true
  else
    native "Qt at 150 %" QT_SCALE_FACTOR=1.5
    native "100 %"
  fi
done

# Wayland with an X server beside it: the X one, where it can stay on top.
if [[ -n $x_display ]]; then
  DISPLAY=$x_display "$build/app/tolvik" >"$work/tolvik-x.log" 2>&1 &
  xwayland=$!
  pids+=($xwayland)
  on_x() { DISPLAY=$x_display xdotool search --pid "$1" --name '^Tolvik$' >/dev/null 2>&1; }
  check "with XWayland beside it, the window goes to X" eventually on_x $xwayland
  kill $xwayland 2>/dev/null || true
  wait $xwayland 2>/dev/null || true # gone before the next one starts
fi
# X11 with a compositing manager, at 100, 150 and 200 %: the window's shape
# still leaves no key colour on the screen.
if [[ -n $x_display ]]; then
  DISPLAY=$x_display xcompmgr >"$work/xcompmgr.log" 2>&1 &
  pids+=($!)
  for factor in 1 1.5 2; do
    env -u WAYLAND_DISPLAY DISPLAY=$x_display QT_SCALE_FACTOR=$factor "$build/app/tolvik" \
      >"$work/tolvik-x11-$factor.log" 2>&1 &
    x11=$!
    pids+=($x11)
    check "on X11 with a compositing manager at $factor, the window appears" eventually on_x $x11
    composed() { grab_x "$x_display" "$work/x11.png" && count_skin "$work/x11.png" && [[ $(figure key) == 0 && $(figure skin) -gt 1000 ]]; }
    eventually composed || true
    key=$(figure key)
    check "... drawn, with no pixel of the colour key ($key seen)" test "$key" = 0 -a "$(figure skin)" -gt 1000
    kill $x11; wait $x11 2>/dev/null || true
  done
fi
finish
