#!/usr/bin/env bash
# Cross-builds the Windows program folder into build-win64/app/: tolvik.exe,
# data\conv.exe (everything linked in), sound.wav, help.html, output\, the
# Qt DLLs and plugins it loads and the mingw runtime DLLs, stripped.
# Installs and builds what it needs first (scripts/windows/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
# Not a process substitution: deps.sh's failure must end this script.
libraries=$(bash scripts/windows/deps.sh | tail -n 1)
read -r prefix qt <<<"$libraries"
# Libraries built anew (other versions): configure afresh.
if [[ "$(cat build-win64/.prefix 2>/dev/null)" != "$prefix $qt" ]]; then
  rm -rf build-win64
fi
if [[ ! -f build-win64/build.ninja ]]; then
  TOLVIK_WIN64_PREFIX="$prefix;$qt" cmake -S . -B build-win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/windows/wine-run.sh" >/dev/null
  echo "$prefix $qt" > build-win64/.prefix
fi
cmake --build build-win64

# CMake put the DLLs beside the programs (tolvik_copy_windows_dlls); they
# ship stripped (libstdc++ alone is 24 MB with its symbols).
app=build-win64/app
find "$app" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
x86_64-w64-mingw32-strip "$app/tolvik.exe" "$app/data/conv.exe"
