#!/usr/bin/env bash
# Builds Velmor with Debian's build flags (installing what it needs) in
# ./build-package and makes the Debian package build/velmor_<version>_<arch>.deb,
# installed with: apt-get install ./build/velmor_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The flags dpkg-buildflags gives a package: fortify, stack protector,
# relro and bindnow (hardening=+all), with the distribution's optimisation.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DVELMOR_BUILD_TESTS=OFF -DVELMOR_BUILD_BENCHMARKS=OFF "$@"
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -G DEB)
mkdir -p build
cp build-package/velmor_*.deb build/
ls build/velmor_*.deb
