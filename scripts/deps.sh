#!/usr/bin/env bash
# Installs everything the program needs to build, run and test on Debian 12.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libgl-dev libsqlite3-dev sqlite3
  libx11-dev libxtst-dev
  fonts-noto-cjk
  libbenchmark-dev
  xvfb xauth
  desktop-file-utils appstream dpkg-dev file
  clang libclang-rt-14-dev  # the fuzz target (libFuzzer)
  xdotool dbus-x11 at-spi2-core  # scripts/start_quit_loop.sh
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
