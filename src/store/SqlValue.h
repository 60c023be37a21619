#pragma once
// Values between SQLite statements and QVariant, as every table of the store reads and writes them.

#include <QVariant>

struct sqlite3_stmt;

namespace store {

// A column of the current row: whole numbers as qint64, texts (and anything else) as QString,
// NULL as an invalid QVariant.
QVariant columnValue(sqlite3_stmt* stmt, int column);
// Binds a value to a parameter (from 1): invalid as NULL, whole numbers and booleans as
// integers, anything else as its text.
void bindValue(sqlite3_stmt* stmt, int parameter, const QVariant& value);

}  // namespace store
