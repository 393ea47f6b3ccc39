#!/usr/bin/env bash
# The Windows packages (scripts/windows/package.sh) under Wine: the zip runs
# where it is unpacked; the installer, silent (/S), installs for the user
# with a Start-menu shortcut, the installed program converts, and the
# silent uninstaller removes every file it installed (and only those).
# Usage: packages_under_wine.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/under_wine.sh"
run() { wine_run "$@"; }
unix() { # a Windows path of the prefix's C: drive, as a Linux path
  local p=${1//\\//}
  echo "$TOLVIK_WINEPREFIX/drive_c${p#C:}"
}
zip=$(ls "$build"/packages/Tolvik-*-win64.zip)
setup=$(ls "$build"/packages/Tolvik-*-setup.exe)

(cd "$work" && unzip -q "$zip")
unpacked=$(ls -d "$work"/Tolvik-*)
check "the zip holds the program folder" test -f "$unpacked/tolvik.exe" -a -f "$unpacked/data/conv.exe" \
  -a -f "$unpacked/platforms/qwindows.dll" -a -d "$unpacked/output"
check "conv runs where it is unpacked" bash -c "'$here/scripts/windows/wine-run.sh' '$unpacked/data/conv.exe' --help | grep -q Usage"

run "$setup" /S
local_app=$(run cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
start_menu=$(run cmd /c 'echo %APPDATA%' | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
installed=$(unix "$local_app")/Programs/Tolvik
shortcut="$(unix "$start_menu")/Tolvik.lnk"
check "installed under %LOCALAPPDATA%\\Programs\\Tolvik" test -f "$installed/tolvik.exe" -a -f "$installed/data/conv.exe"
check "a Start-menu shortcut" test -f "$shortcut"
check "the shortcut names the installed program" grep -qa "tolvik.exe" "$shortcut"

sox -n -R -r 22050 -c 1 -b 16 "$work/installed.wav" synth 1 sine 440
(run "$installed/tolvik.exe" "$(win "$work/installed.wav")" >/dev/null 2>&1 &)
check "the installed program converts into its own output folder" eventually test -s "$installed/output/installed.mp3"
# Ended as Windows ends a program, and waited for: the files of a running
# program cannot be deleted.
run taskkill /f /im tolvik.exe >/dev/null 2>&1 || true
ended() { ! pgrep -f 'Tolvik[/\\]tolvik\.exe' >/dev/null; }
check "the installed program ended" eventually ended

run "$installed/Uninstall.exe" /S
# The uninstaller runs from a copy of itself (Au_.exe) in the temporary
# folder, which goes on after Uninstall.exe returns.
gone() { [[ ! -e "$installed/Uninstall.exe" ]] && ! pgrep -f 'Au_\.exe' >/dev/null; }
check "the uninstaller removes the program" eventually gone
check "... and every file it installed" test -z "$(find "$installed" -type f ! -path '*/output/*' 2>/dev/null)"
check "... but not the user's MP3" test -s "$installed/output/installed.mp3"
check "... and the shortcut" test ! -e "$shortcut"
finish
