#!/usr/bin/env bash
# Cross-builds the Windows side into build-win64/: for now conv.exe, the
# encoder, with its libraries and the C++ runtime linked in, at
# build-win64/app/data/conv.exe. Installs and builds what it needs first
# (scripts/windows/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
prefix=$(bash scripts/windows/deps.sh | tail -n 1)
# Libraries built anew (other versions): configure afresh.
if [[ "$(cat build-win64/.prefix 2>/dev/null)" != "$prefix" ]]; then
  rm -rf build-win64
fi
if [[ ! -f build-win64/build.ninja ]]; then
  TOLVIK_WIN64_PREFIX=$prefix cmake -S . -B build-win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DTOLVIK_CONV_ONLY=ON >/dev/null
  echo "$prefix" > build-win64/.prefix
fi
cmake --build build-win64
x86_64-w64-mingw32-strip build-win64/app/data/conv.exe
