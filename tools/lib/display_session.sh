#!/usr/bin/env bash
# Runs a command in a private display session and exits with its status; the tests, and the tools
# that show the viewer where there is no display, start their display with it:
#   display_session.sh x11|wayland SCALE COMMAND...
# x11: Xvfb with openbox, text scaled through Xft.dpi; wayland: weston's headless back end, text
# scaled through GDK_DPI_SCALE. weston runs with --debug so that weston-screenshooter works.
# Each session has a session bus of its own (and through it the accessibility bus that GTK's bridge
# asks for), never the caller's desktop bus, which the tests must neither talk to nor depend on.
set -u
if [ "$#" -lt 3 ] || ! [[ $1 =~ ^(x11|wayland)$ ]]; then
  echo "usage: $0 x11|wayland SCALE COMMAND [ARG...]" >&2
  exit 2
fi
kind=$1 scale=$2
shift 2
work=$(mktemp -d "${TMPDIR:-/tmp}/display_session.XXXXXX") || exit 2
pids=()
stop() {
  # The window manager goes before its server, so that it does not complain about the display.
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
# Polls a condition ten times a second, for at most 30 seconds.
await() {
  for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "display_session: $kind session did not start ($*)" >&2
  cat "$work"/*.log >&2
  exit 2
}
wm_ready() { xprop -id "$(xprop -root _NET_SUPPORTING_WM_CHECK | sed 's/.*# //')" _NET_WM_NAME; }

# The session's own bus; without dbus-daemon the address names no bus, so that nothing autolaunches
# one either.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
unset AT_SPI_BUS_ADDRESS NO_AT_BRIDGE
if [ "$kind" = x11 ]; then
  # -displayfd lets the server pick a free number, so that sessions side by side never collide.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  pids=($!)
  await test -s "$work/display"
  # Never the caller's own Wayland desktop, which GTK would otherwise prefer.
  export DISPLAY=":$(tr -d '[:space:]' <"$work/display")" GDK_BACKEND=x11
  unset WAYLAND_DISPLAY
  await xprop -root
  echo "Xft.dpi: $(awk "BEGIN { print 96 * $scale }")" | xrdb -merge
  XDG_CONFIG_HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids=($! "${pids[@]}")
  await wm_ready
else
  unset DISPLAY
  export XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=wayland-selvara GDK_BACKEND=wayland
  export GDK_DPI_SCALE="$scale"
  weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --debug \
    --width=1280 --height=1024 >"$work/weston.log" 2>&1 &
  pids=($!)
  await test -S "$work/$WAYLAND_DISPLAY"
fi
# Started once the display is up: the services it starts (the accessibility bus and its registry,
# which also types the keys a screen reader's user presses) take the display from its environment.
if command -v dbus-daemon >/dev/null; then
  dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$work/dbus.log" 2>&1 &
  pids=($! "${pids[@]}")
  await test -S "$work/bus"
fi
"$@"
