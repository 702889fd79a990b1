#!/usr/bin/env bash
# The generator must refuse inconsistent sources with a clear message and
# leave no database behind.
# Usage: generator_rejects_bad_sources.sh GENERATE_DB TEXT_DIR META_JSON TAFSIR_JSON JALALAYN_JSON
set -u
generator=$1 text_dir=$2 meta=$3 tafsir=$4 jalalayn=$5
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

uthmani=$text_dir/quran-text-hafs.json
sources=(--min "$text_dir/quran-text-tanzil-simple-min.json" --clean "$text_dir/quran-text-tanzil-simple-clean.json" --jalalayn "$jalalayn" --uthmani "$uthmani")

# Writes to OUT the JSON array of IN after the JavaScript CHANGE on it (t).
mutate() { # IN OUT CHANGE
  node -e 'const fs=require("fs"); const t=JSON.parse(fs.readFileSync(process.argv[1]));
    eval(process.argv[3]); fs.writeFileSync(process.argv[2], JSON.stringify(t));' "$1" "$2" "$3"
}
clean=$text_dir/quran-text-tanzil-simple-clean.json

mutate "$tafsir" "$work/tampered.json" 't[6000] += " "'
expect_failure "tampered tafsir" "checksum mismatch" "${sources[@]}" --meta "$meta" --tafsir "$work/tampered.json"
mutate "$tafsir" "$work/short-tafsir.json" 't.pop()'
expect_failure "short tafsir" "must hold 6236 strings" "${sources[@]}" --meta "$meta" --tafsir "$work/short-tafsir.json"
mutate "$meta" "$work/short.json" 't.pop()'
expect_failure "missing aya" "must hold 6236 rows" "${sources[@]}" --meta "$work/short.json" --tafsir "$tafsir"
mutate "$meta" "$work/swapped.json" '[t[10], t[11]] = [t[11], t[10]]'
expect_failure "out of order" "out of reading order" "${sources[@]}" --meta "$work/swapped.json" --tafsir "$tafsir"
mutate "$clean" "$work/clean.json" 't[0] += " زائد"'
expect_failure "words differ" "differ in their words" --min "$text_dir/quran-text-tanzil-simple-min.json" --clean "$work/clean.json" --jalalayn "$jalalayn" --uthmani "$uthmani" --meta "$meta" --tafsir "$tafsir"
mutate "$jalalayn" "$work/jalalayn.json" 't[0] = t[0].replace("(", "((")'
expect_failure "tampered jalalayn" "checksum mismatch" "${sources[@]/$jalalayn/$work/jalalayn.json}" --meta "$meta" --tafsir "$tafsir"
mutate "$uthmani" "$work/uthmani.json" 't[261] = t[261].replace("\u06da", "")'
expect_failure "tampered Uthmani text" "checksum mismatch" "${sources[@]/$uthmani/$work/uthmani.json}" --meta "$meta" --tafsir "$tafsir"
mutate "$uthmani" "$work/short-uthmani.json" 't.pop()'
expect_failure "short Uthmani text" "must hold 6236 strings" "${sources[@]/$uthmani/$work/short-uthmani.json}" --meta "$meta" --tafsir "$tafsir"
expect_failure "no Uthmani text" "usage: generate_db" --min "$text_dir/quran-text-tanzil-simple-min.json" --clean "$clean" --jalalayn "$jalalayn" --meta "$meta" --tafsir "$tafsir"

exit $status
