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
bash scripts/licences.sh "$out/Tolvik-$version/licences" windows
(cd "$out" && zip -qr "Tolvik-$version-win64.zip" "Tolvik-$version")

bash scripts/windows/make_installer.sh "$out/Tolvik-$version" "$out/Tolvik-$version-setup.exe"
rm -rf "$out/Tolvik-$version"
ls -l "$out"
