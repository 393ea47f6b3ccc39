#!/usr/bin/env bash
# Installs what the Windows build needs (mingw-w64, Wine) and cross-builds
# conv's libraries (lame, libsndfile with what it reads FLAC, Ogg Vorbis,
# Opus and MP3 with: flac, libogg, libvorbis, opus, mpg123; libsoxr) and
# Qt (qt6-base: Core, Gui, Widgets, Network, Test) from Debian's own
# sources into ~/.cache/tolvik/win64/, each set keyed by its versions and
# its build steps here, so that a second run costs seconds. Prints the two
# prefixes, audio then Qt, on its last line.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source scripts/lib.sh
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
          wine wine64 fonts-wine cmake ninja-build dpkg-dev make qt6-l10n-tools qt6-translations-l10n)
install_missing "${packages[@]}"

# Sources come from the Debian archive the machine already uses.
enable_source_packages

version() { source_version "$1"; }
audio_sources=(lame libsndfile libsoxr flac libogg libvorbis opus mpg123)
# A set's key: its sources' versions, the toolchain and its own build steps
# below (between "# recipe: NAME" and "# end: NAME", and the common ones),
# not the rest of this script: Qt is not rebuilt for a change to the audio
# libraries, nor they for Qt.
recipe() { sed -n "/^# recipe: $1\$/,/^# end: $1\$/p" "$0"; }
key() { (for source in "${@:2}"; do version "$source"; done; cat cmake/mingw-w64-x86_64.cmake
         recipe common; recipe "$1") | sha1sum | cut -c1-12; }
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tolvik/win64
prefix=$cache/audio-$(key audio "${audio_sources[@]}")
qt=$cache/qt-$(key qt qt6-base)
if [[ -f "$prefix/.done" && -f "$qt/.done" ]]; then
  echo "$prefix $qt"
  exit 0
fi

# recipe: common
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
# end: common

# recipe: audio
# Static libraries, each found by the next through the prefix.
cmake_library() { # NAME SOURCE [cmake options]
  local name=$1 source=$2
  shift 2
  step "$name-configure" cmake -S "$source" -B "$work/$name-build" "${toolchain[@]}" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@"
  step "$name-build" cmake --build "$work/$name-build"
  step "$name-install" cmake --install "$work/$name-build"
}
if [[ ! -f "$prefix/.done" ]]; then
rm -rf "$cache"/audio-* # other versions' builds
mkdir -p "$prefix"
export TOLVIK_WIN64_PREFIX=$prefix # the toolchain file's search root
cd "$work"
step audio-sources apt-get source --download-only lame libsndfile libsoxr flac libogg libvorbis opus
# mpg123's upstream signature is missing from the archive, so apt-get
# fails for it after fetching the rest; the sources are unpacked by hand
# with Debian's patches.
apt-get source --download-only mpg123 >"$logs/mpg123-sources.log" 2>&1 || true
for dsc in *.dsc; do
  [[ $dsc == mpg123_* ]] || step "unpack-${dsc%%_*}" dpkg-source -x "$dsc"
done
mkdir mpg123
step unpack-mpg123 tar -xjf mpg123_*.orig.tar.bz2 -C mpg123 --strip-components=1
step unpack-mpg123-debian tar -xJf mpg123_*.debian.tar.xz -C mpg123
step patch-mpg123 bash -c 'cd mpg123 && for p in $(grep -v "^#" debian/patches/series); do patch -p1 < "debian/patches/$p"; done'
(
  cd "$work"/lame-*/
  # The Windows export list names a function this version no longer has.
  sed -i '/lame_init_old/d' include/libmp3lame.sym
  step lame-configure ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$prefix" \
    --enable-static --disable-shared --disable-frontend --disable-gtktest
  step lame-build make -j"$(nproc)"
  step lame-install make install
)
cmake_library ogg "$work"/libogg-*/ -DINSTALL_DOCS=OFF
cmake_library flac "$work"/flac-*/ -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF -DBUILD_CXXLIBS=OFF \
  -DINSTALL_MANPAGES=OFF -DWITH_OGG=ON
cmake_library vorbis "$work"/libvorbis-*/
# Opus 1.3.1's CMake files are incomplete in its release: its configure.
# Stack protection and _FORTIFY_SOURCE (which it adds unless one is set)
# would need mingw's libssp in every program that links it.
(
  cd "$work"/opus-*/
  step opus-configure ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$prefix" \
    --enable-static --disable-shared --disable-doc --disable-extra-programs --disable-stack-protector \
    CPPFLAGS=-D_FORTIFY_SOURCE=0
  step opus-build make -j"$(nproc)"
  step opus-install make install
)
cmake_library mpg123 "$work/mpg123/ports/cmake" -DBUILD_PROGRAMS=OFF -DBUILD_LIBOUT123=OFF
# FLAC's headers import from a DLL unless told the library is static.
cmake_library sndfile "$work"/libsndfile-*/ -DCMAKE_C_FLAGS=-DFLAC__NO_DLL -DENABLE_EXTERNAL_LIBS=ON \
  -DENABLE_MPEG=ON -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DENABLE_CPACK=OFF
cmake_library soxr "$work"/libsoxr-*/ -DWITH_OPENMP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
  -DWITH_LSR_BINDINGS=OFF
touch "$prefix/.done"
unset TOLVIK_WIN64_PREFIX
echo "== the Windows audio libraries took $((SECONDS - started)) s" >&2
fi
# end: audio

# Qt: the host's own Qt tools (moc, rcc, uic) serve the cross build. The
# bundled zlib, libpng, libjpeg, pcre2 and HarfBuzz are used. DirectWrite is
# off with Direct2D: Qt 6.4 builds its DirectWrite font database only with
# Direct2D, yet the platform plugin would call it (GDI draws the skin's
# Tahoma, so FreeType is not needed either). Only what the program and the
# tests use is built: modules, plugins and widgets nothing here links are
# turned off, and code is optimised for size, which also compiles faster.
# recipe: qt
if [[ ! -f "$qt/.done" ]]; then
rm -rf "$cache"/qt-*
started=$SECONDS
mkdir -p "$work/qt" && cd "$work/qt"
step qt-source apt-get source --download-only qt6-base
step qt-unpack dpkg-source -x qt6-base_*.dsc
unused=(dbus sql printsupport concurrent xml vulkan openssl icu glib opengl freetype gif
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
# end: qt
echo "$prefix $qt"
