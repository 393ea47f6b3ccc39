#!/usr/bin/env bash
# Runs a Windows program under Wine in the Windows build's own prefix
# (TOLVIK_WINEPREFIX, else build-win64/wineprefix): CMake's emulator for
# the cross-built programs, and the tests' way in. Made ready once: it says
# it is Windows 10, as Qt 6 and the installer require (Debian's Wine says
# 7), and the user's Music, Documents... are folders of the prefix, not
# Wine's links to the home folder, so nothing run here writes there.
here=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${TOLVIK_WINEPREFIX:-$here/build-win64/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -e $WINEPREFIX/.tolvik-ready ]]; then
  wine winecfg /v win10 >/dev/null 2>&1 || exit 1
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [[ -L $link ]]; then rm "$link" && mkdir "$link"; fi
  done
  touch "$WINEPREFIX/.tolvik-ready"
fi
exec wine "$@"
