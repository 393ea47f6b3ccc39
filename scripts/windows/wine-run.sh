#!/usr/bin/env bash
# Runs a Windows program under Wine in the Windows build's own prefix
# (TOLVIK_WINEPREFIX, else build-win64/wineprefix): CMake's emulator for
# the cross-built programs, and the tests' way in.
here=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${TOLVIK_WINEPREFIX:-$here/build-win64/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
