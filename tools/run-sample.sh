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
[ -n "${DISPLAY:-}" ] || exec "$root/tools/lib/display_session.sh" x11 1 "$0" --screenshot
shot="$root/build/sample-screenshot.png"
"$viewer" "$set_dir" &
pid=$!
. "$root/tools/lib/wait_for_window.sh"
dialog=$(wait_for_window "Option Settings")
xdotool windowactivate --sync "$dialog" key Escape
wait_for_window "SET - sample-set - Selvara Card Viewer - Version 1.0.0.1" >/dev/null
sleep 3  # let the web view paint the thumbnails before the picture is taken
import -window root "$shot"
kill -TERM "$pid"
wait "$pid"
echo "Screenshot of the gallery: $shot"
