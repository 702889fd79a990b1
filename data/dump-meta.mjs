// Writes the sura, aya, juz and page of every aya (in reading order) as JSON,
// taken from the pinned quran-meta package, for the database generator.
// Usage: node dump-meta.mjs OUTPUT.json
import { writeFileSync } from 'node:fs';
import { findSurahAyahByAyahId, findJuzByAyahId, findPagebyAyahId } from 'quran-meta/hafs';

const output = process.argv[2];
if (!output) {
  console.error('usage: node dump-meta.mjs OUTPUT.json');
  process.exit(2);
}

const AYA_COUNT = 6236;
const rows = [];
for (let id = 1; id <= AYA_COUNT; id++) {
  const [sura, aya] = findSurahAyahByAyahId(id);
  rows.push([sura, aya, findJuzByAyahId(id), findPagebyAyahId(id)]);
}
writeFileSync(output, JSON.stringify(rows));
