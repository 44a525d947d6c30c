#!/usr/bin/env bash
# Installs the program into a temporary prefix and, as root, from its Debian package; checks what a
# desktop needs of each and runs each on a card set. Runs inside tools/lib/display_session.sh.
# Usage: install_test.sh BUILD_DIR
build_dir=$(cd "$1" && pwd)
# shellcheck source=../harness.sh
. "$(dirname "$0")/../harness.sh"

# A card set large enough that the web engine is still busy with its page when the viewer closes.
set_dir="$work/large set"
# A stand-in file manager that opens folders, in the lowest-ranked data folder.
mkdir -p "$set_dir"/data/{a,b,c}{0000..9999} "$work/system/applications" "$work/desktop"
printf '[Desktop Entry]\nType=Application\nName=Files\nExec=true %%U\nMimeType=inode/directory;\n' \
  >"$work/system/applications/files.desktop"

# What a desktop needs of the files installed under the data folder SHARE and the program PROGRAM.
check_installed() {
  local program="$1" share="$2" entry="$2/applications/selvara-card-viewer.desktop"
  # The web engine's large libraries wait in the browser module until the options dialog is on
  # screen. The program and its module are checked by the run that follows.
  ! readelf -d "$program" | grep -qiE 'NEEDED.*(webkit|webview)' || fail "it links the web engine"
  for size in 16 24 32 48 64 128 256; do
    icon="$share/icons/hicolor/${size}x${size}/apps/selvara-card-viewer.png"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size is wrong"
  done
  desktop-file-validate "$entry" || fail "the desktop entry does not validate"
  # "Open With" offers every shown entry that takes a file; this one passes the folder on, and
  # from the menu, with none, it asks for one.
  grep -qx 'Exec=selvara-card-viewer --choose-folder %f' "$entry" ||
    fail "the desktop entry does not pass the folder"
  ! grep -qE '^(NoDisplay|Hidden)=true' "$entry" || fail "the desktop entry is hidden"
  # AppStream 1.0 warns that the project names no homepage (it has none); nothing else may fail.
  report=$(appstreamcli validate --no-net "$share/metainfo/io.selvara.CardViewer.metainfo.xml") ||
    [ "$(grep -E '^[EW]: ' <<<"$report" | sed 's/.*: //' | sort -u)" = url-homepage-missing ] ||
    fail "the AppStream metainfo does not validate: $report"
  man -l "$share/man/man1/selvara-card-viewer.1.gz" 2>/dev/null | grep -q "selvara-card-viewer" ||
    fail "the manual page does not render"
  # Installing never takes over folders: once the desktop's database is refreshed, the stand-in
  # file manager still opens them, even with the viewer's folder ranked above it.
  update-desktop-database "$share/applications" "$work/system/applications"
  opener=$(XDG_DATA_HOME="$work/desktop" XDG_DATA_DIRS="$share:$work/system" \
    XDG_CONFIG_HOME="$work/desktop" XDG_CONFIG_DIRS="$work/desktop" gio mime inode/directory)
  [ "$(sed -n '1s/.*: //p' <<<"$opener")" = files.desktop ] ||
    fail "installing changed the folder opener: $opener"
}

# Runs PROGRAM on the large set: the gallery opens, and closing it while the page still loads
# ends the program with status 0 and its web process too.
run_viewer() {
  start "$1" "$set_dir"
  close_options
  viewer=$(wait_for_window "SET - large set - Selvara Card Viewer - Version 1.0.0.1" "$pid") ||
    fail "no gallery; the program said: $(cat "$err")"
  engine=$(pgrep -n -P "$pid" WebKitWebProces) || fail "no web process under the program"
  press_key "$viewer" alt+F4
  ended 0
  ! ps -o stat= -p "$engine" | grep -qv '^Z' || fail "the web process outlived the program"
}

case_name=prefix
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null || fail "the install failed"
check_installed "$work/prefix/bin/selvara-card-viewer" "$work/prefix/share"
run_viewer "$work/prefix/bin/selvara-card-viewer"

[ "$(id -u)" = 0 ] || verdict "for a prefix; the Debian package needs root, not tried"
case_name=package
(cd "$work" && cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package" >/dev/null) ||
  fail "the package did not build"
trap 'dpkg -P selvara-card-viewer >/dev/null; rm -rf "$work"' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$work"/package/selvara-card-viewer_*.deb \
  >/dev/null || fail "the package did not install"
check_installed /usr/bin/selvara-card-viewer /usr/share
run_viewer /usr/bin/selvara-card-viewer
verdict
