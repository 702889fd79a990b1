#!/usr/bin/env bash
# Every data source DATA.md names (its npm packages and their files) is
# named in the package's machine-readable copyright file, which must also
# carry the format's header and a licence paragraph for each licence used.
# Usage: copyright_names_every_source.sh DATA.md COPYRIGHT
set -u
data=$1 copyright=$2
status=0
head -n1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  { echo "FAIL: not in Debian's machine-readable format"; status=1; }
sources=$(grep -o 'npm `[^`]*`' "$data" | sed 's/npm `\(.*\)`/\1/' | sort -u)
[ -n "$sources" ] || { echo "FAIL: DATA.md names no source"; status=1; }
for source in $sources; do
  grep -qF -- "$source" "$copyright" || { echo "FAIL: $source is not in the copyright file"; status=1; }
done
for work in "Tanzil" "al-Muyassar" "al-Jalalayn" "KFGQPC HAFS Uthmanic Script" "uthmanic-hafs-v22.ttf"; do
  grep -qF -- "$work" "$data" && ! grep -qF -- "$work" "$copyright" &&
    { echo "FAIL: $work is credited in DATA.md but not in the copyright file"; status=1; }
done
for license in $(sed -n 's/^License: //p' "$copyright" | tr ' ' '\n' | grep -v '^and$' | sort -u); do
  grep -q "^License: $license\$" "$copyright" || { echo "FAIL: no paragraph for the licence $license"; status=1; }
done
[ $status -eq 0 ] && echo "ok: the copyright file names every source: $(echo $sources)"
exit $status
