#!/usr/bin/env bash
# Builds Tolvik and runs every test under a private X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
scripts/build.sh

# A private X server for the tests that need a real one.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r -t 10 display_number <&3
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY=":$display_number"

ctest --test-dir build --output-on-failure -j2 "$@"
