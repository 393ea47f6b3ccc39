#!/usr/bin/env bash
# Configures (once) and builds into build/. Extra arguments go to the
# build (e.g. --target tolvik).
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ! -f build/build.ninja ]]; then
  cmake -S . -B build -G Ninja
fi
cmake --build build "$@"
