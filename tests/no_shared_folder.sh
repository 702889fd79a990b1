#!/usr/bin/env bash
# The build must come from the repository and the package registries alone:
# no tracked file outside the prose may name the folder beside the checkout.
# Usage: no_shared_folder.sh SOURCE_DIR
set -u
cd "$1" || exit 1
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "not a git checkout: nothing to check"; exit 0
fi
pattern='\.\./'"shared"
hits=$(git ls-files -z | grep -zv '\.md$' | xargs -0 grep -nIE "$pattern" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "FAIL: tracked files name the folder beside the checkout:"; echo "$hits"; exit 1
fi
echo "ok: no tracked file names it"
