#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Quillet and Lumbra.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-webengine-dev qt6-webengine-dev-tools
  libqt6webenginecore6-bin libgl-dev
  fonts-noto-cjk
  xvfb xauth
  # the end-to-end tests (tests/e2e): a window manager, X input and window queries,
  # and a faked clock for Lumbra
  openbox xdotool x11-utils faketime
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
