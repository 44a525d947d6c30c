#!/usr/bin/env bash
# Fails, naming each file and line, when a C++ source in the repository departs from .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "format: every C++ source follows .clang-format"
