#!/usr/bin/env bash
# Start-up to window shown and peak resident memory, the median of N fresh
# processes. Targets: <= 60 ms and <= 40 MB.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]  (QT_QPA_PLATFORM defaults to offscreen)
set -euo pipefail
build=${1:-build}
runs=${2:-11}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
probe="$build/bin/startup_probe"
"$probe" >/dev/null 2>&1 || true # warm the file cache
results=$(for _ in $(seq "$runs"); do "$probe" 2>/dev/null; done)
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ms=$(sed -n 's/.*shown_ms=\([0-9.]*\).*/\1/p' <<<"$results" | median)
kb=$(sed -n 's/.*peak_rss=\([0-9]*\).*/\1/p' <<<"$results" | median)
echo "start-up to window shown ($QT_QPA_PLATFORM): median ${ms} ms over ${runs} runs"
echo "peak resident memory: median $((kb / 1024)) MB (${kb} kB)"
