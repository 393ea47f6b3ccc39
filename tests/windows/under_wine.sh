# Sourced by the tests of the Windows build under Wine, once `build` (the
# Windows build folder) is set. Gives them a work folder, a HOME whose ALSA
# default is a null device (Wine's sound driver needs one for PlaySoundW),
# check/eventually/finish, Windows paths and gapless sample counts, our
# prefix's own processes (never another Wine's on the machine), and
# ends our own prefix's Wine and the programs in `pids` at exit.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export TOLVIK_WINEPREFIX=$build/wineprefix
work=$(mktemp -d)
export HOME=$work/home
mkdir -p "$HOME"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  WINEPREFIX=$TOLVIK_WINEPREFIX wineserver -k 2>/dev/null || true # our own prefix only
  # ... and gone before the next test: a dying installer would still hold its mutex.
  WINEPREFIX=$TOLVIK_WINEPREFIX timeout 30 wineserver -w 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
source "$here/tests/helpers/checks.sh"
wine_run() { "$here/scripts/windows/wine-run.sh" "$@"; }
win() { echo "Z:${1//\//\\}"; } # a Linux path as Windows sees it under Wine
samples() { mpg123 -q --gapless -e s16 -s "$1" 2>/dev/null | wc -c | awk -v c="$2" '{print $1 / 2 / c}'; }
# Our prefix's own processes whose command line matches $1.
our_pids() {
  local p
  for p in $(pgrep -f "$1"); do
    { tr '\0' '\n' </proc/"$p"/environ; } 2>/dev/null | grep -qx "WINEPREFIX=$TOLVIK_WINEPREFIX" && echo "$p"
  done
}
ours() { [[ -n "$(our_pids "$1")" ]]; }
