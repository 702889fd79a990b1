#pragma once

#include <QString>

struct sqlite3;

namespace velmor::store {

// Reads the file's Ayat table once into memory and puts a virtual table of
// the same name and columns over that copy in the connection's temp schema,
// where unqualified names look first. The queries keep their SQL text; their
// conditions on the columns (comparisons and LIKE) are checked against the
// copy without decoding a record per row, and the LIKE on AyaaIndex matches
// the index as stored, already folded.
//
// Fails, with the reason in error, when the table is missing, lacks one of
// the columns the program reads, holds a NULL in one, or has no rows.
bool installAyatTable(sqlite3* db, QString& error);

} // namespace velmor::store
