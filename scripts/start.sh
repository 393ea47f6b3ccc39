#!/usr/bin/env bash
# Builds Tolvik and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found. Tolvik is a desktop program: start it from a desktop session," >&2
  echo "or under a virtual X server:  xvfb-run -a bash scripts/start.sh" >&2
  exit 1
fi
exec build/app/tolvik
