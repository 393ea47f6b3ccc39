#!/usr/bin/env bash
# Installs the Debian packages that are missing. Usage: deps.sh [--test|--package]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

packages=(cmake ninja-build ccache g++ make dpkg-dev pkg-config qt6-base-dev qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite libgl-dev
          libmp3lame-dev libsndfile1-dev libmpg123-dev libsoxr-dev libcanberra-dev libxcb1-dev
          xdg-utils fonts-wine fonts-wqy-microhei qt6-l10n-tools qt6-translations-l10n)
if [[ "${1:-}" == "--package" || "${1:-}" == "--test" ]]; then
  packages+=(dpkg-dev file lintian appstream desktop-file-utils)
fi
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb xauth openbox xdotool x11-utils weston qt6-wayland xcompmgr mpg123 ffmpeg sox lame mp3check mp3val openssl clang libclang-rt-14-dev xxd procps dosfstools fusefat time
            orca speech-dispatcher python3-pyatspi at-spi2-core dbus-daemon sqlite3 apache2-utils)
fi

install_missing "${packages[@]}"

# LAME's own source as Debian builds it (its patches applied), from which
# the build makes conv a copy for processors with AVX2 (cmake/FastLame.cmake).
# Without it conv simply uses the system's LAME.
lame_source() {
  [[ "$(uname -m)" == x86_64 ]] || return 0
  local folder=${XDG_CACHE_HOME:-$HOME/.cache}/tolvik/linux/lame version work
  if ! enable_source_packages || ! version=$(source_version lame) || [[ -z "$version" ]]; then
    echo "deps.sh: LAME's source is out of reach; conv uses the system's LAME" >&2
    return 0
  fi
  [[ -f "$folder/.version" && "$(cat "$folder/.version")" == "$version" ]] && return 0
  work=$(mktemp -d)
  if (cd "$work" && apt-get source --download-only "lame=$version" && dpkg-source -x lame_*.dsc source) >"$work/log" 2>&1; then
    rm -rf "$folder"
    mkdir -p "$(dirname "$folder")"
    mv "$work/source" "$folder"
    echo "$version" > "$folder/.version"
  else
    echo "deps.sh: LAME's source could not be fetched; conv uses the system's LAME:" >&2
    tail -n 5 "$work/log" >&2
  fi
  rm -rf "$work"
}
lame_source
