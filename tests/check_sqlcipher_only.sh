#!/usr/bin/env bash
# Fails when a binary loads libsqlite3 or does not load libsqlcipher.
set -u
status=0
for binary in "$@"; do
  libs=$(ldd "$binary") || { echo "cannot inspect $binary"; status=1; continue; }
  if grep -q 'libsqlite3\.so' <<<"$libs"; then
    echo "FAIL: $binary loads libsqlite3:"; grep 'libsqlite3' <<<"$libs"; status=1
  elif ! grep -q 'libsqlcipher\.so' <<<"$libs"; then
    echo "FAIL: $binary does not load libsqlcipher"; status=1
  else
    echo "ok: $(basename "$binary") loads libsqlcipher only"
  fi
done
exit $status
