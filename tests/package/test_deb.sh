#!/usr/bin/env bash
# Installs the .deb for real, converts a dropped WAV with the installed
# program under a fresh HOME, checks the menu entry, icons and encoder, then
# removes the package and finds none of its files left.
# Usage: test_deb.sh BUILD_DIR DRAG_SOURCE   (needs root and a display)
set -euo pipefail
build=$1
drag_source=$2
if [[ $(id -u) -ne 0 ]]; then
  echo "skipped: installing a package needs root"
  exit 77
fi
work=$(mktemp -d)
tolvik_pid=
server_pid=
cleanup() {
  [[ -n "$tolvik_pid" ]] && kill "$tolvik_pid" 2>/dev/null || true
  dpkg -s tolvik > /dev/null 2>&1 && apt-get remove -y tolvik > /dev/null 2>&1 || true
  [[ -n "$server_pid" ]] && kill "$server_pid" 2>/dev/null || true
  dpkg -s tolvik-feedback-server > /dev/null 2>&1 && apt-get remove -y tolvik-feedback-server > /dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/cpack" > /dev/null)
deb=$(ls "$work"/cpack/tolvik_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
mapfile -t owned < <(dpkg -L tolvik)

# Menu entry, icons, metadata and the encoder on the PATH.
desktop-file-validate /usr/share/applications/org.example.Tolvik.desktop || fail "desktop entry"
for size in 16 32 48 64 128 256; do
  [[ -f /usr/share/icons/hicolor/${size}x${size}/apps/tolvik.png ]] || fail "icon ${size}"
done
grep -q "<svg" /usr/share/icons/hicolor/scalable/apps/tolvik.svg || fail "scalable icon"
appstreamcli validate --no-net /usr/share/metainfo/org.example.Tolvik.metainfo.xml > /dev/null || fail "metainfo"
tolvik-conv --help | grep -q "Usage: tolvik-conv" || fail "tolvik-conv --help"
tolvik-conv --version | grep -q "^tolvik-conv " || fail "tolvik-conv --version"
[[ "$(readlink -f /usr/bin/tolvik)" == /usr/lib/tolvik/tolvik ]] || fail "/usr/bin/tolvik"
# The codec libraries the encoder opens only when an input needs them.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsndfile1 libsoxr0 libmpg123-0; do
  grep -qE "(^|, )$package( |,|$)" <<< "$depends" || fail "the package does not depend on $package: $depends"
done
# The encoder's own LAME, where the package has one and the processor takes it.
own_lame=/usr/lib/tolvik/data/lib/glibc-hwcaps/x86-64-v3/libmp3lame.so.0
if printf '%s\n' "${owned[@]}" | grep -qx "$own_lame" \
   && /lib64/ld-linux-x86-64.so.2 --help | grep -q "x86-64-v3 (supported"; then
  # (Read whole first: grep -q leaving early would end the loader's listing
  # with SIGPIPE, a failure under pipefail.)
  loaded=$(LD_TRACE_LOADED_OBJECTS=1 tolvik-conv)
  grep -q "=> $own_lame" <<< "$loaded" || fail "tolvik-conv does not load $own_lame"
fi

# The installed program under a fresh HOME: a dropped WAV lands in ~/Music/Tolvik.
home="$work/home"
mkdir -p "$home" "$work/run"
chmod 700 "$work/run"
sox -n -r 44100 -c 2 -b 16 "$work/Installed Song.wav" synth 0.5 sine 440
# The opener is a stand-in: the test never starts the desktop's file manager.
stand_in=$(cd "$(dirname "$0")/../helpers/stand-in" && pwd)
HOME="$home" XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME= XDG_CONFIG_HOME= PATH="$stand_in:/usr/bin:/bin" \
  /usr/bin/tolvik > "$work/tolvik.log" 2>&1 &
tolvik_pid=$!
window=
for _ in $(seq 50); do
  sleep 0.2
  window=$(xdotool search --onlyvisible --pid "$tolvik_pid" --name '^Tolvik$' 2>/dev/null | head -n 1) || true
  [[ -n "$window" ]] && break
done
[[ -n "$window" ]] || fail "no window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The drag begins once the source says its event loop runs, its window up.
"$drag_source" "$work/Installed Song.wav" > "$work/source.out" 2>/dev/null &
source_pid=$!
for _ in $(seq 100); do
  grep -qx ready "$work/source.out" && xdotool search --onlyvisible --name '^DragSource$' >/dev/null 2>&1 && break
  sleep 0.2
done
xdotool mousemove 40 40 mousedown 1
for step in $(seq 1 20); do
  xdotool mousemove $((40 + (X + 309 - 40) * step / 20)) $((40 + (Y + 108 - 40) * step / 20))
  sleep 0.05
done
xdotool mouseup 1
output="$home/Music/Tolvik/Installed Song.mp3"
for _ in $(seq 100); do
  [[ -s "$output" ]] && break
  sleep 0.2
done
kill "$source_pid" 2>/dev/null || true
[[ -s "$output" ]] || { cat "$work/tolvik.log"; fail "no MP3 in ~/Music/Tolvik"; }
kill "$tolvik_pid"
wait "$tolvik_pid" 2>/dev/null || true
tolvik_pid=

# Removed: nothing of the package is left.
DEBIAN_FRONTEND=noninteractive apt-get remove -y tolvik > /dev/null 2>&1 || fail "apt-get remove"
left=0
for path in "${owned[@]}"; do
  if [[ -e "$path" && ! -d "$path" ]] || [[ -L "$path" ]]; then
    echo "left behind: $path"
    left=1
  fi
done
[[ -d /usr/lib/tolvik ]] && { echo "left behind: /usr/lib/tolvik"; left=1; }
[[ $left -eq 0 ]] || fail "files left after removal"

# The feedback server's package: its unit installed but off; the installed
# server takes a message and lists it; removed, nothing of it is left.
server_deb=$(ls "$work"/cpack/tolvik-feedback-server_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y "$server_deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install the server"; }
mapfile -t owned < <(dpkg -L tolvik-feedback-server)
[[ -f /lib/systemd/system/tolvik-feedback-server.service ]] || fail "the server's unit"
[[ -z "$(find /etc/systemd -name 'tolvik-feedback-server*' 2>/dev/null)" ]] || fail "the server's unit is enabled"
printf "%s\n" "${owned[@]}" | grep -q "/man1/tolvik-feedback-server.1.gz$" || fail "the server's manual page"
# As a maker starts it without systemd: its state folder made by itself,
# the database readable by its owner alone.
state=/var/lib/tolvik-feedback-server
rm -rf "$state"
/usr/bin/tolvik-feedback-server --database "$state/feedback.sqlite" --port 0 > "$work/server.log" 2>&1 &
server_pid=$!
port=
for _ in $(seq 50); do
  port=$(sed -n 's/^listening on .* port \([0-9]*\)$/\1/p' "$work/server.log")
  [[ -n "$port" ]] && break
  sleep 0.1
done
[[ -n "$port" ]] || { cat "$work/server.log"; fail "the installed server does not listen"; }
exec 3<>"/dev/tcp/127.0.0.1/$port"
printf 'GET /suggest/post.php?name=Packaged&age=a%%40b&comment=hello HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n' >&3
head -n 1 <&3 | grep -q "^HTTP/1.1 200" || fail "the installed server's answer"
exec 3<&-
kill "$server_pid"; wait "$server_pid" 2>/dev/null || true; server_pid=
/usr/bin/tolvik-feedback-server --database "$state/feedback.sqlite" --list | grep -q $'\tPackaged\ta@b\thello$' || fail "--list"
[[ "$(stat -c %a "$state/feedback.sqlite")" == 600 ]] || fail "the database is readable by others: $(stat -c %a "$state/feedback.sqlite")"
DEBIAN_FRONTEND=noninteractive apt-get remove -y tolvik-feedback-server > /dev/null 2>&1 || fail "apt-get remove the server"
[[ -f "$state/feedback.sqlite" ]] || fail "apt-get remove took the messages"
for path in "${owned[@]}"; do
  if [[ -e "$path" && ! -d "$path" ]]; then
    fail "left behind: $path"
  fi
done
dpkg --purge tolvik-feedback-server > /dev/null 2>&1 || fail "dpkg --purge the server"
[[ ! -e "$state" ]] || fail "purged, the messages are still there"

# The portable archive's licences: the sources and licence texts of the
# fonts, LAME and the C++ runtime.
bash "$(dirname "$0")/../../scripts/licences.sh" "$work/licences" linux
grep -q "^  wine 8" "$work/licences/NOTICE.txt" && grep -q "^  lame 3.100" "$work/licences/NOTICE.txt" \
  && grep -q "^  gcc-12 12" "$work/licences/NOTICE.txt" && [[ -s "$work/licences/GPL-3.txt" ]] \
  && [[ -s "$work/licences/LGPL-2.1.txt" ]] && [[ -s "$work/licences/wine.copyright.txt" ]] \
  && [[ -s "$work/licences/lame.copyright.txt" ]] || fail "the portable archive's licences"
echo "1 passed, 0 failed"
