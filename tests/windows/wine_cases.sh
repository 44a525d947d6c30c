#!/usr/bin/env bash
# The Windows program under Wine as its user runs it: the set's path passed as Windows passes it
# (with spaces, unquoted, quoted, and as Explorer passes a folder dropped on the program), the
# caption, the page in the run's private folder under the user's temporary folder, each way a run
# ends, the sweep of a killed run's folder, and the failures before the gallery. Runs in the Wine
# prefix that WINEPREFIX names, inside tools/lib/display_session.sh.
# Usage: wine_cases.sh PROGRAM.exe SAMPLE_SET
# shellcheck source=../harness.sh
. "$(dirname "$0")/../harness.sh"
exe=$1
set_dir="$work/My Sets/Stone"
mkdir "$work/My Sets" && cp -r "$2" "$set_dir" && touch "$work/a file"
# Cards named in Greek, CJK and an emoji: the page holds their names as they are, in UTF-8.
cards=(aΩμέγ c日本 b🂡) && for card in "${cards[@]}"; do mkdir "$set_dir/data/$card"; done
set_win=$(winepath -w "$set_dir") file_win=$(winepath -w "$work/a file")
temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
page_folders() { ls -d "$temp"/selvara-card-viewer-* 2>/dev/null; }

# Each way Windows passes the path: the gallery of "Stone" with its caption and its page; then each
# way a run ends: status 0 and the folder gone, except after taskkill /F, whose folder the next
# run's start sweeps.
# case name | the run, its set's path last | how it ends | its exit status
while IFS='|' read -r case_name run how status; do
  before=$(page_folders)
  # shellcheck disable=SC2086 # the run's words, the unquoted path among them, are split
  eval start $run
  press_key "$(wait_for_window 'Option Settings')" Return || fail "no options dialog"
  viewer=$(wait_for_window 'SET - Stone - Selvara Card Viewer - Version 1\.0\.0\.1') || fail "no gallery"
  folder=$(comm -13 <(echo "$before") <(page_folders))
  for card in a0001 "${cards[@]}"; do
    grep -qF "src='$set_win\\data\\$card\\${card}c.jpg' alt='$card'" "$folder/test.html" || fail "no $card"
  done
  [ ! -e "${killed:-}" ] || fail "the folder of a killed run was not swept: $killed"
  case $how in
    close) press_key "$viewer" alt+F4 ;;
    log-off) wine wineboot --end-session ;;
    taskkill) wine taskkill /im "$(basename "$exe")" >/dev/null ;;
    taskkill-f) wine taskkill /f /im "$(basename "$exe")" >/dev/null && killed=$folder ;;
  esac
  ended "$status"
  [ "$folder" = "${killed:-}" ] || [ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
done <<'EOF'
unquoted|wine "$exe" $set_win|taskkill-f|[0-9]*
quoted|wine "$exe" "$set_win"|close|0
dropped-on-icon|wine start /wait /unix "$exe" "$set_win"|log-off|0
quoted-taskkill|wine "$exe" "$set_win"|taskkill|0
EOF

# Failures: a message box, stderr naming the path, status 2, no page folder made. The temporary
# folder is the user's setting, which a run started from here takes from the registry.
reg_env() { for name in TMP TEMP; do wine reg add 'HKCU\Environment' /v $name /d "$1" /f >/dev/null; done; }
user_temp=$(winepath -w "$temp")
trap 'reg_env "$user_temp"; rm -rf "$work"' EXIT
# case name | the set's path | the temporary folder | the path the failure names
while IFS='|' read -r case_name argument temporary named; do
  before=$(page_folders)
  reg_env "$temporary"
  start wine "$exe" "$argument"
  press_key "$(wait_for_window 'Selvara Card Viewer')" Return || fail "no message box"
  ended 2
  grep -q 'Run-time error [0-9]*: ' "$err" && grep -qF "\"$named" "$err" || fail "$(cat "$err")"
  [ "$(page_folders)" = "$before" ] || fail "a page folder was made"
done <<EOF
set-folder-missing|$set_win\\none|$user_temp|$set_win\\none
set-folder-is-a-file|$file_win|$user_temp|$file_win
page-folder-cannot-be-made|$set_win|$file_win|$file_win
EOF
verdict
