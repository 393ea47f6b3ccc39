#!/usr/bin/env bash
# Makes an NSIS installer of a Windows program folder.
# Usage: make_installer.sh APPDIR OUTFILE [VERSION]
# VERSION defaults to the project's (the tests make older ones).
set -euo pipefail
appdir=$(cd "$1" && pwd)
outfile=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The uninstaller deletes exactly the files the installer put there (and a
# failed install removes them again).
(cd "$appdir" && find . -type f ! -path './output/*' | sed 's|^\./||; s|/|\\|g; s|^|  Delete "$INSTDIR\\|; s|$|"|'
 cd "$appdir" && find . -mindepth 1 -type d ! -name output | sort -r \
   | sed 's|^\./||; s|/|\\|g; s|^|  RMDir "$INSTDIR\\|; s|$|"|') > "$work/files.nsh"
size_kb=$(du -sk --apparent-size "$appdir" | cut -f1)
makensis -V2 -DPROJECT="$here/build-win64/project.nsh" ${3:+-DVERSION="$3"} -DAPPDIR="$appdir" \
  -DFILES="$work/files.nsh" -DSIZE_KB="$size_kb" -DOUTFILE="$outfile" "$here/packaging/windows/tolvik.nsi"
