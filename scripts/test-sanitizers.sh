#!/usr/bin/env bash
# Builds the whole suite a second time with AddressSanitizer (leak detection
# on) and UndefinedBehaviorSanitizer, stopping at the first report, in
# ./build-sanitizers, and runs it. Assumes scripts/install-deps.sh has run.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitizers -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMOR_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-sanitizers --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitizers --output-on-failure --timeout 600 -j "$(nproc)"
