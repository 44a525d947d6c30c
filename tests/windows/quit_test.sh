#!/usr/bin/env bash
# The Windows program under Wine, ended as taskkill without /F ends it (a close message to each of
# its windows) once the gallery is shown: it ends as a close does, exit status 0, its pages and
# their folder removed. Runs in the Wine prefix that WINEPREFIX names, on the display of its
# server's desktop.
# Usage: quit_test.sh PROGRAM.exe CARD_SET
set -u
[ -n "${DISPLAY:-}" ] || { echo "quit_test: no DISPLAY" >&2; exit 1; }
exe=$1
temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
fail() { echo "quit_test: $*" >&2; exit 1; }
await() { for _ in $(seq 600); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }
ended() { ! kill -0 "$pid"; }
before=$(ls -d "$temp"/selvara-card-viewer-* 2>/dev/null)
# Windows hands the program one text, which is split at "/": the set is named as Windows names it.
wine "$exe" "$(winepath -w "$2")" &
pid=$!
await xdotool search --name "^Option Settings$" || fail "no options dialog"
xdotool search --name "^Option Settings$" windowactivate --sync key Return
await compgen -G "$temp/selvara-card-viewer-*/test.html" || fail "no gallery page in $temp"
folder=$(comm -13 <(echo "$before") <(ls -d "$temp"/selvara-card-viewer-*))
wine taskkill /im "$(basename "$exe")" >/dev/null || fail "taskkill found no $exe"
await ended || fail "the program did not end within 60 s of taskkill"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after taskkill"
[ ! -e "$folder" ] || fail "the run's page folder is left: $folder: $(ls -A "$folder")"
echo "quit_test: taskkill ended the run as a close does; $folder removed"
