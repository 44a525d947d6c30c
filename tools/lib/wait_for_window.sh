# Sourced by the tools and tests that drive the viewer under X.
# wait_for_window TITLE [PID]: waits up to 60 s for a mapped window whose whole title matches the
# extended regular expression TITLE, of process PID if given (no longer than PID lives); prints
# its id.
wait_for_window() {
  local id
  for _ in $(seq 1 600); do
    id=$(xdotool search --all ${2:+--pid "$2"} --onlyvisible --name "^$1\$" 2>/dev/null |
      head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ -z "${2:-}" ] || kill -0 "$2" 2>/dev/null || break
    sleep 0.1
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}

# press_key ID KEY: a key to a window through the window manager, as a user would press it.
press_key() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 && xdotool key --clearmodifiers "$2"
}
