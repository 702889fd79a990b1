#!/usr/bin/env bash
# Installs every system package Velmor needs to build, run and test on Debian 12.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl1-mesa-dev libx11-dev
  libsqlcipher-dev sqlcipher libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev qt6-base-private-dev
  xvfb xauth imagemagick desktop-file-utils appstream dpkg-dev file
  clang-format clang-tidy help2man poppler-utils
  fonts-noto-core fonts-hosny-amiri
)
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
