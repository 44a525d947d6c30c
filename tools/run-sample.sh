#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on the bundled sample card set. Without
# a display it runs under a virtual one, closes the options dialog, and saves a screenshot of
# the gallery as build/sample-screenshot.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
viewer="$root/build/default/bin/selvara-card-viewer"
set_dir="$root/examples/sample-set"
if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--screenshot" ]; then
  exec "$viewer" "$set_dir"
fi
[ -n "${DISPLAY:-}" ] || exec "$root/tests/x11_session.sh" "$0" --screenshot
shot="$root/build/sample-screenshot.png"
"$viewer" "$set_dir" &
pid=$!
wait_for() { # window title; prints its id once it is mapped
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}
dialog=$(wait_for "Option Settings")
xdotool windowactivate --sync "$dialog" key Escape
wait_for "SET - sample-set - Selvara Card Viewer - Version 1.0.0.1" >/dev/null
sleep 3  # let the web view paint the thumbnails before the picture is taken
import -window root "$shot"
kill -TERM "$pid"
wait "$pid"
echo "Screenshot of the gallery: $shot"
