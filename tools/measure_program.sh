#!/usr/bin/env bash
# Measures the whole program under a virtual X server against two baselines built from bench/:
# launch to the options dialog on screen against the least wxWidgets program that shows one
# dialog, and options closed to gallery loaded (1,000 cards) against a bare web view loading the
# same page, in one alternating series. Then, on the sample set and the 1,000-card set: options
# closed to gallery loaded, the processor time while the dialog waits, and peak memory.
# Usage: tools/measure_program.sh [RUNS] [SERIES]   (default 3 runs per set and a series of 7;
# prints Markdown tables and leaves a screenshot of each gallery as build/measure-SET.png)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
runs="${1:-3}"
series="${2:-7}"
idle_seconds=10

if [ -z "${SELVARA_MEASURE_SESSION:-}" ]; then
  tools/install-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target selvara-card-viewer bare_dialog bare_web_view >/dev/null
  # A private X server and window manager, so that no desktop's load colours the figures.
  SELVARA_MEASURE_SESSION=1 exec tools/lib/display_session.sh x11 1 "$0" "$@"
fi

viewer="${SELVARA_MEASURE_VIEWER:-$root/build/default/bin/selvara-card-viewer}"  # or another build
bare_dialog="$root/build/default/bench/bare_dialog"
bare_web_view="$root/build/default/bench/bare_web_view"
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

# Starts a program with SELVARA_TRACE=1 and its standard error in $work/trace.txt; the launch
# moment, on the trace's monotonic clock, is taken just before the program replaces the launcher.
launch() {
  : >"$work/trace.txt"  # now, so that no wait reads the previous program's moments
  SELVARA_TRACE=1 python3 -c 'import os, sys, time
print("selvara-trace: launched %.6f" % time.monotonic(), file=sys.stderr, flush=True)
os.execv(sys.argv[1], sys.argv[1:])' "$@" 2>"$work/trace.txt" &
  launched_pid=$!
}
wait_trace() {
  for _ in $(seq 1 600); do
    grep -q "^selvara-trace: $1 " "$work/trace.txt" && return 0
    sleep 0.05
  done
  echo "no \"$1\" within 30 s; the program said:" >&2
  cat "$work/trace.txt" >&2
  return 1
}
between() {
  awk -v a="$(trace_time "$1" "$work/trace.txt")" -v b="$(trace_time "$2" "$work/trace.txt")" \
    'BEGIN { printf "%.0f\n", (b - a) * 1000 }'
}
finish() { kill -TERM "$launched_pid"; wait "$launched_pid" || true; }

# One alternating series: the viewer on the large set, the least dialog, the bare web view on the
# page the viewer wrote. Prints "viewer_dialog bare_dialog viewer_load bare_load" per round.
compare_series() {
  local set="$1" page="$work/page.html" d_viewer d_bare l_viewer l_bare
  for _ in $(seq 1 "$series"); do
    launch "$viewer" "$set"
    wait_trace dialog-shown
    d_viewer=$(between launched dialog-shown)
    sleep 2  # the user reads the dialog, and the viewer makes its web view meanwhile
    xdotool windowactivate --sync "$(wait_for_window "Option Settings")" key Escape
    wait_trace page-loaded
    l_viewer=$(between options-closed page-loaded)
    find "$(dirname "$viewer")" "${XDG_RUNTIME_DIR:-$work}" -name test.html -newer "$set" \
      -exec cp {} "$page" \; 2>/dev/null || true
    finish

    launch "$bare_dialog"
    wait_trace dialog-shown
    d_bare=$(between launched dialog-shown)
    finish

    launch "$bare_web_view" "$page"
    wait_trace page-loaded
    l_bare=$(between load-start page-loaded)
    finish
    echo "$d_viewer $d_bare $l_viewer $l_bare"
  done
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

large=$(make_large_set)
compare_series "$large" >"$work/series.txt"
for column in 1 2 3 4; do
  medians[column]=$(awk -v c="$column" '{ print $c }' "$work/series.txt" | median)
done
echo "Medians of $series alternating runs (ms; every run: $(tr '\n' ';' <"$work/series.txt")):"
echo
echo "| measure | viewer | baseline | ratio |"
echo "|---|---|---|---|"
awk -v a="${medians[1]}" -v b="${medians[2]}" -v c="${medians[3]}" -v d="${medians[4]}" 'BEGIN {
  printf "| launch to options dialog on screen | %d ms | %d ms (least wx dialog) | %.2f |\n", a, b, a / b
  printf "| options closed to gallery loaded, 1,000 cards | %d ms | %d ms (bare web view) | %.2f |\n", c, d, c / d }'
echo

echo "| card set | dialog closed to gallery loaded, median (range) of $runs | program CPU while the dialog waits | web engine processes' CPU meanwhile | program peak memory | web process peak memory |"
echo "|---|---|---|---|---|---|"
for set in "$root/examples/sample-set" "$large"; do
  cards=$(find "$set/data" -mindepth 1 -maxdepth 1 -type d -name '[acb]????' | wc -l)
  for _ in $(seq 1 "$runs"); do measure_run "$set"; done | summarise "$(basename "$set") ($cards cards)"
done
echo
echo "Measured on $(nproc) cores, $(sed -n 's/^model name\t*: //p' /proc/cpuinfo | head -n 1), $(date -u +%F)."
