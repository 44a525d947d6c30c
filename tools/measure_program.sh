#!/usr/bin/env bash
# Measures the whole program under a virtual X server, on the sample card set and on a generated
# 1,000-card set: the time from the options dialog's close to the gallery loaded in the web view,
# the processor time the program uses while the dialog waits, and the peak memory of its process.
# Usage: tools/measure_program.sh [RUNS]     (default 3 runs per set; prints a Markdown table and
# leaves a screenshot of each gallery as build/measure-SET.png)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
runs="${1:-3}"
idle_seconds=10

if [ -z "${SELVARA_MEASURE_SESSION:-}" ]; then
  tools/install-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target selvara-card-viewer >/dev/null
  # A private X server and window manager, so that no desktop's load colours the figures.
  SELVARA_MEASURE_SESSION=1 exec tests/display_session.sh x11 1 "$0" "$@"
fi

viewer="$root/build/default/bin/selvara-card-viewer"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ticks_per_second=$(getconf CLK_TCK)

# 1,000 cards, a third in each shown group, each with a picture taken in turn from the sample set.
make_large_set() {
  local set="$work/cards-1000" pictures=("$root"/examples/sample-set/data/*/*.jpg) n=0
  for group in a b c; do
    for i in $(seq -f %04g 0 333); do
      [ "$n" -lt 1000 ] || break
      local card="$group$i"
      mkdir -p "$set/data/$card"
      cp "${pictures[n % ${#pictures[@]}]}" "$set/data/$card/${card}c.jpg"
      n=$((n + 1))
    done
  done
  echo "$set"
}

# Processor ticks (user plus system) of a process; the fields after the parenthesised name.
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
  stat=${stat##*) }
  set -- $stat
  echo $((${12} + ${13}))
}
children_ticks() {
  local total=0
  for child in $(pgrep -P "$1"); do total=$((total + $(cpu_ticks "$child"))); done
  echo "$total"
}
peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
web_process_peak_kib() {
  local peak=0 value
  for child in $(pgrep -P "$1" WebKitWebProces || true); do
    value=$(peak_kib "$child")
    [ "$value" -gt "$peak" ] && peak=$value
  done
  echo "$peak"
}

. "$root/tools/lib/wait_for_window.sh"
trace_time() { sed -n "s/^selvara-trace: $1 //p" "$2" | head -n 1; }

# One run: prints "load_ms idle_cpu_percent children_idle_cpu_percent peak_kib web_peak_kib".
measure_run() {
  local set="$1" trace="$work/trace.txt"
  SELVARA_TRACE=1 "$viewer" "$set" 2>"$trace" &
  local pid=$!
  local dialog
  dialog=$(wait_for_window "Option Settings")
  sleep 1  # past the dialog's first paint: what is measured is the waiting itself
  local own0 kids0 own1 kids1
  own0=$(cpu_ticks "$pid"); kids0=$(children_ticks "$pid")
  sleep "$idle_seconds"
  own1=$(cpu_ticks "$pid"); kids1=$(children_ticks "$pid")
  xdotool windowactivate --sync "$dialog" key Escape
  for _ in $(seq 1 600); do
    grep -q "^selvara-trace: page-loaded" "$trace" && break
    sleep 0.1
  done
  local closed loaded
  closed=$(trace_time options-closed "$trace")
  loaded=$(trace_time page-loaded "$trace")
  if [ -z "$closed" ] || [ -z "$loaded" ]; then
    echo "the gallery of $set did not load within 60 s; the program said:" >&2
    cat "$trace" >&2
    kill -TERM "$pid" 2>/dev/null || true
    return 1
  fi
  sleep 1
  # What was measured, to look at: the gallery as the run left it.
  import -window root "$root/build/measure-$(basename "$set").png"
  local peak web_peak
  peak=$(peak_kib "$pid"); web_peak=$(web_process_peak_kib "$pid")
  kill -TERM "$pid"
  wait "$pid" || true
  awk -v c="$closed" -v l="$loaded" -v o=$((own1 - own0)) -v k=$((kids1 - kids0)) \
      -v t="$ticks_per_second" -v s="$idle_seconds" -v p="$peak" -v w="$web_peak" \
      'BEGIN { printf "%.0f %.2f %.2f %d %d\n", (l - c) * 1000, 100 * o / t / s, 100 * k / t / s, p, w }'
}

# Median, minimum and maximum of the load times; the largest CPU share and peak of the runs.
summarise() {
  sort -n -k1,1 | awk -v label="$1" '
    { load[NR] = $1; if ($2 > cpu) cpu = $2; if ($3 > kids) kids = $3
      if ($4 > peak) peak = $4; if ($5 > web) web = $5 }
    END { printf "| %s | %d ms (%d-%d) | %.2f%% | %.2f%% | %.1f MiB | %.1f MiB |\n",
                 label, load[int((NR + 1) / 2)], load[1], load[NR], cpu, kids, peak / 1024, web / 1024 }'
}

large=$(make_large_set)
echo "| card set | dialog closed to gallery loaded, median (range) of $runs | program CPU while the dialog waits | web engine processes' CPU meanwhile | program peak memory | web process peak memory |"
echo "|---|---|---|---|---|---|"
for set in "$root/examples/sample-set" "$large"; do
  cards=$(find "$set/data" -mindepth 1 -maxdepth 1 -type d -name '[acb]????' | wc -l)
  for _ in $(seq 1 "$runs"); do measure_run "$set"; done | summarise "$(basename "$set") ($cards cards)"
done
echo
echo "Measured on $(nproc) cores, $(sed -n 's/^model name\t*: //p' /proc/cpuinfo | head -n 1), $(date -u +%F)."
