#!/usr/bin/env bash
# Puts the licences and the notice of what a package ships into a folder:
# Debian's copyright file of each source package whose code or files go
# with it (the same sources and versions the builds use), the licence
# texts they name, and NOTICE.txt (packaging/licences/NOTICE-KIND.txt).
# Usage: licences.sh FOLDER windows|linux
set -euo pipefail
folder=$1
kind=$2
here=$(cd "$(dirname "$0")/.." && pwd)
# A binary package installed here from each source: its copyright file.
case $kind in
  windows) from=(libqt6core6 libmp3lame0 libsndfile1 libsoxr0 libflac12 libogg0 libvorbis0a libopus0 libmpg123-0
                 fonts-wine gcc-mingw-w64-base mingw-w64-common)
           texts=(LGPL-2.1 LGPL-3 GPL-3) ;;
  linux) from=(fonts-wine libmp3lame0 libstdc++6)
         texts=(LGPL-2.1 GPL-3) ;;
  *) echo "licences.sh: windows or linux, not $kind" >&2; exit 1 ;;
esac
mkdir -p "$folder"
sources=
for package in "${from[@]}"; do
  source=$(dpkg-query -W -f='${source:Package} ${source:Version}' "$package")
  [[ -f /usr/share/doc/$package/copyright ]] || { echo "licences.sh: no copyright file of $package" >&2; exit 1; }
  cp "/usr/share/doc/$package/copyright" "$folder/${source% *}.copyright.txt"
  sources+="  ${source/ / }"$'\n'
done
for text in "${texts[@]}"; do
  cp "/usr/share/common-licenses/$text" "$folder/$text.txt"
done
version=$(sed -n 's/^project(Tolvik VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
export TOLVIK_VERSION=$version TOLVIK_SOURCES=$sources
perl -pe 's/\@VERSION\@/$ENV{TOLVIK_VERSION}/g; s/\@SOURCES\@\n/$ENV{TOLVIK_SOURCES}/g' \
  "$here/packaging/licences/NOTICE-$kind.txt" > "$folder/NOTICE.txt"
if [[ $kind == windows ]]; then # read with Notepad: Windows line ends
  for file in "$folder"/*.txt; do sed -i 's/\r*$/\r/' "$file"; done
fi
