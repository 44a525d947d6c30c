# shellcheck shell=bash
# Sourced by the shell tests (inside tools/lib/display_session.sh where they run the program):
# their work folder, the user the program runs as, starting a run, waiting for its end, and the
# verdict. A failed check is counted and the test goes on; $case_name, if set, names it. Each run
# started is waited for with `ended`, which stops it if need be.
set -u
work=$(mktemp -d "${TMPDIR:-/tmp}/$(basename "$0" .sh).XXXXXX") || exit 1
chmod 755 "$work" # the program, run as another user, reads the card sets made here
failures=0
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL${case_name:+ [$case_name]}: $*" >&2; failures=$((failures + 1)); }
# shellcheck source=../tools/lib/wait_for_window.sh
. "$(dirname "${BASH_SOURCE[0]}")/../tools/lib/wait_for_window.sh"

# As root the program runs as nobody, so that permissions hold; either way with a home, a runtime
# and a temporary folder of its own, as a login gives them. Under Wine (WINEPREFIX set) it runs
# as the caller, in the caller's environment: Wine runs programs only for the prefix's owner, and
# from one server only while their environment names the same one.
owner=$(id -un) as_user=()
[ "$owner" != root ] || [ -n "${WINEPREFIX:-}" ] ||
  owner=nobody as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
install -d -o "$owner" -m 700 "$work/home" "$work/runtime" "$work/tmp"

# start PROGRAM ARG...: runs PROGRAM in the background, with $xdg and $tmp, when set, for its
# runtime and temporary folders; its pid in $pid, its stderr in $err and its stdout in $err.out.
start() {
  err="$work/$case_name.stderr"
  [ -n "${WINEPREFIX:-}" ] ||
    set -- env HOME="$work/home" XDG_RUNTIME_DIR="${xdg:-$work/runtime}" TMPDIR="${tmp:-$work/tmp}" "$@"
  "${as_user[@]}" "$@" >"$err.out" 2>"$err" &
  pid=$!
}

# ended STATUS [PID]: waits up to 30 s for the run PID (the last one started) to end, with STATUS
# (a pattern).
ended() {
  local run=${2:-$pid} status=0
  for _ in $(seq 300); do kill -0 "$run" 2>/dev/null || break; sleep 0.1; done
  ! kill -KILL "$run" 2>/dev/null || fail "still running"
  wait "$run" || status=$?
  # shellcheck disable=SC2053 # STATUS is a pattern
  [[ $status == $1 ]] || fail "exit status $status, expected $1"
}

close_options() {
  press_key "$(wait_for_window 'Option Settings' "$pid")" Escape || fail "no options dialog"
}

# verdict [NOTE]: exits with the test's verdict, 0 if no check failed.
verdict() {
  echo "$(basename "$0"): $failures failure(s)${1:+ $1}"
  exit $((failures > 0))
}
