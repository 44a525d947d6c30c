#!/usr/bin/env bash
# Runs a command inside a private Xvfb display (1280x1024x24) with openbox as window manager,
# then tears both down and exits with the command's status. X11_SESSION_NO_WM=1 skips openbox.
set -u

if [ "$#" -eq 0 ]; then
  echo "usage: $0 COMMAND [ARG...]" >&2
  exit 2
fi

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/x11_session.XXXXXX") || exit 2
xvfb_pid=""
wm_pid=""

cleanup() {
  # Stop only the processes this script started, window manager first so it does not
  # complain about the display vanishing underneath it.
  if [ -n "$wm_pid" ] && kill -0 "$wm_pid" 2>/dev/null; then
    kill "$wm_pid" 2>/dev/null
    wait "$wm_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# -displayfd lets the server pick a free display number itself, so parallel sessions never
# race for the same number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
  3>"$work_dir/display" >"$work_dir/xvfb.log" 2>&1 &
xvfb_pid=$!

display_number=""
for _ in $(seq 1 300); do
  if [ -s "$work_dir/display" ]; then
    display_number=$(tr -d '[:space:]' <"$work_dir/display")
    [ -n "$display_number" ] && break
  fi
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    break
  fi
  sleep 0.1
done
if [ -z "$display_number" ]; then
  echo "x11_session: Xvfb did not start" >&2
  cat "$work_dir/xvfb.log" >&2
  exit 2
fi
export DISPLAY=":$display_number"

# The server announces its number once it accepts connections, but confirm anyway.
ready=0
for _ in $(seq 1 100); do
  if xprop -root -display "$DISPLAY" >/dev/null 2>&1; then
    ready=1
    break
  fi
  sleep 0.1
done
if [ "$ready" -ne 1 ]; then
  echo "x11_session: display $DISPLAY does not answer" >&2
  exit 2
fi

if [ "${X11_SESSION_NO_WM:-0}" != "1" ]; then
  # A private config home keeps openbox from reading or writing the user's settings.
  mkdir -p "$work_dir/config"
  XDG_CONFIG_HOME="$work_dir/config" openbox --sm-disable >"$work_dir/openbox.log" 2>&1 &
  wm_pid=$!
  wm_ready=0
  for _ in $(seq 1 200); do
    check=$(xprop -root -display "$DISPLAY" _NET_SUPPORTING_WM_CHECK 2>/dev/null)
    case "$check" in
      *"window id #"*)
        wm_window=${check##*# }
        if xprop -display "$DISPLAY" -id "$wm_window" _NET_WM_NAME >/dev/null 2>&1; then
          wm_ready=1
          break
        fi
        ;;
    esac
    if ! kill -0 "$wm_pid" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  if [ "$wm_ready" -ne 1 ]; then
    echo "x11_session: window manager did not start" >&2
    cat "$work_dir/openbox.log" >&2
    exit 2
  fi
fi

"$@"
status=$?
exit "$status"
