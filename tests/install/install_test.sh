#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a desktop needs of it.
set -euo pipefail
build_dir="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

for file in bin/selvara-card-viewer share/applications/selvara-card-viewer.desktop \
            share/man/man1/selvara-card-viewer.1; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/selvara-card-viewer" ] || fail "the program is not executable"
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/selvara-card-viewer.png"
  [ -f "$icon" ] || fail "missing icon $size"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size has the wrong size"
done

desktop-file-validate "$prefix/share/applications/selvara-card-viewer.desktop" ||
  fail "the desktop entry does not validate"
grep -qx 'Exec=selvara-card-viewer %f' "$prefix/share/applications/selvara-card-viewer.desktop" ||
  fail "the desktop entry does not pass the folder"
grep -qx 'MimeType=inode/directory;' "$prefix/share/applications/selvara-card-viewer.desktop" ||
  fail "the desktop entry does not offer to open folders"

# The manual page renders, and the installed program answers before any window opens.
man -l "$prefix/share/man/man1/selvara-card-viewer.1" 2>/dev/null | grep -q "selvara-card-viewer" ||
  fail "the manual page does not render"
[ "$(env -u DISPLAY "$prefix/bin/selvara-card-viewer" --version)" = "1.0.0.1" ] ||
  fail "--version does not print 1.0.0.1"
env -u DISPLAY "$prefix/bin/selvara-card-viewer" --help | grep -q "^Usage: selvara-card-viewer" ||
  fail "--help does not print the usage"
[ ! -e "$prefix/bin/blank.html" ] || fail "--version wrote files"
echo "install test: passed"
