#!/usr/bin/env bash
# Packs the Windows program folder (scripts/windows/build.sh) into
# build-win64/packages/: Tolvik-<version>-win64.zip, runnable where it is
# unpacked, and Tolvik-<version>-setup.exe, an NSIS installer for the user
# (installs nsis, zip and unzip, for the test, when missing).
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib.sh
install_missing nsis zip unzip
version=$(sed -n 's/^project(Tolvik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$PWD/build-win64/packages
rm -rf "$out"
mkdir -p "$out/Tolvik-$version"
cp -r build-win64/app/. "$out/Tolvik-$version/"
rm -f "$out/Tolvik-$version/output/"*
(cd "$out" && zip -qr "Tolvik-$version-win64.zip" "Tolvik-$version")

# The uninstaller deletes exactly the files the installer put there.
files=$out/files.nsh
(cd "$out/Tolvik-$version" && find . -type f | sed 's|^\./||; s|/|\\|g; s|^|  Delete "$INSTDIR\\|; s|$|"|'
 cd "$out/Tolvik-$version" && find . -mindepth 1 -type d ! -name output | sort -r \
   | sed 's|^\./||; s|/|\\|g; s|^|  RMDir "$INSTDIR\\|; s|$|"|') > "$files"
makensis -V2 -DVERSION="$version" -DAPPDIR="$out/Tolvik-$version" -DFILES="$files" \
  -DOUTFILE="$out/Tolvik-$version-setup.exe" packaging/windows/tolvik.nsi
rm -rf "$out/Tolvik-$version" "$files"
ls -l "$out"
