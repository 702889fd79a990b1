#!/usr/bin/env bash
# Installs what Velmor needs, then configures and builds it (database included)
# in ./build. Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja "$@"
cmake --build build --parallel "$(nproc)"
