#!/usr/bin/env bash
# Installs, with apt, whatever Penlark needs to build, run and test that is not there yet.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
  libicu-dev libpcre2-dev libsndfile1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei
)
if [ "${1:-}" = "--tests" ]; then
  packages+=(xvfb xauth pulseaudio pulseaudio-utils sox)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
