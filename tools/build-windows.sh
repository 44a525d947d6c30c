#!/usr/bin/env bash
# Builds the Windows program on Debian: installs the cross compiler, Wine and NSIS, builds a static
# wxWidgets for MSW once per machine from Debian's own source package (into a cache outside the
# checkout, keyed by wx's version and configure line), cross-builds selvara-card-viewer.exe with
# the `windows` preset, makes the zip and the installer, and runs the tests under Wine: the unit
# tests, the program as a process, and the installer's round trip.
# Usage (as root, or a user who may sudo): tools/build-windows.sh [wx]
#   wx: only make sure the cached wxWidgets is built, and print its wx-config.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mode=${1:-all}
jobs=${SELVARA_JOBS:-2}
cache=${SELVARA_WX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/selvara-card-viewer}
host=x86_64-w64-mingw32
# The posix flavour of MinGW's GCC has std::thread and std::mutex; the win32 flavour does not.
cc=$host-gcc-posix
cxx=$host-g++-posix
packages=(cmake make git binutils g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev
  wine wine64 nsis icoutils zip xvfb xauth openbox xdotool x11-utils)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
log() { echo "build-windows: $*" >&2; }
die() {
  log "$*"
  exit 1
}

updated=0
apt_update() {
  [ "$updated" -eq 0 ] || return 0
  $sudo apt-get update -qq -o DPkg::Lock::Timeout=900
  updated=1
}
# install_missing PACKAGE...: installs those of the packages that are not installed yet.
install_missing() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  apt_update
  # Another apt on the machine (a second build) is waited for, not taken for a failure.
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=900 "${missing[@]}"
}

# wx's sources come from the release's own source package: a deb-src entry for its main archive
# is added when apt knows none.
ensure_deb_src() {
  apt-cache showsrc wxwidgets3.2 2>/dev/null | grep -q '^Version:' && return 0
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || die "cannot tell this Debian release's name from /etc/os-release"
  # The archive this machine already takes the release's binary packages from.
  local uri
  uri=$(apt-get indextargets --format '$(REPO_URI) $(CODENAME) $(COMPONENT)' \
    'Created-By: Packages' 2>/dev/null |
    awk -v r="$codename" '$2 == r && $3 == "main" { print $1; exit }')
  [ -n "$uri" ] || die "apt takes no packages from $codename's main archive: no deb-src entry made"
  log "adding a deb-src entry for $codename (/etc/apt/sources.list.d/selvara-deb-src.sources)"
  printf '%s\n' "Types: deb-src" "URIs: $uri" \
    "Suites: $codename" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
    $sudo tee /etc/apt/sources.list.d/selvara-deb-src.sources >/dev/null
  updated=0
  apt_update
  apt-cache showsrc wxwidgets3.2 | grep -q '^Version:' ||
    die "apt has no source package wxwidgets3.2 even with a deb-src entry"
}

# Everything in wx that the program does not use is off; Debian's source has no bundled image,
# zlib or expat libraries, so none of those are asked for.
wx_configure=("--host=$host" --with-msw --disable-shared --without-subdirs --without-opengl
  --without-libpng --without-libjpeg --without-libtiff --without-zlib --without-expat --without-regex
  --without-liblzma --without-nanosvg --without-libxpm --without-libiconv --disable-xrc --disable-html
  --disable-htmlhelp --disable-aui --disable-propgrid --disable-ribbon --disable-stc --disable-richtext
  --disable-mediactrl --disable-sound --disable-svg --disable-debugreport --disable-sockets
  --disable-protocols --disable-url --disable-zipstream --disable-tarstream --disable-fs_zip
  --disable-fs_inet --disable-ftp --disable-http --enable-webview --enable-webviewie
  --disable-webviewedge "CC=$cc" "CXX=$cxx")

# Prints the wx-config of the cached wxMSW, building it first when the cache has none. The build
# happens in a folder of its own and is moved into place only when installed whole, so a build
# that was stopped half way is never taken for a finished one.
ensure_wx() {
  ensure_deb_src
  local version key dir work
  version=$(apt-cache showsrc wxwidgets3.2 | sed -n 's/^Version: //p' | sort -V | tail -n 1)
  key=$(printf '%s\n' "${wx_configure[@]}" | sha256sum | cut -c1-12)
  dir="$cache/wxmsw-$version-$key"
  mkdir -p "$cache"
  # One build per key at a time: a second run waits for the first and then uses what it built.
  exec 9>"$dir.lock"
  flock 9
  if [ -x "$dir/bin/wx-config" ]; then
    echo "$dir/bin/wx-config"
    return 0
  fi
  # With the lock held, any build folder of this key is one that was stopped half way.
  rm -rf "$cache/.building-wxmsw-$version-$key."*
  work=$(mktemp -d "$cache/.building-wxmsw-$version-$key.XXXXXX")
  log "building wxWidgets $version for MSW in $work"
  log "(once per machine: 15 to 45 minutes on 2 cores, as busy as they are)"
  local start=$SECONDS
  (
    cd "$work"
    # apt's download user cannot write a folder of root's: download as whoever runs this.
    apt-get source -qq -o APT::Sandbox::User="$(id -un)" "wxwidgets3.2=$version" >/dev/null
    src=$(find . -maxdepth 1 -type d -name 'wxwidgets3.2-*' | head -n 1)
    [ -n "$src" ] || die "apt-get source wxwidgets3.2=$version unpacked no source folder"
    mkdir objects
    cd objects
    "../$src/configure" --prefix="$dir" "${wx_configure[@]}" >configure.log 2>&1 ||
      die "wxWidgets' configure failed, see $work/objects/configure.log"
    nice -n 10 make -j"$jobs" >make.log 2>&1 || die "building wxWidgets failed, see $work/objects/make.log"
    make install DESTDIR="$work/stage" >install.log 2>&1 ||
      die "installing wxWidgets failed, see $work/objects/install.log"
  )
  mv "$work/stage$dir" "$dir"
  rm -rf "$work"
  log "wxWidgets $version for MSW built in $((SECONDS - start)) s: $dir"
  echo "$dir/bin/wx-config"
}

install_missing "${packages[@]}"
wx_config=$(ensure_wx)
if [ "$mode" = wx ]; then
  echo "$wx_config"
  exit 0
fi

build=build/windows
dist="$build/dist"
exe="$build/bin/selvara-card-viewer.exe"
version=$(sed -nE 's/^project\(selvara_card_viewer VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
export SELVARA_WX_CONFIG="$wx_config"
cmake --preset windows
cmake --build --preset windows

# The zip and the installer hold the program stripped, its README and the licence if the
# repository has one.
rm -rf "$dist"
cmake --install "$build" --prefix "$dist/stage" --strip >/dev/null
cp README.md "$dist/stage/"
nsis_licence=()
licence=$(find . -maxdepth 1 \( -iname 'licen[cs]e*' -o -iname 'copying*' \) | head -n 1)
if [ -n "$licence" ]; then
  cp "$licence" "$dist/stage/LICENCE.txt"
  nsis_licence=(-DLICENCE="$root/$dist/stage/LICENCE.txt")
fi
zip_file="$dist/selvara-card-viewer-$version-windows-x64.zip"
(cd "$dist/stage" && zip -qX -r "../$(basename "$zip_file")" .)
setup="$dist/selvara-card-viewer-$version-windows-x64-installer.exe"
makensis -V2 -DVERSION="$version" -DEXE="$root/$dist/stage/selvara-card-viewer.exe" \
  -DREADME="$root/$dist/stage/README.md" "${nsis_licence[@]}" -DOUTFILE="$root/$setup" \
  packaging/windows/installer.nsi

# The Windows programs run in a Wine prefix of this build's own, made once; one wineserver serves
# every test process (each would otherwise start and stop its own, seconds each).
export WINEPREFIX="$root/$build/wine" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  log "making the Wine prefix $WINEPREFIX"
  # No HTML engine or .NET runtime to download: their installers are not asked for.
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || die "wineboot -i failed in $WINEPREFIX"
fi
# The prefix is this build's own: whatever still runs in it (wineboot's server) is ended first.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
# The tests run in one display session: a Wine server's desktop, which every window of its
# programs is on, is made once, by its first program, on that program's display. That first
# program is a console one with no output of ours, which also starts Wine's services: started
# by a test instead, they would keep its output pipe open until ctest's time limit.
tools/lib/display_session.sh x11 1 bash -c \
  'wine cmd /c exit </dev/null >/dev/null 2>&1 && ctest --preset windows --timeout 300'
# The rest makes no window: a new server, its services started as before.
wineserver -k
wineserver -w
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1 || die "Wine cannot run a program in $WINEPREFIX"

printed=$(wine "$exe" --version | tr -d '\r')
[ "$printed" = 1.0.0.1 ] || die "$exe --version printed \"$printed\", not 1.0.0.1"

log "made $exe; packaged (program $(stat -c %s "$dist/stage/selvara-card-viewer.exe") bytes):"
log "  $zip_file"
log "  $setup"
