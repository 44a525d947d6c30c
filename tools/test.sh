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

# Fuzz the command-line splitter and the thumbnail markup for a bounded time each.
cmake --preset fuzz
cmake --build --preset fuzz
fuzz_dir=$(mktemp -d)
for target in command_line_fuzz thumbnail_fuzz; do
  (cd "$fuzz_dir" && "$root/build/fuzz/tests/fuzz/$target" -max_total_time=30 -print_final_stats=1)
done
rm -rf "$fuzz_dir"
echo "fuzz: 2 passed, 0 failed"
