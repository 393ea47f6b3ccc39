#!/usr/bin/env bash
# Runs one cross-built Qt test suite under Wine and prints its log: there
# a Qt test that logs to stdout writes to the debugger instead.
# Usage: run_suite.sh SUITE.exe [test arguments]
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
log=$(mktemp --suffix=.txt)
out=$(mktemp)
# Wine's sound driver speaks to ALSA: its default is a null device here.
export HOME=$(mktemp -d)
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
trap 'rm -rf "$log" "$out" "$HOME"' EXIT
# Through files: a Wine service started on the way would hold a pipe open.
# Ended a little before CTest's own limit (TOLVIK_SUITE_SECONDS), so that
# the log of a suite that hangs is printed too, with the test it hung in.
timeout --kill-after=5 "${TOLVIK_SUITE_SECONDS:-3600}" \
  "$here/scripts/windows/wine-run.sh" "$1" "${@:2}" -o "Z:${log//\//\\},txt" >"$out" 2>&1 </dev/null
status=$?
[[ $status == 124 || $status == 137 ]] && echo "run_suite.sh: $(basename "$1") did not end in ${TOLVIK_SUITE_SECONDS:-3600} s; its log so far:"
cat "$out" "$log"
exit $status
