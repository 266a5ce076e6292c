#!/usr/bin/env bash
# Installs, when missing, the Debian 12 packages the project needs: what building and running the
# programs needs, and with --tests also what the tests, fuzz targets and tools use.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libxkbcommon-dev libgl-dev
  zlib1g-dev libpng-dev libgif-dev libjpeg-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-dejavu-extra fonts-liberation
)
if [ "${1:-}" = --tests ]; then
  packages+=(
    clang libclang-rt-14-dev git libgtest-dev libgmock-dev
    unzip zip pngcheck imagemagick python3 default-jdk-headless xvfb xauth
    fonts-urw-base35 fonts-noto-mono
  )
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
