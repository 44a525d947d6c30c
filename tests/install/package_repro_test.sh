#!/usr/bin/env bash
# Builds the Debian package twice, in two build folders of different names with one
# SOURCE_DATE_EPOCH: the packages are the same byte for byte, and no packaged file names the folder
# it was built in or the source folder. Usage: package_repro_test.sh SOURCE_DIR
source_dir=$(cd "$1" && pwd)
# shellcheck source=../harness.sh
. "$(dirname "$0")/../harness.sh"
set -eo pipefail
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct || date +%s)}
# A builder whose new files only their group may read still makes a package every user can use.
umask 027
# Each build compiles every source itself: a compiler launcher or cache, even one named by the
# caller's environment, would hand the second build the first one's objects and prove nothing.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
export CCACHE_DISABLE=1

for name in a.XXXXXX longer-name.XXXXXX; do
  build=$(mktemp -d "$work/$name")
  # Only the packaged targets are built, and the package target builds nothing more.
  { cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELVARA_BUILD_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON &&
    cmake --build "$build" -j 2 --target selvara-card-viewer selvara_browser manual_page &&
    cmake --build "$build" --target package; } >"$work/log" 2>&1 ||
    fail "the package did not build: $(tail -20 "$work/log")"
  debs+=("$(echo "$build"/selvara-card-viewer_*.deb)")
  dpkg-deb -R "${debs[-1]}" "$build.files"
  # Each folder the package makes is open to every user; the first listed are closed.
  ! dpkg-deb -c "${debs[-1]}" | grep '^d' | grep -v '^drwxr-xr-x' >&2 ||
    fail "the packaged folders listed above are closed to other users"
  ! grep -rlF -e "$(basename "$build")" -e "$source_dir" "$build.files" >&2 ||
    fail "the packaged files listed above name the build or the source folder"
done
cmp "${debs[@]}" || fail "two builds of one commit made different packages"
verdict "(the same package from two build folders, naming neither)"
