#!/usr/bin/env bash
# Kept for the callers not yet moved to display_session.sh: the X11 session at normal text size.
exec "$(dirname "$0")/display_session.sh" x11 1 "$@"
