#!/usr/bin/env bash
# The Windows packages (scripts/windows/package.sh) under Wine, in DISPLAY:
# the executables' resources; the zip runs where it is unpacked; the
# installer refuses Windows 7, a running Tolvik (install and uninstall) and
# a silent downgrade, each changing nothing; an upgrade leaves nothing of
# the older version; the registered entry and the shortcut are complete;
# the installed program converts into Music\Tolvik; the uninstaller leaves only the user's
# MP3s; a folder chosen with /D= (quoted or not) or on the folder page is
# where the files go and what is registered, and "Run Tolvik" runs it.
# Usage: packages_under_wine.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/under_wine.sh"
run() { wine_run "$@"; }
status() { set +e; "$@" >/dev/null 2>&1; echo $?; set -e; } # a command's exit status
unix() { # a Windows path of the prefix's C: drive, as a Linux path
  local p=${1//\\//}
  echo "$TOLVIK_WINEPREFIX/drive_c${p#C:}"
}
zip=$(ls "$build"/packages/Tolvik-*-win64.zip)
setup=$(ls "$build"/packages/Tolvik-*-setup.exe)
version=$(basename "$setup" | sed 's/Tolvik-\(.*\)-setup.exe/\1/')

(cd "$work" && unzip -q "$zip")
unpacked=$(ls -d "$work"/Tolvik-*)
shipped=(tolvik.exe data/conv.exe platforms/qwindows.dll imageformats/qjpeg.dll imageformats/qico.dll fonts/tahoma.ttf
         licences/NOTICE.txt licences/LGPL-2.1.txt licences/LGPL-3.txt licences/lame.copyright.txt
         licences/qt6-base.copyright.txt)
holds() { local f; for f in "${shipped[@]}"; do [[ -s "$1/$f" ]] || { echo "missing: $f"; return 1; }; done; }
check "the zip holds the program folder, its plugins, fonts and licences" holds "$unpacked"
check "... and its own output folder" test -d "$unpacked/output"
check "the notice names the sources and offers the relinking" \
  grep -q "libsndfile 1.2.0.*Relinking" <(tr -d '\r\n' < "$unpacked/licences/NOTICE.txt")
check "conv runs where it is unpacked" bash -c "'$here/scripts/windows/wine-run.sh' '$unpacked/data/conv.exe' --help | grep -q Usage"

# What Explorer shows of the executables: read back from the files.
for exe in tolvik.exe data/conv.exe; do
  resources=$(x86_64-w64-mingw32-windres -i "$unpacked/$exe" -O rc)
  check "$exe has an icon" grep -q RT_GROUP_ICON <<<"$resources"
  for field in "ProductName\", \"Tolvik" "ProductVersion\", \"$version" "FileVersion\", \"$version" \
               "CompanyName\", \"The Tolvik developers" "FileDescription\", \"Tolvik" "LegalCopyright\", \"Copyright"; do
    check "$exe: version details hold $field\"" grep -qF "VALUE \"$field" <<<"$resources"
  done
  manifest=$(strings -a "$unpacked/$exe" | sed -n '/<assembly/,/<\/assembly>/p')
  for declared in PerMonitorV2 Microsoft.Windows.Common-Controls 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a longPathAware; do
    check "$exe: its manifest declares $declared" grep -q "$declared" <<<"$manifest"
  done
  check "$exe holds no debug sections" bash -c "! x86_64-w64-mingw32-objdump -h '$unpacked/$exe' | grep -Eq ' (/[0-9]+|\.debug)'"
done

local_app=$(run cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
start_menu=$(run cmd /c 'echo %APPDATA%' | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
installed=$(unix "$local_app")/Programs/Tolvik
shortcut="$(unix "$start_menu")/Tolvik.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvik'
registered() { # a value of the uninstall entry: a string as it is, a number as dword:HEX
  run reg export "$key" "$(win "$work/entry.reg")" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | tr -d '\r' \
    | sed -n "s/^\"$1\"=//p" | sed 's/^"\(.*\)"$/\1/; s/\\\\/\\/g; s/\\"/"/g'
}
snapshot() { (cd "$1" && find . -type f -exec md5sum {} + | sort; registered '.*'); }
ended() { ! ours '[/\\]tolvik\.exe' && ! ours 'Au_\.exe'; }
window() { xdotool search --name '^Tolvik$' >/dev/null 2>&1; }

chosen='C:\Mes programmes\Tolvik é'
# The prefix is kept between runs: no installation of an earlier run.
run reg delete "$key" /f >/dev/null 2>&1 || true
rm -rf "$installed" "$shortcut" "$(unix "$chosen")" "$(unix 'C:\Other Place')" "$(unix 'C:\Picked Folder')"

run winecfg /v win7
check "the installer refuses Windows 7 (status 4) and installs nothing" \
  test "$(status run "$setup" /S)" = 4 -a ! -e "$installed"
run winecfg /v win10

# An older version of our own, with a file the new one does not ship.
old=$work/old
cp -r "$unpacked" "$old"
echo "of the older version" > "$old/old-only.txt"
bash "$here/scripts/windows/make_installer.sh" "$old" "$work/old-setup.exe" 1.0.3 >/dev/null
check "an older version installs" test "$(status run "$work/old-setup.exe" /S)" = 0 -a -f "$installed/old-only.txt"

# While it runs, neither the installer nor the uninstaller touches it.
(run "$installed/tolvik.exe" >/dev/null 2>&1 &)
check "the installed program runs" eventually window
before=$(snapshot "$installed")
check "installing over a running Tolvik is refused (status 2)" test "$(status run "$setup" /S)" = 2
check "uninstalling a running Tolvik is refused (status 2)" \
  test "$(status run "$installed/Uninstall.exe" /S "_?=$local_app\\Programs\\Tolvik")" = 2
run "$installed/Uninstall.exe" /S # as a user starts it: from its copy in %TEMP%
# (Seen starting, unless it has already ended by then.)
copy_runs() { ours 'Au_\.exe'; }
copy_runs || eventually copy_runs || true
no_copy() { ! ours 'Au_\.exe'; }
check "... also from its copy in %TEMP%" eventually no_copy
check "... and nothing changed" test "$(snapshot "$installed")" = "$before"
run taskkill /f /im tolvik.exe >/dev/null 2>&1 || true
check "the program ended" eventually ended

# A file of the installed version held open by another program (a player,
# a virus scanner): the upgrade changes nothing and says so; let go, it
# goes on.
run "$build/tests/hold_file.exe" "$(win "$installed/sound.wav")" >"$work/held" 2>&1 &
pids+=($!)
check "a file of the installed version is held open" eventually grep -q held "$work/held"
before=$(snapshot "$installed")
check "an upgrade meeting it is refused (status 6)" test "$(status run "$setup" /S)" = 6
check "... and leaves the installed version whole" test "$(snapshot "$installed")" = "$before"
run taskkill /f /im hold_file.exe >/dev/null 2>&1 || true
check "the upgrade installs" test "$(status run "$setup" /S)" = 0
check "... the program folder, its plugins, fonts and licences" holds "$installed"
check "... and leaves nothing of the older version" test ! -e "$installed/old-only.txt"
check "... registered as $version" test "$(registered DisplayVersion)" = "$version"
check "a silent downgrade is refused (status 3)" test "$(status run "$work/old-setup.exe" /S)" = 3
check "... and changes nothing" test "$(registered DisplayVersion)" = "$version" -a ! -e "$installed/old-only.txt"
check "the entry shows the icon" test "$(registered DisplayIcon)" = "\"$local_app\\Programs\\Tolvik\\tolvik.exe\",0"
check "... the publisher" test "$(registered Publisher)" = "The Tolvik developers"
check "... the folder" test "$(registered InstallLocation)" = "$local_app\\Programs\\Tolvik"
size=$(registered EstimatedSize)
check "... the size" test "$((16#${size#dword:}))" -gt 4096
check "... no repair" test "$(registered NoRepair)" = dword:00000001
check "a Start-menu shortcut to the installed program" grep -qa "tolvik.exe" "$shortcut"
check "... with a description" bash -c "strings -el '$shortcut' | grep -q 'Convert WAV files to MP3 in batches'"

sox -n -R -r 22050 -c 1 -b 16 "$work/installed.wav" synth 1 sine 440
music="$(unix "$(run cmd /c 'echo %USERPROFILE%' | tr -d '\r')")/Music/Tolvik"
rm -f "$music/installed.mp3"
(run "$installed/tolvik.exe" "$(win "$work/installed.wav")" >/dev/null 2>&1 &)
check "the installed program converts into Music\\Tolvik" eventually test -s "$music/installed.mp3"
check "... and has no output folder of its own" test ! -e "$installed/output"
# Ended as Windows ends a program, and waited for: the files of a running
# program cannot be deleted.
run taskkill /f /im tolvik.exe >/dev/null 2>&1 || true
check "the installed program ended" eventually ended

run "$installed/Uninstall.exe" /S
# The uninstaller runs from a copy of itself (Au_.exe) in the temporary
# folder, which goes on after Uninstall.exe returns.
gone() { [[ ! -e "$installed/Uninstall.exe" ]] && ended; }
check "the uninstaller removes the program" eventually gone
check "... and every file it installed" test ! -e "$installed"
check "... but not the user's MP3" test -s "$music/installed.mp3"
check "... and the shortcut and the entry" test ! -e "$shortcut" -a -z "$(registered DisplayName)"

# A folder of the user's choice: quoted (as Wine passes it), unquoted (as
# typed at a prompt), and on the folder page.
check "/D= in quotes installs there" test "$(status run "$setup" /S "/D=$chosen")" = 0 -a -f "$(unix "$chosen")/tolvik.exe"
check "... and registers it" test "$(registered InstallLocation)" = "$chosen"
check "a second install goes where the first is" \
  test "$(status run "$setup" /S)" = 0 -a -f "$(unix "$chosen")/tolvik.exe" -a ! -e "$installed"
cp "$setup" "$(unix 'C:\setup.exe')"
check "/D= unquoted moves the installation there" bash -c "
  '$here/scripts/windows/wine-run.sh' cmd /c 'C:\\setup.exe /S /D=C:\\Other Place\\Tolvik' >/dev/null 2>&1
  test -f '$(unix 'C:\Other Place\Tolvik')/tolvik.exe' -a ! -e '$(unix "$chosen")/tolvik.exe'"
check "... and registers it" test "$(registered InstallLocation)" = 'C:\Other Place\Tolvik'
(run "$setup" >/dev/null 2>&1 &)
page() { page=$(xdotool search --name '^Tolvik Setup' 2>/dev/null | head -n 1) && [[ -n "$page" ]]; }
check "the installer shows its folder page" eventually page
check "a second installer meanwhile is refused (status 5)" test "$(status run "$setup" /S)" = 5
check "... and changes nothing" test -f "$(unix 'C:\Other Place\Tolvik')/tolvik.exe"
# The folder field has the focus; Return presses Install, then Finish
# (with "Run Tolvik" ticked).
xdotool windowfocus --sync "$page" key ctrl+a type --delay 20 'C:\Picked Folder\Tolvik'
xdotool key Return
check "the folder typed on the page is where the files go" eventually test -f "$(unix 'C:\Picked Folder\Tolvik')/Uninstall.exe"
check "... and what is registered" eventually test "$(registered InstallLocation)" = 'C:\Picked Folder\Tolvik'
check "... the earlier installation is gone" eventually test ! -e "$(unix 'C:\Other Place\Tolvik')/tolvik.exe"
# Return once the last page is up: pressed until the page is gone and
# the program shows (Return does nothing while the files are copied).
finish_page() { xdotool getwindowname "$page" >/dev/null 2>&1 && xdotool windowfocus --sync "$page" key Return; window; }
check "\"Run Tolvik\" on the last page runs it" eventually finish_page
run taskkill /f /im tolvik.exe >/dev/null 2>&1 || true
check "the program ended" eventually ended
finish
