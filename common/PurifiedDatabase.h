#pragma once

#include <QString>

// A purified reference database is an SQLite 3 file whose first table is the reference
// table "CREATE TABLE R(r1 TEXT,r2 TEXT)". Only the file's header and its first page
// (the schema) are read. Never throws: a missing, unreadable or malformed file is none.
bool IsPurifiedDatabase(const QString &path);

// A database in the SQLite 2.1 file format, which the sqlite3 shell cannot open.
bool isLegacySqlite2Database(const QString &path);

// Raises a clear error for a reference in the SQLite 2.1 format, which would otherwise
// end as an unrecognised file or an empty result.
void rejectLegacyDatabase(const QString &path);
