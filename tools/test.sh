#!/usr/bin/env bash
# Installs what is missing, checks the sources' format, builds with warnings as errors, and runs
# every test: unit tests, GUI tests (on X11 and on Wayland, at normal and at double text size)
# and the process cases (in private display sessions, tools/lib/display_session.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
tools/install-deps.sh
tools/check_format.sh
cmake --preset ci
cmake --build --preset ci
tools/check_tidy.sh
ctest --preset ci --timeout 900

# The unit and GUI tests again under AddressSanitizer and UndefinedBehaviorSanitizer; any report
# fails the test (the preset sets the options and the third-party leak suppressions).
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize --timeout 900
