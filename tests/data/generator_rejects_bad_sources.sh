#!/usr/bin/env bash
# The generator must refuse inconsistent sources with a clear message and
# leave no database behind.
# Usage: generator_rejects_bad_sources.sh GENERATE_DB TEXT_DIR META_JSON TAFSIR_JSON
set -u
generator=$1 text_dir=$2 meta=$3 tafsir=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

expect_failure() { # description, expected message, generator arguments...
  local what=$1 message=$2; shift 2
  local output
  if output=$("$generator" "$@" --output "$work/zarqen.zq" 2>&1); then
    echo "FAIL ($what): the generator accepted it"; status=1
  elif ! grep -q -- "$message" <<<"$output"; then
    echo "FAIL ($what): unexpected message: $output"; status=1
  elif [ -e "$work/zarqen.zq" ] || [ -e "$work/zarqen.zq.tmp" ]; then
    echo "FAIL ($what): a database file was left behind"; status=1
  else
    echo "ok ($what): $output"
  fi
}

sources=(--min "$text_dir/quran-text-tanzil-simple-min.json" --clean "$text_dir/quran-text-tanzil-simple-clean.json")

# A tafsir file with one entry changed, so its checksum no longer matches.
node -e 'const fs=require("fs"); const t=JSON.parse(fs.readFileSync(process.argv[1])); t[6000]+=" "; fs.writeFileSync(process.argv[2], JSON.stringify(t));' "$tafsir" "$work/tampered.json"
expect_failure "tampered tafsir" "checksum mismatch" "${sources[@]}" --meta "$meta" --tafsir "$work/tampered.json"

# A tafsir file one entry short.
node -e 'const fs=require("fs"); const t=JSON.parse(fs.readFileSync(process.argv[1])); t.pop(); fs.writeFileSync(process.argv[2], JSON.stringify(t));' "$tafsir" "$work/short-tafsir.json"
expect_failure "short tafsir" "must hold 6236 strings" "${sources[@]}" --meta "$meta" --tafsir "$work/short-tafsir.json"

# Metadata with one aya missing.
node -e 'const fs=require("fs"); const m=JSON.parse(fs.readFileSync(process.argv[1])); m.pop(); fs.writeFileSync(process.argv[2], JSON.stringify(m));' "$meta" "$work/short.json"
expect_failure "missing aya" "must hold 6236 rows" "${sources[@]}" --meta "$work/short.json" --tafsir "$tafsir"

# Metadata out of reading order (two ayas swapped).
node -e 'const fs=require("fs"); const m=JSON.parse(fs.readFileSync(process.argv[1])); [m[10],m[11]]=[m[11],m[10]]; fs.writeFileSync(process.argv[2], JSON.stringify(m));' "$meta" "$work/swapped.json"
expect_failure "out of order" "out of reading order" "${sources[@]}" --meta "$work/swapped.json" --tafsir "$tafsir"

# A clean text whose words differ from the marked text.
node -e 'const fs=require("fs"); const t=JSON.parse(fs.readFileSync(process.argv[1])); t[0]=t[0]+" زائد"; fs.writeFileSync(process.argv[2], JSON.stringify(t));' "$text_dir/quran-text-tanzil-simple-clean.json" "$work/clean.json"
expect_failure "words differ" "differ in their words" --min "$text_dir/quran-text-tanzil-simple-min.json" --clean "$work/clean.json" --meta "$meta" --tafsir "$tafsir"

exit $status
