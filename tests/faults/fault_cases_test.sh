#!/usr/bin/env bash
# The built program where things go wrong around it: a program folder it cannot write, a page it
# cannot replace, a data folder it cannot read, and
# being stopped by a signal while the dialog waits or while a large set is scanned. Each case
# checks what the program says, its exit status, and that it leaves nothing behind and touches
# nothing else. Runs inside tests/display_session.sh x11 (a display and a window manager).
#
# Usage: fault_cases_test.sh PATH/TO/selvara-card-viewer SAMPLE_SET
set -u
binary=$1
sample=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/fault_cases.XXXXXX")
chmod 755 "$work"
failures=0
viewer_pid=""

cleanup() {
  if [ -n "$viewer_pid" ]; then kill -KILL "$viewer_pid" 2>/dev/null; fi
  chmod -R u+rwX "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL [$case_name]: $*" >&2
  failures=$((failures + 1))
}

# Permissions mean nothing to root, so as root the program runs as an ordinary user.
as_user=()
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  owner=nobody
fi
home="$work/home"
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
chown -R "$owner" "$home" 2>/dev/null

# A program folder of its own: the program writes its pages beside its executable.
new_program_folder() {
  program="$work/$1"
  mkdir -p "$program"
  cp "$binary" "$program/"
  chown -R "$owner" "$program" 2>/dev/null
}

# A card set of our own, so that anything written to it would show.
new_card_set() {
  set_dir="$work/sets/$1"
  mkdir -p "$(dirname "$set_dir")"
  cp -r "$sample" "$set_dir"
  chmod -R a+rX "$work/sets"
}

# A fingerprint of every name, size and time under a folder.
fingerprint() { find "$1" -printf '%P %y %s %T@ %m\n' 2>/dev/null | sort | sha1sum; }

start_viewer() {
  stderr_file="$work/$case_name.stderr"
  "${as_user[@]}" env HOME="$home" XDG_RUNTIME_DIR="$home/runtime" DISPLAY="$DISPLAY" \
    "$program/selvara-card-viewer" "$@" 2>"$stderr_file" >/dev/null &
  viewer_pid=$!
}

# Waits up to $2 seconds for a window of the viewer's process whose name matches $1.
wait_window() {
  local deadline=$((SECONDS + $2)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    id=$(xdotool search --all --pid "$viewer_pid" --onlyvisible --name "$1" 2>/dev/null | head -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    kill -0 "$viewer_pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Keys go through XTest to the focused window: toolkits ignore keys sent to a window directly.
press() { xdotool windowactivate --sync "$1" 2>/dev/null; xdotool key "$2"; }

# Waits for the viewer to end and sets `status` to its exit status.
wait_exit() {
  local deadline=$((SECONDS + 30))
  while kill -0 "$viewer_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  if kill -0 "$viewer_pid" 2>/dev/null; then
    fail "still running 30 s later"
    kill -KILL "$viewer_pid"
  fi
  wait "$viewer_pid"
  status=$?
  viewer_pid=""
}

expect_only_binary() {
  local left
  left=$(cd "$program" && ls -A | grep -vx selvara-card-viewer | tr '\n' ' ')
  [ -z "$left" ] || fail "left in the program folder: $left"
}

# Shows the options dialog, then the failure report; answers the report and checks it.
expect_report() {
  local path=$1 reason=$2 box
  if ! box=$(wait_window '^Selvara Card Viewer$' 60); then
    fail "no message box"
    return
  fi
  grep -q "Run-time error [0-9]*: $reason" "$stderr_file" || fail "stderr lacks '$reason'"
  grep -qF "Could not" "$stderr_file" || fail "stderr lacks what failed"
  grep -qF "\"$path\"" "$stderr_file" || fail "stderr lacks the path $path"
  press "$box" Return
  wait_exit
  [ "$status" = 2 ] || fail "exit status $status, expected 2"
}

close_dialog() {
  local dialog
  if ! dialog=$(wait_window '^Option Settings$' 60); then
    fail "no options dialog"
    return 1
  fi
  press "$dialog" Escape
}

case_name=read-only-program-folder
new_program_folder "$case_name"
new_card_set "$case_name"
before=$(fingerprint "$set_dir")
chmod 555 "$program"
start_viewer "$set_dir"
close_dialog && expect_report "$program/blank.html" "Permission denied"
expect_only_binary
[ "$(fingerprint "$set_dir")" = "$before" ] || fail "the card set changed"
chmod 755 "$program"

case_name=read-only-page
new_program_folder "$case_name"
new_card_set "$case_name"
printf 'an earlier page\n' >"$program/test.html"
chown root "$program/test.html" 2>/dev/null
chmod 444 "$program/test.html"
start_viewer "$set_dir"
close_dialog && expect_report "$program/test.html" "Permission denied"
# Both names are the program's own: it removes them on every exit, this one included.
expect_only_binary

case_name=unreadable-data-folder
new_program_folder "$case_name"
new_card_set "$case_name"
chmod 000 "$set_dir/data"
start_viewer "$set_dir"
if close_dialog && wait_window "^SET - $case_name - " 60 >/dev/null; then
  cards=$(grep -o " alt='" "$program/test.html" | wc -l)
  [ "$cards" = 0 ] || fail "$cards cards listed from a folder that cannot be read"
  grep -q '</html>' "$program/test.html" || fail "the page is not complete"
  [ -z "$(cat "$stderr_file")" ] || fail "an empty gallery reported: $(cat "$stderr_file")"
else
  fail "no viewer window"
fi
kill -TERM "$viewer_pid" 2>/dev/null
wait_exit
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
expect_only_binary
chmod 755 "$set_dir/data"

for signal in INT TERM HUP; do
  case_name=sig$signal-while-dialog-waits
  new_program_folder "$case_name"
  new_card_set "$case_name"
  before=$(fingerprint "$set_dir")
  start_viewer "$set_dir"
  if wait_window '^Option Settings$' 60 >/dev/null; then
    kill "-$signal" "$viewer_pid"
    wait_exit
    [ "$status" = 0 ] || fail "exit status $status"
  else
    fail "no options dialog"
  fi
  expect_only_binary
  [ "$(fingerprint "$set_dir")" = "$before" ] || fail "the card set changed"
done

# A set large enough that the scan takes a while; the signal lands before, during or after it.
big="$work/sets/big"
mkdir -p "$big/data"
(cd "$big/data" && for i in $(seq 10000 59999); do printf 'a%s\0' "$i"; done | xargs -0 mkdir)
chmod -R a+rX "$big"
before=$(fingerprint "$big")
for delay in 0 0.05 0.2 1; do
  case_name=sigTERM-${delay}s-into-a-large-scan
  new_program_folder "$case_name"
  start_viewer "$big"
  if close_dialog; then
    sleep "$delay"
    kill -TERM "$viewer_pid"
    wait_exit
    [ "$status" = 0 ] || fail "exit status $status"
  fi
  expect_only_binary
  [ "$(fingerprint "$big")" = "$before" ] || fail "the card set changed"
done

if [ "$failures" -ne 0 ]; then
  echo "fault cases: $failures failure(s)" >&2
  exit 1
fi
echo "fault cases: all passed"
