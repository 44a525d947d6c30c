#!/usr/bin/env bash
# Installs, from Debian's packages, what building, running and testing the viewer needs.
set -euo pipefail
packages=(
  cmake g++ make pkg-config git
  libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev libwebkit2gtk-4.0-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox xdotool x11-utils x11-xserver-utils libx11-dev libxtst-dev weston
  imagemagick fonts-dejavu-core desktop-file-utils man-db appstream libglib2.0-bin dpkg-dev file
  clang libclang-rt-14-dev clang-format clang-tidy python3
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
