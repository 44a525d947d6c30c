# Sourced by the tools that drive the viewer under X: waits up to 30 s for a mapped window whose
# title is exactly $1 and prints its id.
wait_for_window() {
  local id
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}
