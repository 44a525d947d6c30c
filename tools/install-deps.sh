#!/usr/bin/env bash
# Installs what building, running and testing the viewer needs, from the packages of the running
# Debian release (12, 13, or a derivative). Without apt it installs nothing and says what is needed.
set -euo pipefail
packages=(
  cmake g++ make pkg-config git binutils procps
  libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth dbus at-spi2-core openbox xdotool x11-utils x11-xserver-utils libx11-dev libxtst-dev
  weston
  imagemagick fonts-dejavu-core librsvg2-common desktop-file-utils man-db appstream libglib2.0-bin
  dpkg-dev file
  clang libclang-rt-dev clang-format clang-tidy python3
)

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  cat >&2 <<'EOF'
install-deps: no apt here, so nothing was installed. The build and its tests need: CMake, a C++20
compiler, make, pkg-config, git, binutils, procps, wxWidgets 3.2 (GTK 3) with its web view, the
WebKitGTK development files of the API that web view links (4.0 or 4.1), GTK 3, GoogleTest and
GoogleMock, Google Benchmark, Xvfb, xauth, the D-Bus daemon, AT-SPI's core, openbox, xdotool,
xprop, xrdb, Xlib and XTest, weston, ImageMagick, DejaVu fonts, librsvg (GTK's theme icons),
desktop-file-utils, man-db, appstream, GLib's gio tool, dpkg-dev (for the .deb), file, clang with
its compiler runtime, clang-format, clang-tidy, python3. Package names as far as known (untested):
  Fedora: cmake gcc-c++ make pkgconf-pkg-config git binutils procps-ng wxGTK-devel gtk3-devel
    webkit2gtk4.1-devel gtest-devel gmock-devel google-benchmark-devel xorg-x11-server-Xvfb
    xorg-x11-xauth dbus-daemon at-spi2-core openbox xdotool xprop xrdb libX11-devel libXtst-devel
    weston ImageMagick dejavu-sans-fonts librsvg2 desktop-file-utils man-db appstream glib2
    dpkg-dev file clang compiler-rt clang-tools-extra python3
  Arch: cmake gcc make pkgconf git binutils procps-ng wxwidgets-gtk3 gtk3 webkit2gtk-4.1 gtest
    benchmark xorg-server-xvfb xorg-xauth dbus at-spi2-core openbox xdotool xorg-xprop xorg-xrdb
    libx11 libxtst weston imagemagick ttf-dejavu librsvg desktop-file-utils man-db appstream glib2
    dpkg file clang compiler-rt python
EOF
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=0
# install_missing PACKAGE...: installs those of the packages that are not installed yet.
install_missing() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$updated" -eq 0 ]; then
    $sudo apt-get update -qq
    updated=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
install_missing "${packages[@]}"

# The WebKitGTK development files are those of the API (4.0 or 4.1) that the toolkit's web view
# library links, as CMake finds it too (cmake/WebKitForWebView.cmake).
libs=$(wx-config --libs webview)
name=$(grep -oE -- '-lwx_[^ ]*webview[^ ]*' <<<"$libs" | cut -c3-)
api=""
for dir in $(grep -oE -- '-L[^ ]+' <<<"$libs" | cut -c3-); do
  [ -e "$dir/lib$name.so" ] || continue
  api=$(readelf -d "$dir/lib$name.so" |
    sed -nE 's/.*NEEDED.*\[libwebkit2gtk-([0-9]+\.[0-9]+)\.so.*/\1/p')
done
if [ -z "$api" ]; then
  echo "install-deps: found no WebKitGTK library linked by lib$name.so (wx-config: $libs)" >&2
  exit 1
fi
install_missing "libwebkit2gtk-$api-dev"
