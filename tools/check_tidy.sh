#!/usr/bin/env bash
# Runs clang-tidy with the root .clang-tidy over the program's own sources in src/ (not the tests,
# not the generated resource sources) and fails, listing each finding, when it reports any.
# Needs a configured and built CI tree: the compile commands and generated files come from it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build/ci}"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: no $build/compile_commands.json; run 'cmake --preset ci && cmake --build --preset ci'" >&2
  exit 2
fi

# .clang-tidy names each check it runs, so that every release runs the same ones: one that this
# clang-tidy does not have, or a group taken whole, would change the verdict from release to release.
named=$(sed -n '/^Checks:/,/^[A-Za-z]/p' .clang-tidy | grep '^  ' | tr ',' '\n' | tr -d ' ' |
  grep -vx -e '' -e '-\*' | sort)
known=$(clang-tidy --list-checks | sed -n 's/^ *\([a-z].*\)$/\1/p' | sort)
missing=$(comm -23 <(echo "$named") <(echo "$known"))
if [ -n "$missing" ]; then
  echo "tidy: .clang-tidy names what clang-tidy $(clang-tidy --version | grep -o '[0-9][0-9.]*' |
    head -1) does not run as one check:" $missing >&2
  exit 1
fi

report=$(mktemp)
trap 'rm -f "$report"' EXIT
# Every finding is an error (WarningsAsErrors), so a file with findings fails its run.
status=0
run-clang-tidy -p "$build" -j 2 -quiet -header-filter="^$root/src/" "^$root/src/" \
  >"$report" 2>&1 || status=$?
# run-clang-tidy colours its output whatever the terminal, and prints each command it runs (from
# version 19 on after its count and time, "[3/35][2.5s] clang-tidy-19 ...").
command_line='^(\[ *[0-9]+/[0-9]+\]\[[0-9.]+s\] )?clang-tidy(-[0-9]+)? '
findings=$(sed -e 's/\x1b\[[0-9;]*m//g' "$report" | grep -vE -e "$command_line" -e '^([0-9]+ (warnings?|errors?) (generated|treated as errors)|Suppressed [0-9]+ warnings|Use -header-filter|Error while processing )' || true)
count=$(grep -cE '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' <<<"$findings" || true)
if [ "$status" -ne 0 ] || [ "$count" -ne 0 ]; then
  printf '%s\n' "$findings"
  echo "tidy: $count finding(s) in src/ (run-clang-tidy exited with $status)" >&2
  exit 1
fi
files=$(sed -e 's/\x1b\[[0-9;]*m//g' "$report" | grep -cE "$command_line" || true)
echo "tidy: $files sources in src/ pass .clang-tidy"
