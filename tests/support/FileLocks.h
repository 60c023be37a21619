#pragma once
// Files another program holds, or that cannot be written: for tests of what the program does
// when it cannot write a file.

#include <QString>

struct sqlite3;

namespace testsupport {

// A connection of "another program" that holds the write lock of the keyed database `file`
// while it lives.
class OtherProgramLock {
public:
    explicit OtherProgramLock(const QString& file);
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
