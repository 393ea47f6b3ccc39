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
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
          wine wine64 cmake ninja-build dpkg-dev make)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  [[ $(id -u) -eq 0 ]] || { echo "Missing packages: sudo apt-get install -y ${missing[*]}" >&2; exit 1; }
  export DEBIAN_FRONTEND=noninteractive
  apt-get update >&2
  apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi

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
key=$( (version lame; version libsndfile; version libsoxr; version qt6-base; cat "$0" cmake/mingw-w64-x86_64.cmake) \
      | sha1sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tolvik/win64
prefix=$cache/audio-$key
qt=$cache/qt-$key
if [[ -f "$prefix/.done" && -f "$qt/.done" ]]; then
  echo "$prefix $qt"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
toolchain=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release)
if [[ ! -f "$prefix/.done" ]]; then
rm -rf "$cache"/audio-* # other versions' builds
mkdir -p "$prefix"
(
  cd "$work"
  apt-get source --download-only lame libsndfile libsoxr >/dev/null 2>&1 || apt-get source --download-only lame libsndfile libsoxr >&2
  # Unpacked with Debian's patches (libsndfile's security fixes among them).
  for dsc in *.dsc; do dpkg-source -x "$dsc" >/dev/null; done

  cd "$work"/lame-*/
  # The Windows export list names a function this version no longer has.
  sed -i '/lame_init_old/d' include/libmp3lame.sym
  ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$prefix" \
    --enable-static --disable-shared --disable-frontend --disable-gtktest >/dev/null
  make -j"$(nproc)" >/dev/null
  make install >/dev/null

  cmake -S "$work"/libsndfile-*/ -B "$work/sndfile-build" "${toolchain[@]}" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_EXTERNAL_LIBS=OFF \
    -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF >/dev/null
  cmake --build "$work/sndfile-build" >/dev/null
  cmake --install "$work/sndfile-build" >/dev/null

  cmake -S "$work"/libsoxr-*/ -B "$work/soxr-build" "${toolchain[@]}" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DWITH_OPENMP=OFF -DBUILD_TESTS=OFF \
    -DBUILD_EXAMPLES=OFF -DWITH_LSR_BINDINGS=OFF >/dev/null
  cmake --build "$work/soxr-build" >/dev/null
  cmake --install "$work/soxr-build" >/dev/null
) >&2
touch "$prefix/.done"
fi

# Qt: the host's own Qt tools (moc, rcc, uic) serve the cross build. The
# bundled zlib, libpng, libjpeg, pcre2, HarfBuzz and FreeType are used.
# DirectWrite is off with Direct2D: Qt 6.4 builds its DirectWrite font
# database only with Direct2D, yet the platform plugin would call it (GDI
# draws the skin's Tahoma).
if [[ ! -f "$qt/.done" ]]; then
rm -rf "$cache"/qt-*
(
  mkdir -p "$work/qt" && cd "$work/qt"
  apt-get source --download-only qt6-base >/dev/null 2>&1 || apt-get source --download-only qt6-base
  dpkg-source -x qt6-base_*.dsc >/dev/null
  cmake -S "$work"/qt/qt6-base-*/ -B "$work/qt-build" "${toolchain[@]}" -DCMAKE_INSTALL_PREFIX="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DINPUT_opengl=no -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_system_libb2=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_openssl=OFF -DFEATURE_icu=OFF \
    -DFEATURE_glib=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DFEATURE_testlib=ON >/dev/null
  cmake --build "$work/qt-build" --parallel "$(nproc)" >/dev/null
  cmake --install "$work/qt-build" >/dev/null
) >&2
touch "$qt/.done"
fi
echo "$prefix $qt"
