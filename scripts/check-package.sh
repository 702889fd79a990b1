#!/usr/bin/env bash
# Runs lintian on the package that scripts/package.sh made, and fails on any
# error or warning. Pedantic tags are shown; the ones let through are listed
# here, each with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if ! command -v lintian >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends lintian
fi
deb=$(ls build/velmor_*.deb)
# Pedantic tags let through:
# - none yet; a tag added here needs its reason beside it.
allowed_pedantic=()
lintian --info --display-info --pedantic --fail-on error,warning \
  ${allowed_pedantic:+--suppress-tags "$(IFS=,; echo "${allowed_pedantic[*]}")"} "$deb"
echo "lintian: no error and no warning on $(basename "$deb")"
if command -v hardening-check >/dev/null 2>&1; then
  dir=$(mktemp -d)
  trap 'rm -rf "$dir"' EXIT
  dpkg-deb -x "$deb" "$dir"
  hardening-check "$dir/usr/lib/velmor/velmor"
fi
