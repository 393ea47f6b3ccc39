#!/usr/bin/env bash
# Builds Tolvik and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# Only the program (and conv, its sound and help beside it): the tests are
# built by the test command.
scripts/build.sh --target tolvik
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found. Tolvik is a desktop program: start it from a desktop session," >&2
  echo "or under a virtual X server:  xvfb-run -a bash scripts/start.sh" >&2
  exit 1
fi
exec build/app/tolvik
