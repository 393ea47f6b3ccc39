#!/usr/bin/env bash
# Runs a Windows program under Wine in the Windows build's own prefix
# (TOLVIK_WINEPREFIX, else build-win64/wineprefix): CMake's emulator for
# the cross-built programs, and the tests' way in. The prefix says it is
# Windows 10, as Qt 6 and the installer require (Debian's Wine says 7).
here=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${TOLVIK_WINEPREFIX:-$here/build-win64/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -e $WINEPREFIX/.windows10 ]]; then
  wine winecfg /v win10 >/dev/null 2>&1 && touch "$WINEPREFIX/.windows10"
fi
exec wine "$@"
