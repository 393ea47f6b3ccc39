#!/usr/bin/env bash
# Tolvik as a blind user meets it: the real Orca, speaking to
# speech-dispatcher's dummy output, on a D-Bus session and AT-SPI bus of
# the test's own, on an X server of its own under openbox; the program
# driven by keys (xdotool). Checks what Orca said (its debug log's
# "SPEECH OUTPUT" lines): the controls on a Tab walk, a list's new choice,
# each file's start, a failure and its reason, the end of a batch, the
# failure list, a stop, the focus back on the drop area, and the feedback
# window's status; then the two windows' AT-SPI trees (atspi_trees.py).
# Usage: screen_reader.sh BUILD_DIR
set -euo pipefail
if [[ -z "${TOLVIK_PRIVATE_BUS:-}" ]]; then
  export TOLVIK_PRIVATE_BUS=1
  exec dbus-run-session -- bash "$0" "$@"
fi
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [[ -z "${TOLVIK_KEEP:-}" ]] || cp -r "$work" "$TOLVIK_KEEP"
  rm -rf "$work"
}
trap cleanup EXIT
source "$here/tests/helpers/checks.sh"

exec 4< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
pids+=($!)
read -r -t 20 display <&4
export DISPLAY=:$display
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)

# A home of the test's own; no sound reaches a real sound server.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run TMPDIR=$work/tmp PULSE_SERVER=unix:/nonexistent
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME" "$TMPDIR" "$work/bin" "$work/in"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf 'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
for quiet in paplay aplay play; do printf '#!/bin/sh\nexit 0\n' >"$work/bin/$quiet"; chmod +x "$work/bin/$quiet"; done
# The desktop's opener: opens nothing, and fails when the test says so
# (a desktop without a browser for the help).
printf '#!/bin/sh\nexit "$(cat "%s" 2>/dev/null || echo 0)"\n' "$work/opener-fails" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$here/tests/helpers/stand-in:$PATH

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# Orca refuses to start beside another Orca of the same user (a desktop's
# own): its launcher, without that check, for this private session only,
# and with its debug log written line by line (the checks read it live).
sed -e 's/^\(\s*\)if otherOrcas():/\1if False:/' \
  -e "s/open(args.debug_file, 'w')/open(args.debug_file, 'w', buffering=1)/" /usr/bin/orca >"$work/orca"
grep -q "buffering=1" "$work/orca" || echo "note: Orca's launcher changed; its log may come late"
log=$work/orca.log
/usr/bin/python3 "$work/orca" -u "$work/orca-settings" --debug-file "$log" >"$work/orca.out" 2>&1 &
pids+=($!)
said() { sed -n "s/.*SPEECH OUTPUT: '\(.*\)' *{.*/\1/p" "$log" 2>/dev/null; }
hears() { said | grep -F -- "$1" >/dev/null; } # all read: grep -q would cut the pipe
# The line $1 said after the line $2 (both as fixed text).
after() { said | awk -v first="$2" -v then="$1" 'index($0, first) {seen = 1} seen && index($0, then) {found = 1} END {exit !found}'; }
check "Orca is on" eventually hears "Screen reader on"

cp -r "$build/app" "$work/program"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$work/program/tolvik" >"$work/tolvik.out" 2>&1 &
pids+=($!)
window() { xdotool search --onlyvisible --name '^Tolvik$' >/dev/null 2>&1; }
eventually window || true
check "the window comes up, the drop area focused" eventually hears "Add WAV files push button"
# A key, then Orca's answer to it (whatever it is, beyond the key's own
# name, said with a space after it) before the next key: keys faster than
# speech are said only in part.
answers() { said | grep -vc ' $'; }
key() {
  local before
  before=$(answers)
  xdotool key "$@"
  answered() { (($(answers) > before)); }
  eventually answered || true
}

# Tab walks the controls, each said by its name; a list by what it sets
# and its choice, and a choice changed by the arrows is said.
for _ in 1 2 3 4 5; do key Tab; done
for name in "Send feedback link" "Help push button" "Minimise push button" "Close push button" \
  "Bit rate (kbit/s) combo box"; do
  check "Tab reaches \"$name\"" eventually hears "$name"
done
check "... the list's choice is said" eventually after "128" "Bit rate (kbit/s) combo box"
key Down
check "a choice changed by Down is said" eventually hears "notification 192"
key Up
key alt+Down
# What Orca said first after the line $2, beyond keys' names, is $1.
said_next() { said | awk -v first="$2" 'seen && !/ $/ {print; exit} index($0, first) {seen = 1}' | grep -F -- "$1" >/dev/null; }
check "Alt+Down opens the list, its choice said" eventually said_next "128" "left alt"
key Escape
# The output folder is read to its last letter (Qt's own answer for a
# field's line dropped it).
for _ in 1 2 3; do key Tab; done
check "the output folder is read to its last letter" eventually hears "$work/program/output"
read_whole() { ! said | grep "program/outpu\([^t]\|$\)" >/dev/null; }
for _ in 1 2 3; do key shift+Tab; done
for _ in 1 2 3 4 5; do key shift+Tab; done

# The help without a browser: the program's own window, read as a text
# line by line.
echo 3 >"$work/opener-fails"
key F1
check "the help comes up as a text" eventually hears "Tolvik Help read only text"
key Down
check "... Down reads its next line" eventually hears "Tolvik converts WAV files"
key Down
check "... and the next" eventually hears "stores one MP3 file for each of them"
rm "$work/opener-fails"
key Escape
check "... Escape closes it, back on the drop area" eventually after "Add WAV files push button" "stores one MP3 file"

# A batch of three, one of them not audio.
sox -n -R -r 44100 -c 2 -b 16 "$work/in/first.wav" synth 1 pinknoise vol 0.5
sox -n -R -r 44100 -c 2 -b 16 "$work/in/third.wav" synth 1 pinknoise vol 0.5
echo "not audio" >"$work/in/broken.wav"
"$work/program/tolvik" "$work/in/first.wav" "$work/in/broken.wav" "$work/in/third.wav"
check "the end of a batch is said" eventually hears "Done: 1 of 3 files failed. Control L lists them."
# (The starts of files that go by within 1.5 s of the last one said are
# not each told.)
for line in "Converting first.wav (3 files left)" "broken.wav failed: not an audio file (Format not recognised)"; do
  check "said: $line" hears "$line"
done
# Where the focus is, asked of Orca (KP_Enter: "where am I"): a batch this
# short may end before Orca has told the focus leaving the drop area, and
# then rightly tells no return either.
key KP_Enter
check "... and the focus is back on the drop area" eventually after "Add WAV files push button" "Done: 1 of 3"
key ctrl+l
check "Ctrl+L lists the failures" eventually hears "Failures dialog"
key Down
check "... Down reads a failure, with its reason" eventually hears "$work/in/broken.wav — not an audio file (Format not recognised)"
key Escape

# A stop.
sox -n -R -r 44100 -c 2 -b 16 "$work/in/long.wav" synth 600 pinknoise vol 0.5
"$work/program/tolvik" "$work/in/long.wav"
check "a long file's start is said" eventually hears "Converting long.wav (1 file left)"
key Escape
check "a stop is said" eventually hears "Stopped: 0 converted"
# Ctrl+L every time, and Tab, right after a stop.
# (Each answer awaited whole: a key pressed while the last one's answer
# still comes is answered in part, as it would be for a user.)
since_stop() { said | sed -n '/Stopped: 0 converted/,$p' | grep -c -F -- "$1"; }
lists=0
for n in 1 2 3; do
  key ctrl+l
  listed() { (($(since_stop "No file failed in the last batch") >= n)); }
  eventually listed && lists=$((lists + 1))
  key Escape
  back() { (($(since_stop "Add WAV files push button") >= n)); }
  eventually back || true
done
check "... then Ctrl+L, three times, says the list each time" test "$lists" -eq 3
key Tab
check "... and Tab is heard" eventually after "Send feedback link" "Stopped: 0 converted"
key shift+Tab

# A folder still being listed (its audio files behind thousands of other
# files): the first start says how many are left at least, and after a
# stop nothing of the batch is said again.
mkdir -p "$work/in/big"
sox -n -R -r 44100 -c 2 -b 16 "$work/in/big/a.wav" synth 300 pinknoise vol 0.5
sox -n -R -r 44100 -c 2 -b 16 "$work/in/big/zz.wav" synth 1 pinknoise vol 0.5
python3 -c "import sys
for i in range(30000): open(f'{sys.argv[1]}/n{i:05}.txt', 'w').write('notes')" "$work/in/big"
"$work/program/tolvik" "$work/in/big"
check "a folder still listed: its first start says at least so many left" \
  eventually hears "Converting a.wav (at least 1 file left)"
key Escape
stopped_twice() { (($(said | grep -c "Stopped: 0 converted") == 2)); }
check "... a stop is said" eventually stopped_twice
quiet_after() {
  ! said | awk '/Stopped: 0 converted/ {n = 0; next} {after[n++] = $0} END {for (i = 0; i < n; i++) print after[i]}' \
    | grep Converting >/dev/null
}

# The trees over AT-SPI; the link is followed there, and the feedback
# window opens.
check "the AT-SPI trees: every control named, the lists by purpose, the link followed" \
  /usr/bin/python3 "$here/tests/accessibility/atspi_trees.py"
feedback() { xdotool search --onlyvisible --name '^Send Feedback$|^Feedback$' >/dev/null 2>&1; }
eventually feedback || true
key Return
check "the feedback window's prompt is said" eventually hears "Your Name?"
xdotool type --delay 20 "Ann"; key Tab
xdotool type --delay 20 "ann@example.org"; key Tab
xdotool type --delay 20 "Hello"; key Return
check "... and its outcome (this build names no server)" eventually hears "Feedback is not set up in this copy of Tolvik"
# (Qt 6.4 gives a field's text attributes as empty runs, from which Orca
# made a line one character short whenever it read a field's line.)
check "no field was read one character short" read_whole
# (Checked last: a start still waiting to be said would have come by now.)
check "nothing of the stopped folder's batch was said after its stop" quiet_after
if ((failures > 0)) || [[ -n "${TOLVIK_SHOW_SPEECH:-}" ]]; then
  echo "== what Orca said:"
  said
fi
finish
