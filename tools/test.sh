#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test: unit tests,
# GUI tests and end-to-end tests (the last two under a private virtual X server).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
tools/install-deps.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci --timeout 900
