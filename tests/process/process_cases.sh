#!/usr/bin/env bash
# The built program as a process: its exit status, the files it leaves, its page folder, and its
# command line, case by case from the tables below. Runs inside tools/lib/display_session.sh.
#
# Usage: process_cases.sh PATH/TO/selvara-card-viewer SAMPLE_SET
# shellcheck source=../harness.sh
. "$(dirname "$0")/../harness.sh"
binary=$1
set_dir="$work/Stone Age"
cp -r "$2" "$set_dir"
# A card whose folder name is not UTF-8, its "picture" a FIFO that no one ever writes.
mkdir "$set_dir/data/b"$'\xe9' && mkfifo "$set_dir/data/b"$'\xe9'"/b"$'\xe9'"c.jpg"
chmod -R a+rX "$set_dir"
fingerprint() { find "$1" -printf '%P %y %s %T@ %m\n' | sort | sha1sum; }
set_print=$(fingerprint "$set_dir")
page_folders() { ls -d "$work"/runtime/selvara-card-viewer-* 2>/dev/null; }

# gallery [--choose-folder]: starts a run on the set (with --choose-folder as the desktop's menu
# starts it, the set's path typed into the folder chooser), closes the options dialog, waits for
# the gallery; sets $viewer and $folder (the run's page folder).
gallery() {
  before=$(page_folders)
  start "$binary" "${1:-$set_dir}"
  [ $# = 0 ] || { press_key "$(wait_for_window 'Choose a card set' "$pid")" ctrl+l &&
    xdotool type "$set_dir" && xdotool key Return; } || fail "no folder chooser"
  close_options
  viewer=$(wait_for_window 'SET - Stone Age - .*' "$pid") || fail "no gallery"
  folder=$(comm -13 <(echo "$before") <(page_folders))
  [ -f "$folder/test.html" ] && [ -f "$folder/blank.html" ] || fail "no pages in '$folder'"
}

# Each way a run ends: exit 0, both pages and the folder gone, the set untouched. Each run ends
# while the next is up: two runs never share a folder, and neither one's start nor the other's end
# takes a live run's pages. The first run is a menu launch, and sweeps the folder of a run that
# is gone.
leftover="$work/runtime/selvara-card-viewer-Zz0000"
install -d -o "$owner" -m 700 "$leftover"
touch "$leftover/blank.html" "$leftover/test.html"
case_name=menu-launch
gallery --choose-folder
[ ! -e "$leftover" ] || fail "the folder of a run that is gone was not swept"
for how in close TERM INT HUP USR1 USR2; do
  case_name=end-by-$how ending=$pid ending_viewer=$viewer ending_folder=$folder
  gallery
  [ "$folder" != "$ending_folder" ] || fail "two runs share one page folder"
  [ -f "$ending_folder/test.html" ] || fail "a start took a live run's page"
  if [ "$how" = close ]; then press_key "$ending_viewer" alt+F4; else kill "-$how" "$ending"; fi
  ended 0 "$ending"
  [ ! -e "$ending_folder" ] || fail "left behind: $(ls -A "$ending_folder")"
  [ -f "$folder/test.html" ] || fail "an end took a live run's page"
  [ "$(fingerprint "$set_dir")" = "$set_print" ] || fail "the card set changed"
done
kill -TERM "$pid" # the last run, ended as the second was
ended 0

# A menu launch whose folder chooser is cancelled ends with status 0 and no page folder.
case_name=chooser-cancelled before=$(page_folders)
start "$binary" --choose-folder
press_key "$(wait_for_window 'Choose a card set' "$pid")" Escape || fail "no folder chooser"
ended 0
[ "$(page_folders)" = "$before" ] || fail "a page folder was made"

# The command line answered before any window: status, and what stdout or stderr says (what
# each refusal says is in the unit ProgramOptionsTest).
# case name | exit status | the stream: stderr if empty, stdout if .out | its text (a Perl pattern
# that may span lines) | the arguments
while IFS='|' read -r case_name expected stream text arguments; do
  start "$binary" $arguments
  ended "$expected"
  grep -qzP -- "$text" "$err$stream" || fail "no '$text' in: $(cat "$err$stream")"
done <<'EOF'
unknown-option|2||selvara-card-viewer: unknown option '--frobnicate'\nUsage: |--frobnicate /sets/a
help|0|.out|--choose-folder  without CARD-SET-FOLDER|--help
version|0|.out|1.0.0.1|--version
EOF

# Failures: a message box, stderr naming the path, exit status 2, also when stopped while the box
# is up. A listing fails after the options dialog (a set path so long that its data folder lies
# past the system's limit), and so does loading the browser module (the program alone in a folder:
# it names the two places beside it and tries no other) and finding the module's picture extension
# (the program with its module only); the others come before it.
mkdir -m 555 "$work/closed1" "$work/closed2"
long=$work$(printf '/%0199d' $(seq $(((4079 - ${#work}) / 200))))
long+=/$(printf "%0$((4089 - ${#long}))d" 0) # 4,090 bytes, in parts of at most 200
mkdir -p "$long"
not_utf8=$(printf '%s/none-\351' "$work")
install -D "$binary" "$work/alone/selvara-card-viewer"
install -D "$binary" "$(dirname "$binary")/selvara_browser.so" -t "$work/lone-module"
places="$work/alone/selvara_browser.so $work/alone/../lib/selvara-card-viewer/selvara_browser.so"
# case name | XDG_RUNTIME_DIR | TMPDIR (both the run's own if empty) | folder argument | paths
# stderr names | options dialog shown | message box closed by | the program if not the built one
while IFS='|' read -r case_name xdg tmp argument named dialog close program; do
  start "${program:-$binary}" "$argument"
  [ "$dialog" = no ] || close_options
  box=$(wait_for_window 'Selvara Card Viewer' "$pid") || fail "no message box"
  [ "$dialog" = yes ] || [ -z "$(xdotool search --all --pid "$pid" --name '^Option Settings$')" ] ||
    fail "dialog shown"
  if [ "$close" = TERM ]; then kill -TERM "$pid"; else press_key "$box" Return; fi
  ended 2
  for path in $named; do grep -qF "\"$path\"" "$err" || fail "stderr lacks $path: $(cat "$err")"; done
  ! grep -q 'Command line argument' "$err" || fail "the toolkit misread the argument: $(cat "$err")"
done <<EOF
page-folder-unwritable|$work/closed1|$work/closed2|$set_dir|$work/closed1 $work/closed2|no|Return
set-folder-missing-not-utf8|||$not_utf8|$not_utf8|no|Return
set-folder-is-a-file|||/etc/passwd|/etc/passwd|no|TERM
data-folder-past-path-limit|||$long|$long/data/|yes|Return
module-missing|||$set_dir|$places|yes|Return|$work/alone/selvara-card-viewer
extension-missing|||$set_dir|$work/lone-module/web-extensions/selvara_pictures.so|yes|TERM|$work/lone-module/selvara-card-viewer
EOF
verdict
