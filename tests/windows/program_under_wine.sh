#!/usr/bin/env bash
# tolvik.exe, the Windows program, run for real under Wine on the X server
# in DISPLAY: its window ("Tolvik", 395x219, shaped by the colour key), a
# file given on its command line and a file dragged from a Linux program
# (Wine turns the XDND drop into a Windows one) converted into the program
# folder's output folder, and a second start that hands its file to the
# first, and a folder handed over whole.
# Then, on screens at 150 % and 200 % (Windows' own scaling), the window
# drawn with no pixel of the colour key.
# Usage: program_under_wine.sh BUILD_DIR DRAG_SOURCE SKIN_PIXELS (tests/helpers' programs)
set -euo pipefail
build=$(cd "$1" && pwd)
drag_source=$(realpath "$2")
skin_pixels=$(realpath "$3")
app=$build/app
source "$(dirname "$0")/under_wine.sh"

# A 2 s WAV named $1 in the work folder, its MP3 not yet in output.
wav() {
  sox -n -R -r 44100 -c 2 -b 16 "$work/$1.wav" synth 2 pinknoise vol 0.5
  rm -f "$app/output/$1.mp3"
  echo "$work/$1.wav"
}
converted() {
  local mp3="$app/output/$1.mp3"
  eventually test -s "$mp3" || true
  check "$1: converted into output" test -s "$mp3"
  check "$1: every sample" test "$(samples "$mp3" 2)" = 88200
  rm -f "$mp3"
}

wine_run "$app/tolvik.exe" "$(win "$(wav "Dropped song é")")" &
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

converted "Dropped song é"

# A second start hands its file to the running program (the named mutex,
# then the pipe) and ends at once.
check "a second start ends at once" timeout 60 "$here/scripts/windows/wine-run.sh" "$app/tolvik.exe" \
  "$(win "$(wav "Second start")")"
converted "Second start"
check "... and the first window is the only one" test "$(xdotool search --name '^Tolvik$' | wc -l)" = 1

# A read-only MP3 where the result goes: Windows cannot replace it (Wine
# could), so the file fails with its reason and the MP3 is kept.
kept=$(wav "Kept")
echo kept >"$app/output/Kept.mp3"
chmod a-w "$app/output/Kept.mp3"
wine_run "$app/tolvik.exe" "$(win "$kept")"
said() { grep -qs "Kept.wav.*the existing MP3 is read-only" "$TOLVIK_WINEPREFIX"/drive_c/users/*/AppData/Local/tolvik/failures.log; }
check "a read-only MP3 in the way: the file fails with its reason" eventually said
check "... and the MP3 is kept" test "$(cat "$app/output/Kept.mp3")" = kept
rm -f "$app/output/Kept.mp3"

# A folder handed over: its WAV files converted in a folder of its name,
# the structure below it kept, a hidden file left out.
rm -rf "$work/Album" "$app/output/Album"
mkdir -p "$work/Album/CD 1"
for name in "CD 1/01" "CD 1/2" ".hidden"; do
  sox -n -R -r 44100 -c 2 -b 16 "$work/Album/$name.wav" synth 2 pinknoise vol 0.5
done
wine_run "$app/tolvik.exe" "$(win "$work/Album")"
album_done() { [[ -s "$app/output/Album/CD 1/01.mp3" && -s "$app/output/Album/CD 1/2.mp3" ]]; }
check "a folder: its WAV files converted below output/Album, sub-folders kept" eventually album_done
check "... every sample" test "$(samples "$app/output/Album/CD 1/2.mp3" 2)" = 88200
check "... a hidden file left out" test ! -e "$app/output/Album/.hidden.mp3"
rm -rf "$work/Album" "$app/output/Album"

# Names a plain Windows path cannot reach (a trailing period or space, a
# device's name, a folder "dotdir."), as a tree from elsewhere has them:
# each converted from its own file (its length tells), none lost. Names
# no Windows path can hold (* ? " < > |, which Wine shows as they are)
# fail, each with its reason.
rm -rf "$work/Odd" "$app/output/Odd"
mkdir -p "$work/Odd/dotdir."
odd=("x.wav" "x.wav." "y.wav " "AUX.wav" "com1.wav" "dotdir./in.wav")
results=("x.mp3" "x.wav.mp3" "y.mp3" "AUX.mp3" "com1.mp3" "dotdir./in.mp3")
for name in 'a*b?.wav' 'q"<>|.wav'; do sox -n -R -r 44100 -c 1 -b 16 "$work/Odd/$name" synth 1 sine 440; done
for i in "${!odd[@]}"; do sox -n -R -r 44100 -c 1 -b 16 -t wav "$work/Odd/${odd[$i]}" synth "1.$i" sine 440; done
failure_log=$(ls "$TOLVIK_WINEPREFIX"/drive_c/users/*/AppData/Local/tolvik/failures.log 2>/dev/null | head -n 1)
logged=$(cat "$failure_log" 2>/dev/null | wc -l)
wine_run "$app/tolvik.exe" "$(win "$work/Odd")"
odd_done() { local r; for r in "${results[@]}"; do [[ -s "$app/output/Odd/$r" ]] || return 1; done; }
each_own() {
  local i n
  for i in "${!results[@]}"; do
    n=$(samples "$app/output/Odd/${results[$i]}" 2) # (stereo, as the lists say)
    [[ $n == $((44100 + 4410 * i)) ]] || { echo "${results[$i]}: $n samples, not those of '${odd[$i]}'"; return 1; }
  done
}
check "names a plain path cannot reach: every file converted" eventually odd_done
check "... each from its own file" each_own
# (This run's lines: the log is kept from run to run.)
odd_failures() { cat "$TOLVIK_WINEPREFIX"/drive_c/users/*/AppData/Local/tolvik/failures.log 2>/dev/null | tail -n +$((logged + 1)) | cut -f 2-; }
told() { [[ $(odd_failures) == *'Odd\a*b?.wav	cannot be read: '*'Odd\q"<>|.wav	cannot be read: '* ]]; }
check "... those Windows cannot name fail with their reasons" eventually told
check "... and no other" test "$(odd_failures | wc -l)" = 2
rm -rf "$work/Odd" "$app/output/Odd"

# A drag from a Linux program, dropped on the drop area (238,35 142x146).
dragged=$(wav "Dragged från Linux")
mkdir -m 700 "$work/run"
XDG_RUNTIME_DIR=$work/run "$drag_source" "$dragged" >"$work/source.out" &
pids+=($!)
find_source() { grep -qx ready "$work/source.out" && xdotool search --onlyvisible --name '^DragSource$' >/dev/null 2>&1; }
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

no_program() { ! ours 'tolvik\.exe'; }
# The program has said it is ready: its window built, its event loop
# turning. (A killed one's word stays: removed once it is gone.)
ready_file() { find "$TOLVIK_WINEPREFIX/drive_c/users" -maxdepth 2 -name .tolvik.ready 2>/dev/null; }
ready() { [[ -n "$(ready_file)" ]]; }
windows() { xdotool search --name '^Tolvik$' 2>/dev/null | wc -l; }
close_program() {
  wine_run taskkill /im tolvik.exe >/dev/null 2>&1 || true
  eventually no_program || true
  no_program && rm -f $(ready_file)
}
# The stored results of the files named "$1 start N", as inode and time:
# a second conversion stores new files.
stamps() { stat -c '%i %Y' "$app/output/$1 start"*.mp3 2>/dev/null; }

# Explorer's "Open" on several selected files starts one process per file,
# all at once, also when no Tolvik runs yet: one becomes the program, the
# others offer it their files, and every file is converted exactly once,
# in every round (TOLVIK_WINE_ROUNDS, 10 by default).
close_program
lost=0 extra=0
for round in $(seq 1 "${TOLVIK_WINE_ROUNDS:-10}"); do
  starts=()
  for n in 1 2 3 4; do
    file=$(wav "Round $round start $n")
    wine_run "$app/tolvik.exe" "$(win "$file")" 2>"$work/round $round start $n.err" &
    starts+=($!)
  done
  pids+=("${starts[@]}")
  # A start waits as long as the running program is still starting (on a
  # busy machine the first cold round can take long): the files are
  # looked for while a start other than the program still waits, and 30 s
  # after the last one ended.
  waiting() {
    local p alive=0
    for p in "${starts[@]}"; do kill -0 "$p" 2>/dev/null && alive=$((alive + 1)); done
    ((alive > 1))
  }
  round_done() { local n; for n in 1 2 3 4; do test -s "$app/output/Round $round start $n.mp3" || return 1; done; }
  until round_done || ! waiting; do sleep 0.2; done
  eventually round_done || true
  for n in 1 2 3 4; do
    test -s "$app/output/Round $round start $n.mp3" || { lost=$((lost + 1)); echo "lost: round $round, start $n"; }
  done
  [[ $(windows) == 1 ]] || { extra=$((extra + 1)); echo "round $round: $(windows) windows"; }
  # What the starts said of each other, when a round went wrong.
  ((lost + extra == 0)) || grep -H '^tolvik:' "$work/round $round start"*.err || true
  close_program
done
check "4 cold starts at once, ${TOLVIK_WINE_ROUNDS:-10} rounds: every file converted" test "$lost" = 0
check "... by one window a round" test "$extra" = 0

# The running program stopped (SIGSTOP) while a start offers it three
# files, then resumed after 5 s (it takes them), after 25 s (the start
# has converted them itself; they are not converted again) or killed.
for case in 5 25 kill; do
  name="Stop $case"
  wine_run "$app/tolvik.exe" &
  pids+=($!)
  eventually find_window || true
  # Stopped once it has said it is ready (its event loop turns): a start
  # waits longer for one still starting.
  eventually ready || true
  first=$(our_pids 'tolvik\.exe' | head -n 1)
  kill -STOP "$first"
  files=()
  for n in 1 2 3; do files+=("$(win "$(wav "$name start $n")")"); done
  wine_run "$app/tolvik.exe" "${files[@]}" &
  pids+=($!)
  all_stored() { [[ $(stamps "$name" | wc -l) == 3 ]]; }
  offered() { [[ -n "$(find "$TOLVIK_WINEPREFIX/drive_c/users" -maxdepth 2 -name '.tolvik-offer-*' 2>/dev/null)" ]]; }
  if [[ $case == kill ]]; then
    eventually offered || true
    kill -KILL "$first"
    check "stopped and killed with an offer waiting: the start converts its files" eventually all_stored
  else
    sleep "$case"
    if [[ $case == 5 ]]; then
      kill -CONT "$first"
      check "resumed after 5 s: the running program converts the offered files" eventually all_stored
      check "... in its one window" test "$(windows)" = 1
    else
      check "resumed after 25 s: the start that gave up has converted its files" eventually all_stored
      before=$(stamps "$name")
      kill -CONT "$first"
      # Its event loop has turned twice since (a heartbeat a second): what
      # was waiting on its channel has been read.
      beat=$(stat -c %Y "$(ready_file)")
      beaten() { (($(stat -c %Y "$(ready_file)" 2>/dev/null || echo 0) >= beat + 2)); }
      eventually beaten || true
      check "... and the resumed program does not convert them again" test "$(stamps "$name")" = "$before"
    fi
  fi
  close_program
done

# A list chosen from the keyboard is kept, in the registry, and read by
# the next start: its encoder gets it.
close_program
wine_run "$app/tolvik.exe" &
pids+=($!)
window=
eventually find_window || true
eventually ready || true
xdotool windowfocus --sync "$window" 2>/dev/null || true
for _ in 1 2 3 4 5; do xdotool key shift+Tab; done # from the drop area back to the bit rate list
xdotool key Down                                   # 128 to 192
kept_192() { wine_run reg query 'HKCU\Software\Tolvik\Tolvik' /v bitRate 2>/dev/null | grep -q 192; }
check "a list chosen from the keyboard is kept in the registry" eventually kept_192
close_program
sox -n -R -r 44100 -c 2 -b 16 "$work/restart.wav" synth 200 pinknoise vol 0.5
wine_run "$app/tolvik.exe" "$(win "$work/restart.wav")" &
pids+=($!)
encodes_192() {
  local p
  for p in $(our_pids 'conv\.exe'); do tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q ' 192k ' && return 0; done
  return 1
}
check "... and the next start's encoder gets it" eventually encodes_192
# Killed outright (Task Manager's End task, taskkill /f): its encoder goes
# with it, not left to run to its end.
wine_run taskkill /f /im tolvik.exe >/dev/null 2>&1 || true
no_encoder() { no_program && ! ours 'conv\.exe'; }
check "a program killed outright (taskkill /f) takes its encoder with it" eventually no_encoder
close_program
wine_run reg delete 'HKCU\Software\Tolvik' /f >/dev/null 2>&1 || true

# A session's end (a logoff or shutdown: WM_QUERYENDSESSION and
# WM_ENDSESSION to every window) ends the program as its X does: the
# encoder stopped, the working files removed.
long=$work/long.wav
sox -n -R -r 44100 -c 2 -b 16 "$long" synth 200 pinknoise vol 0.5
wine_run "$app/tolvik.exe" "$(win "$long")" &
pids+=($!)
encoding() { ours 'conv\.exe'; }
check "a long file is being encoded" eventually encoding
timeout 60 "$here/scripts/windows/wine-run.sh" wineboot --end-session >/dev/null 2>&1 || true
ended() { no_program && ! encoding; }
check "a session's end stops the encoder and the program" eventually ended
check "... and leaves no working file" \
  test -z "$(find "$TOLVIK_WINEPREFIX/drive_c/users" -ipath '*/temp/tolvik/*' 2>/dev/null)"

# Scaled screens: Wine's DPI (LogPixels, as Windows' display scaling sets
# it) at 150 % and 200 %; the per-monitor-aware program draws its own
# larger pictures and shape. Back to 100 % after, for the other suites.
set_dpi() {
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
for dpi in 144 192; do
  WINEPREFIX=$TOLVIK_WINEPREFIX wineserver -k 2>/dev/null || true
  set_dpi "$dpi"
  wine_run "$app/tolvik.exe" &
  pids+=($!)
  window=
  eventually find_window || true
  wide() { local w; w=$(geometry); w=${w%%x*}; (( w >= 395 * dpi / 96 && w <= 395 * dpi / 96 + 1 )); }
  check "at $dpi dpi: the window is $((395 * dpi / 96)) pixels wide (or one more)" eventually wide
  drawn() {
    grab_x "$DISPLAY" "$work/screen-$dpi.png" && count_skin "$work/screen-$dpi.png" \
      && [[ $(figure key) == 0 && $(figure skin) -gt 1000 ]]
  }
  eventually drawn || true
  key=$(figure key)
  check "... drawn ($(figure skin) skin pixels), no pixel of the colour key ($key seen)" \
    test "$key" = 0 -a "$(figure skin)" -gt 1000
  # The "Feedback" link whole: at 150 % its glyphs once lost their left
  # stems (94 dark pixels where 137 belong).
  if [[ $dpi == 144 ]]; then
    read -r x y < <(xdotool getwindowgeometry "$window" | awk -F'[ ,]+' '/Position/ {print $3, $4}')
    ink=$(ffmpeg -v error -i "$work/screen-$dpi.png" -vf "crop=90:22:$((x + 490)):$((y + 286))" -f rawvideo \
      -pix_fmt gray - | od -An -v -tu1 | awk '{for (i = 1; i <= NF; i++) if ($i < 60) n++} END {print n + 0}')
    check "... the Feedback link drawn whole ($ink dark pixels)" test "$ink" -ge 120
  fi
done
WINEPREFIX=$TOLVIK_WINEPREFIX wineserver -k 2>/dev/null || true
set_dpi 96
finish
