#!/usr/bin/env bash
# Builds Velmor (installing what it needs) and makes the Debian package
# build/velmor_<version>_<arch>.deb, installed with: apt-get install ./build/velmor_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DCMAKE_BUILD_TYPE=Release
(cd build && cpack -G DEB)
ls build/velmor_*.deb
