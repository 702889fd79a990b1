#!/usr/bin/env bash
# Fails when a binary loads libsqlite3, or calls SQLite without loading
# libsqlcipher. A binary that needs no SQLite at all (a linker that drops
# unused libraries leaves some test programs without it) is fine.
set -u
status=0
for binary in "$@"; do
  libs=$(ldd "$binary") || { echo "cannot inspect $binary"; status=1; continue; }
  if grep -q 'libsqlite3\.so' <<<"$libs"; then
    echo "FAIL: $binary loads libsqlite3:"; grep 'libsqlite3' <<<"$libs"; status=1
  elif grep -q 'libsqlcipher\.so' <<<"$libs"; then
    echo "ok: $(basename "$binary") loads libsqlcipher only"
  elif nm -D --undefined-only "$binary" | grep -q ' sqlite3_'; then
    echo "FAIL: $binary calls SQLite but does not load libsqlcipher"; status=1
  else
    echo "ok: $(basename "$binary") needs no SQLite"
  fi
done
exit $status
