#pragma once
// Files another program holds, or that cannot be written: for tests of what the program does
// when it cannot write a file.

#include <QString>

struct sqlite3;

namespace testsupport {

// A connection of "another program" that holds a lock of the keyed database `file` while it
// lives: one that keeps every other connection out, or one that keeps out only writers, as a
// program in the middle of writing does.
class OtherProgramLock {
public:
    enum class Holds { Everything, Writes };
    explicit OtherProgramLock(const QString& file, Holds holds = Holds::Everything);
    ~OtherProgramLock();
    OtherProgramLock(const OtherProgramLock&) = delete;
    OtherProgramLock& operator=(const OtherProgramLock&) = delete;

private:
    sqlite3* m_db = nullptr;
};

// Makes `file` unwritable for this process: by its permissions, or for a user whom
// permissions do not stop, by the immutable attribute. False when neither works.
bool makeReadOnly(const QString& file);
void makeWritable(const QString& file);

}  // namespace testsupport
