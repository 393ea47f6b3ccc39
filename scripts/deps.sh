#!/usr/bin/env bash
# Installs the Debian packages that are missing. Usage: deps.sh [--test|--package]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

packages=(cmake ninja-build ccache g++ pkg-config qt6-base-dev qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite libgl-dev
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
