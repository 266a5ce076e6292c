#!/usr/bin/env bash
# Installs, when missing, every Debian 12 package the project needs to build, test and run.
set -euo pipefail
packages=(
  g++ clang libclang-rt-14-dev cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev
  qt6-base-dev libxkbcommon-dev libgl-dev
  zlib1g-dev libpng-dev libgif-dev libjpeg-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-dejavu-extra
  fonts-liberation fonts-urw-base35 fonts-noto-mono
  unzip zip pngcheck imagemagick python3 default-jdk-headless xvfb xauth
)
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
