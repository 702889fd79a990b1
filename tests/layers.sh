#!/usr/bin/env bash
# The source layers depend one way: store <- core <- widgets <- windows <- app.
# Fails when a file includes a project header of a layer above its own, or
# when the store or a core spells a Widgets header through the Qt root.
# Usage: layers.sh SOURCE_DIR
set -u
cd "$1/src" || exit 1
names=(store core widgets windows app)
layer_of() { # a path under src -> its layer's number
  case "$1" in
    store/*) echo 0 ;; common/* | */core/*) echo 1 ;; widgets/*) echo 2 ;;
    search/* | results/* | finder/* | info/* | reader/* | library/* | verify/* | research/* | print/*) echo 3 ;; app/*) echo 4 ;; *) echo 9 ;;
  esac
}
declare -A header_layer
while IFS= read -r header; do
  name=$(basename "$header")
  header_layer[${name%.in}]=$(layer_of "$header")
done < <(find . -name '*.h' -o -name '*.h.in' | sed 's|^\./||')
status=0
while IFS= read -r file; do
  own=$(layer_of "$file")
  while IFS= read -r included; do
    theirs=${header_layer[$included]:-}
    if [ -n "$theirs" ] && [ "$theirs" -gt "$own" ]; then
      echo "FAIL: $file (${names[$own]}) includes $included (${names[$theirs]})"; status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.cpp' -o -name '*.h' \) | sed 's|^\./||')
if widgets=$(grep -rlE '#include <QtWidgets/' store common ./*/core); then
  echo "FAIL: Widgets headers below the widgets layer: $widgets"; status=1
fi
[ $status -eq 0 ] && echo "ok: every include points down the layers ${names[*]}"
exit $status
