#!/usr/bin/env bash
# Builds the Linux packages into build/packages/:
#   tolvik_<version>_amd64.deb            (the installation under /usr; lintian runs on it)
#   tolvik-feedback-server_<version>_amd64.deb  (the maker's feedback server, its unit off)
#   tolvik-<version>-linux-x86_64.tar.gz  (the program folder, runnable where unpacked)
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
scripts/deps.sh --package
scripts/build.sh

out=build/packages
rm -rf "$out"
mkdir -p "$out"
version=$(sed -n 's/^project(Tolvik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

(cd build && cpack -G DEB -B "$PWD/packages/cpack" > /dev/null)
mv "$out"/cpack/*.deb "$out/"
rm -rf "$out/cpack"
deb=$(ls "$out"/tolvik_*.deb)

# The portable archive: the installed program folder, its own output/ beside it.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install build --prefix "$stage/usr" --strip --component program > /dev/null
folder="tolvik-$version-linux-x86_64"
mkdir -p "$stage/$folder/output"
cp -a "$stage/usr/lib/tolvik/." "$stage/$folder/"
bash scripts/licences.sh "$stage/$folder/licences" linux
tar -C "$stage" --owner=0 --group=0 -czf "$out/$folder.tar.gz" "$folder"

echo "lintian:"
lintian --no-tag-display-limit "$deb" "$out"/tolvik-feedback-server_*.deb || true
ls -l "$out"
echo "packages built in $((SECONDS - started)) s"
