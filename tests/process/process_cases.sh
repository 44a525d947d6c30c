#!/usr/bin/env bash
# The built program as a process: its exit status, the files it leaves, its page folder, and its
# command line, case by case from the tables below. Runs inside tools/lib/display_session.sh (a display
# and a window manager); as root the program runs as nobody so that permissions hold.
#
# Usage: process_cases.sh PATH/TO/selvara-card-viewer SAMPLE_SET
set -u
binary=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/process_cases.XXXXXX")
chmod 755 "$work"
failures=0
pids=()
trap 'for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
fail() { echo "FAIL [$case_name]: $*" >&2; failures=$((failures + 1)); }
. "$(dirname "$0")/../../tools/lib/wait_for_window.sh"

as_user=()
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  owner=nobody
fi
set_dir="$work/Stone Age"
cp -r "$2" "$set_dir"
# A card whose folder name is not UTF-8, its "picture" a FIFO that no one ever writes.
mkdir "$set_dir/data/b"$'\xe9' && mkfifo "$set_dir/data/b"$'\xe9'"/b"$'\xe9'"c.jpg"
chmod -R a+rX "$set_dir"
runtime="$work/runtime"
mkdir -m 700 "$runtime" "$work/tmp"
chown "$owner" "$runtime" "$work/tmp"
fingerprint() { find "$1" -printf '%P %y %s %T@ %m\n' | sort | sha1sum; }
set_print=$(fingerprint "$set_dir")

# start NAME ARG...: runs the program in the background; its pid in $pid, stderr in $err.
start() {
  err="$work/$1.stderr"
  shift
  "${as_user[@]}" env HOME="$work" XDG_RUNTIME_DIR="${xdg:-$runtime}" TMPDIR="${tmp:-$work/tmp}" \
    DISPLAY="$DISPLAY" "$binary" "$@" >"$err.out" 2>"$err" &
  pid=$!
  pids+=("$pid")
}

# finish PID: waits up to 30 s for PID to end; its exit status in $status.
finish() {
  for _ in $(seq 300); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && { fail "still running"; kill -KILL "$1"; }
  wait "$1"
  status=$?
}

page_folders() { find "$runtime" -mindepth 1 -maxdepth 1 -name 'selvara-card-viewer-*' | sort; }

# gallery [--choose-folder]: starts a run on the set (with --choose-folder as the desktop's menu
# starts it, the set's path typed into the folder chooser), closes the options dialog, waits for
# the gallery; sets $viewer and $folder (the run's page folder).
gallery() {
  local before
  before=$(page_folders)
  start "$case_name" "${1:-$set_dir}"
  [ $# = 0 ] || { press_key "$(wait_for_window 'Choose a card set' "$pid")" ctrl+l &&
    xdotool type "$set_dir" && xdotool key Return; } || fail "no folder chooser"
  press_key "$(wait_for_window 'Option Settings' "$pid")" Escape || fail "no options dialog"
  viewer=$(wait_for_window 'SET - Stone Age - .*' "$pid") || fail "no gallery"
  folder=$(comm -13 <(echo "$before") <(page_folders))
  [ -f "$folder/test.html" ] && [ -f "$folder/blank.html" ] || fail "no pages in '$folder'"
}

# Each way a run ends: exit 0, both pages and the folder gone, the set untouched. The closed run
# is a menu launch.
for how in close TERM INT HUP USR1 USR2; do
  case_name=end-by-$how
  if [ "$how" = close ]; then gallery --choose-folder; else gallery; fi
  if [ "$how" = close ]; then press_key "$viewer" alt+F4; else kill "-$how" "$pid"; fi
  finish "$pid"
  [ "$status" = 0 ] || fail "exit status $status"
  [ -z "$folder" ] || [ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
  [ "$(fingerprint "$set_dir")" = "$set_print" ] || fail "the card set changed"
done

# A menu launch whose folder chooser is cancelled ends with status 0 and no page folder.
case_name=chooser-cancelled before=$(page_folders)
start "$case_name" --choose-folder
press_key "$(wait_for_window 'Choose a card set' "$pid")" Escape || fail "no folder chooser"
finish "$pid"
[ "$status" = 0 ] && [ "$(page_folders)" = "$before" ] || fail "status $status, or a page folder"

case_name=leftover-folder-swept-live-folder-kept
leftover="$runtime/selvara-card-viewer-Zz0000"
mkdir -m 700 "$leftover"
touch "$leftover/blank.html" "$leftover/test.html"
chown -R "$owner" "$leftover"
gallery
first=$pid first_folder=$folder first_viewer=$viewer
[ ! -e "$leftover" ] || fail "the folder of a run that is gone was not swept"
gallery
[ "$folder" != "$first_folder" ] || fail "two runs share one page folder"
press_key "$viewer" alt+F4
finish "$pid"
[ -f "$first_folder/test.html" ] || fail "closing one run took the other's page"
press_key "$first_viewer" alt+F4
finish "$first"
[ "$status" = 0 ] && [ ! -e "$first_folder" ] || fail "the first run did not end cleanly"

# Failures: a message box, stderr naming the path, exit status 2, also when stopped while the box
# is up. A listing fails after the options dialog (a set path so long that its data folder lies
# past the system's limit); the others come before it.
mkdir -m 555 "$work/closed1" "$work/closed2"
mkdir -m 755 "$work/plain-set"
touch "$work/plain-set/file"
long=$work
while [ ${#long} -lt 3880 ]; do long+=/$(printf '%0200d' 0); done
long+=/$(printf "%0$((4089 - ${#long}))d" 0)  # 4,090 bytes
mkdir -p "$long"
not_utf8=$(printf '%s/none-\351' "$work")
# case name | XDG_RUNTIME_DIR | TMPDIR | folder argument | paths stderr names | dialog | box closed by
while IFS='|' read -r case_name xdg tmp argument named dialog close; do
  start "$case_name" "$argument"
  [ "$dialog" = no ] || press_key "$(wait_for_window 'Option Settings' "$pid")" Escape ||
    fail "no options dialog"
  box=$(wait_for_window 'Selvara Card Viewer' "$pid") || fail "no message box"
  [ "$dialog" = yes ] || [ -z "$(xdotool search --all --pid "$pid" --name '^Option Settings$')" ] ||
    fail "dialog shown"
  if [ "$close" = TERM ]; then kill -TERM "$pid"; else press_key "$box" Return; fi
  finish "$pid"
  [ "$status" = 2 ] || fail "exit status $status"
  for path in $named; do grep -qF "\"$path\"" "$err" || fail "stderr lacks $path: $(cat "$err")"; done
  ! grep -q 'Command line argument' "$err" || fail "the toolkit misread the argument: $(cat "$err")"
done <<EOF
page-folder-unwritable|$work/closed1|$work/closed2|$set_dir|$work/closed1 $work/closed2|no|Return
set-folder-missing-not-utf8|$runtime|$work/tmp|$not_utf8|$not_utf8|no|Return
set-folder-is-a-file|$runtime|$work/tmp|$work/plain-set/file|$work/plain-set/file|no|TERM
data-folder-past-path-limit|$runtime|$work/tmp|$long|$long/data/|yes|Return
EOF
xdg="" tmp=""

# The command line answered before any window: status, and what stdout or stderr says (what
# each refusal says is in the unit ProgramOptionsTest).
# case name | exit status | stdout or stderr | the text it holds | the arguments
while IFS='|' read -r case_name expected stream text arguments; do
  start "$case_name" $arguments
  finish "$pid"
  [ "$status" = "$expected" ] || fail "exit status $status, expected $expected"
  file="$err"
  [ "$stream" = out ] && file="$err.out"
  grep -qF -- "$text" "$file" || fail "no '$text' in: $(cat "$file")"
  [ "$expected" = 0 ] || grep -q '^Usage: ' "$err" || fail "no usage on stderr"
done <<'EOF'
unknown-option|2|err|unknown option '--frobnicate'|--frobnicate /sets/a
help|0|out|--choose-folder  without CARD-SET-FOLDER|--help
version|0|out|1.0.0.1|--version
EOF

if [ "$failures" -ne 0 ]; then
  echo "process cases: $failures failure(s)" >&2
  exit 1
fi
echo "process cases: all passed"
