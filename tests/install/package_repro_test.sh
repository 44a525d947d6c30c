#!/usr/bin/env bash
# Builds the Debian package twice, in two build folders of different names with one
# SOURCE_DATE_EPOCH: the packages are the same byte for byte, and no packaged file names the folder
# it was built in or the source folder. Usage: package_repro_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct || date +%s)}
# A builder whose new files only their group may read still makes a package every user can use.
umask 027
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

debs=()
for name in a.XXXXXX longer-name.XXXXXX; do
  build=$(mktemp -d "$work/$name")
  # Only the packaged targets are built, and the package target builds nothing more.
  cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELVARA_BUILD_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${launcher[@]}" >"$work/log" 2>&1 &&
    cmake --build "$build" -j 2 --target selvara-card-viewer selvara_browser manual_page \
      >>"$work/log" 2>&1 &&
    cmake --build "$build" --target package >>"$work/log" 2>&1 ||
    fail "the package did not build: $(tail -20 "$work/log")"
  debs+=("$(echo "$build"/selvara-card-viewer_*.deb)")
  dpkg-deb -R "${debs[-1]}" "$build.files"
  shut=$(dpkg-deb -c "${debs[-1]}" | grep '^d' | grep -v '^drwxr-xr-x' || true)
  [ -z "$shut" ] || fail "these packaged folders are closed to other users: $shut"
  named=$(grep -rlF -e "$(basename "$build")" -e "$source_dir" "$build.files" || true)
  [ -z "$named" ] || fail "these packaged files name the build or the source folder: $named"
done
cmp "${debs[@]}" || fail "two builds of one commit made different packages"
echo "package test: the same package from two build folders, naming neither"
