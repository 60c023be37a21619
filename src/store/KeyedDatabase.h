#pragma once
// Opening an SQLCipher database file with a password: the one way the table files and the
// study history open their files, and the one place that says what an SQLite failure means.

#include "store/LockWait.h"

#include <QString>

struct sqlite3;

namespace store {

// What an SQLite result code means to the user ("the file is locked by another program");
// SQLite's own message for a code the user has no words for.
QString describeSqliteError(int code, sqlite3* db);

// A connection, or why there is none.
struct KeyedOpen {
    sqlite3* db = nullptr;  // set only when code is SQLITE_OK
    int code = 0;
    QString why;            // describeSqliteError of the failure
};

// Opens the file at `path` with the sqlite3_open_v2 `flags`, keys it with `password` (no key
// when empty), waits for locks as `lockWait` says (not at all when null; it must outlive the
// connection, whose waits read it each time) and reads the schema once: a wrong password or a
// file of another kind shows only at that first read (SQLITE_NOTADB). On failure the
// connection is closed.
KeyedOpen openKeyedDatabase(const QString& path, const QString& password, int flags, const LockWait* lockWait);

// The folder of `path` when SQLite's `code` says that the journal beside the file could not be
// made because that folder cannot be written (the file itself may well be writable); empty
// otherwise.
QString unwritableJournalFolder(int code, const QString& path);

}  // namespace store
