#pragma once
// SQL run on a keyed database file as another program would, beside the program's own
// connections: to set a file up in a way the program never writes it, and to look inside.

#include <QString>

#include <cstdint>

namespace testsupport {

// Runs `sql` on `file`, opened with the program's password; fails the test when it fails.
void runKeyedSql(const QString& file, const char* sql);
// The first column of the first row `sql` gives on `file` (opened to read only); -1 without one.
std::int64_t keyedInteger(const QString& file, const char* sql);

}  // namespace testsupport
