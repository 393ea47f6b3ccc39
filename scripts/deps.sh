#!/usr/bin/env bash
# Installs the Debian packages that are missing. Usage: deps.sh [--test|--package]
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev
          libmp3lame-dev libsndfile1-dev libsoxr-dev libcanberra-dev libxcb1-dev
          xdg-utils fonts-wine fonts-wqy-microhei)
if [[ "${1:-}" == "--package" || "${1:-}" == "--test" ]]; then
  packages+=(dpkg-dev file lintian appstream desktop-file-utils)
fi
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb xauth openbox xdotool x11-utils mpg123 ffmpeg sox lame clang libclang-rt-14-dev xxd procps dosfstools fusefat time)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
else
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
