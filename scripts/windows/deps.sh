#!/usr/bin/env bash
# Installs what the Windows build needs (mingw-w64, Wine) and cross-builds
# conv's libraries (lame, libsndfile, libsoxr) and Qt (qt6-base: Core,
# Gui, Widgets, Network, Test) from Debian's own sources into
# ~/.cache/tolvik/win64/, keyed by their versions and this script, so that
# a second run costs seconds. Prints the two prefixes, audio then Qt, on
# its last line.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source scripts/lib.sh
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
          wine wine64 cmake ninja-build dpkg-dev make)
install_missing "${packages[@]}"

# Sources come from the Debian archive the machine already uses.
if [[ -z "$(apt-cache showsrc lame 2>/dev/null)" ]]; then
  [[ $(id -u) -eq 0 ]] || { echo "Add a deb-src entry for the Debian archive first" >&2; exit 1; }
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -e "$f" ]] && sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
  done
  if [[ -f /etc/apt/sources.list ]]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/tolvik-src.list || true
  fi
  apt-get update >&2
fi

version() { apt-cache showsrc "$1" | awk '/^Version:/ && !v {v = $2} END {print v}'; }
# The key: the sources' versions, the toolchain and the build steps below
# (from "recipe" on), not the rest of this script.
key=$( (version lame; version libsndfile; version libsoxr; version qt6-base; cat cmake/mingw-w64-x86_64.cmake
        sed -n '/^# recipe$/,$p' "$0") | sha1sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tolvik/win64
prefix=$cache/audio-$key
qt=$cache/qt-$key
if [[ -f "$prefix/.done" && -f "$qt/.done" ]]; then
  echo "$prefix $qt"
  exit 0
fi

# recipe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each step logs to a file of its own; a failure prints the log's end, so a
# long build that breaks says why.
logs=$cache/logs
mkdir -p "$logs"
step() {
  local name=$1
  shift
  if ! "$@" >"$logs/$name.log" 2>&1; then
    echo "deps.sh: $name failed; the end of $logs/$name.log:" >&2
    tail -n 60 "$logs/$name.log" >&2
    exit 1
  fi
}
started=$SECONDS
toolchain=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release)
if [[ ! -f "$prefix/.done" ]]; then
rm -rf "$cache"/audio-* # other versions' builds
mkdir -p "$prefix"
cd "$work"
step audio-sources apt-get source --download-only lame libsndfile libsoxr
# Unpacked with Debian's patches (libsndfile's security fixes among them).
for dsc in *.dsc; do step "unpack-${dsc%%_*}" dpkg-source -x "$dsc"; done
(
  cd "$work"/lame-*/
  # The Windows export list names a function this version no longer has.
  sed -i '/lame_init_old/d' include/libmp3lame.sym
  step lame-configure ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$prefix" \
    --enable-static --disable-shared --disable-frontend --disable-gtktest
  step lame-build make -j"$(nproc)"
  step lame-install make install
)
step sndfile-configure cmake -S "$work"/libsndfile-*/ -B "$work/sndfile-build" "${toolchain[@]}" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DENABLE_EXTERNAL_LIBS=OFF \
  -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF
step sndfile-build cmake --build "$work/sndfile-build"
step sndfile-install cmake --install "$work/sndfile-build"
step soxr-configure cmake -S "$work"/libsoxr-*/ -B "$work/soxr-build" "${toolchain[@]}" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DWITH_OPENMP=OFF -DBUILD_TESTS=OFF \
  -DBUILD_EXAMPLES=OFF -DWITH_LSR_BINDINGS=OFF
step soxr-build cmake --build "$work/soxr-build"
step soxr-install cmake --install "$work/soxr-build"
touch "$prefix/.done"
echo "== the Windows audio libraries took $((SECONDS - started)) s" >&2
fi

# Qt: the host's own Qt tools (moc, rcc, uic) serve the cross build. The
# bundled zlib, libpng, libjpeg, pcre2 and HarfBuzz are used. DirectWrite is
# off with Direct2D: Qt 6.4 builds its DirectWrite font database only with
# Direct2D, yet the platform plugin would call it (GDI draws the skin's
# Tahoma, so FreeType is not needed either). Only what the program and the
# tests use is built: modules, plugins and widgets nothing here links are
# turned off, and code is optimised for size, which also compiles faster.
if [[ ! -f "$qt/.done" ]]; then
rm -rf "$cache"/qt-*
started=$SECONDS
mkdir -p "$work/qt" && cd "$work/qt"
step qt-source apt-get source --download-only qt6-base
step qt-unpack dpkg-source -x qt6-base_*.dsc
unused=(dbus sql printsupport concurrent xml vulkan openssl icu glib opengl freetype gif ico
        tabletevent direct2d directwrite directwrite3 androiddeployqt sessionmanager pdf
        textmarkdownreader textmarkdownwriter textodfwriter networklistmanager networkdiskcache
        dnslookup mdiarea calendarwidget dial lcdnumber fontcombobox fontdialog colordialog wizard
        keysequenceedit)
bundled=(zlib png jpeg pcre2 harfbuzz freetype doubleconversion libb2)
flags=()
for f in "${unused[@]}"; do flags+=("-DFEATURE_$f=OFF"); done
for f in "${bundled[@]}"; do flags+=("-DFEATURE_system_$f=OFF"); done
step qt-configure cmake -S "$work"/qt/qt6-base-*/ -B "$work/qt-build" "${toolchain[@]}" -DCMAKE_INSTALL_PREFIX="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DINPUT_opengl=no \
  "${flags[@]}" -DFEATURE_optimize_size=ON -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DFEATURE_testlib=ON
step qt-build cmake --build "$work/qt-build" --parallel "$(nproc)"
step qt-install cmake --install "$work/qt-build"
touch "$qt/.done"
echo "== Qt for Windows took $((SECONDS - started)) s" >&2
fi
echo "$prefix $qt"
