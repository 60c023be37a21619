#pragma once
// The layout of history.DAT, and how a file of an older layout is brought up to date: one
// upgrade step per layout version, all of them in the caller's write transaction. A file that
// cannot be written is read as it is, through temporary views that show it as the current layout.

#include <QString>

struct sqlite3;

namespace history {

class HistoryDatabase;

namespace layout {

// Marks the file as a history file ("QHIS").
inline constexpr int ApplicationId = 0x51484953;
// The layout this program writes; files of versions 1 to this one can be read.
inline constexpr int CurrentVersion = 3;
// The tables of every version.
inline constexpr const char* Tables[] = {"attempts", "attempt_sections", "questions", "attempt_items"};

// Adds the SQL functions that the upgrade steps and the views use to a new connection.
void addFunctions(sqlite3* db);
// Makes the current layout in a file without one; inside a write transaction.
void create(HistoryDatabase& db, const QString& doing);
// Brings a file of layout `version` up to the current one; inside a write transaction.
void upgrade(HistoryDatabase& db, int version, const QString& doing);
// Shows a file of the older layout `version` as the current one on this connection only,
// writing nothing to it. Undone by upgrade().
void readAsIs(HistoryDatabase& db, int version, const QString& doing);

}  // namespace layout
}  // namespace history
