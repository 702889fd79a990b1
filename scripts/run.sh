#!/usr/bin/env bash
# Installs what Velmor needs, builds it and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/bin/velmor ]; then
  exec build/bin/velmor "$@"
fi
echo "Velmor is built; the database is at build/bin/zarqen.zq ($(stat -c %s build/bin/zarqen.zq) bytes)."
