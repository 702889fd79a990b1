#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over every source file of the
# program and the generator, using the build's compile commands; fails on any
# finding.
# Usage: scripts/tidy.sh [BUILD_DIR]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] || { echo "configure $build first"; exit 2; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
git ls-files 'src/*.cpp' 'data/*.cpp' | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet >"$log" 2>&1
if grep -E 'warning:|error:' "$log"; then
  exit 1
fi
echo "clang-tidy: no findings"
