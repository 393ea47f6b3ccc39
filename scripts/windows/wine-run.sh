#!/usr/bin/env bash
# Runs a Windows program under Wine in the Windows build's own prefix
# (TOLVIK_WINEPREFIX, else build-win64/wineprefix): CMake's emulator for
# the cross-built programs, and the tests' way in. Made ready once: it says
# it is Windows 10, as Qt 6 and the installer require (Debian's Wine says
# 7), and the user's Music, Documents... are folders of the prefix, not
# Wine's links to the home folder, so nothing run here writes there.
# Folders open with the tests' stand-in (tests/open_nothing.exe of the
# build that holds the prefix), never Wine's Explorer: one per batch stayed open.
# Its windows are Wine's own, not the X window manager's ("Managed" off),
# as a Windows desktop's are: with no manager on the test X server every
# window shown or hidden would wait 2 s for an answer that never comes.
# Run with the address space laid out the same every time (setarch -R,
# inherited by every process Wine starts): since Linux 6.9 the heap of a
# process may begin anywhere in the gigabyte above Wine's loader, and
# where it covers the page Wine keeps at 0x7ffe0000 the process dies
# before it starts, without a word ("failed to map the shared user data";
# to its parent "Process failed to start: Internal error"): about one
# start in a thousand.
here=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${TOLVIK_WINEPREFIX:-$here/build-win64/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=(setarch "$(uname -m)" -R wine)
# (The mark holds the version of these steps: a prefix made by older ones
# takes them all again.)
mark=$WINEPREFIX/.tolvik-prepared
if [[ "$(cat "$mark" 2>/dev/null)" != 2 ]]; then
  "${wine[@]}" winecfg /v win10 >/dev/null 2>&1 || exit 1
  "${wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || exit 1
  opener="Z:$(dirname "$WINEPREFIX")/tests/open_nothing.exe"
  "${wine[@]}" reg delete 'HKCR\Folder\shell\open\ddeexec' /f >/dev/null 2>&1
  "${wine[@]}" reg add 'HKCR\Folder\shell\open\command' /ve /d "\"${opener//\//\\}\" \"%1\"" /f >/dev/null 2>&1 || exit 1
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [[ -L $link ]]; then rm "$link" && mkdir "$link"; fi
  done
  echo 2 > "$mark"
fi
exec "${wine[@]}" "$@"
