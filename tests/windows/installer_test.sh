#!/usr/bin/env bash
# The installer under Wine, run silently as an administrator's deployment runs it: the program
# under Program Files, a Start menu entry and an uninstall entry; the entry runs the installed
# program, which asks for a card set, shows its gallery and writes nothing beside itself; the
# uninstaller removes every file and entry the installer made. Runs in the Wine prefix that
# WINEPREFIX names, inside tools/lib/display_session.sh.
# Usage: installer_test.sh INSTALLER.exe SAMPLE_SET
# shellcheck source=../harness.sh
. "$(dirname "$0")/../harness.sh"
installed="$WINEPREFIX/drive_c/Program Files/Selvara Card Viewer"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Selvara Card Viewer.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Selvara Card Viewer'
cp -r "$2" "$work/Stone"
wine "$1" /S || fail "the installer failed"
files=$(find "$installed" -printf '%P %s %T@\n' | sort)
wine reg query "$key" /v UninstallString >/dev/null || fail "no uninstall entry $key"

# The Start menu entry as the shell opens it, which does not wait for the program. NOTE: Wine
# titles its folder chooser "Select Folder" whatever the program asks; Windows shows the title.
case_name=start-menu
start wine start /unix "$shortcut"
ended 0
press_key "$(wait_for_window '(Choose a card set|Select Folder)')" ctrl+a || fail "no folder chooser"
xdotool type "$(winepath -w "$work/Stone")" && xdotool key Return
press_key "$(wait_for_window 'Option Settings')" Return || fail "no options dialog"
viewer=$(wait_for_window 'SET - Stone - .*') && program=$(xdotool getwindowpid "$viewer") &&
  press_key "$viewer" alt+F4 || fail "no gallery"
for _ in $(seq 300); do kill -0 "${program:-}" 2>/dev/null || break; sleep 0.1; done
! kill -0 "${program:-}" 2>/dev/null || fail "the program did not end when its window closed"
[ "$(find "$installed" -printf '%P %s %T@\n' | sort)" = "$files" ] || fail "the program wrote beside itself"

# The uninstaller runs a copy of itself from the temporary folder and returns at once.
wine "$installed/uninstall.exe" /S
for _ in $(seq 300); do [ -e "$installed" ] || break; sleep 0.1; done
for made in "$installed" "$shortcut"; do [ ! -e "$made" ] || fail "the uninstaller left $made"; done
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left the registry key $key"
verdict
