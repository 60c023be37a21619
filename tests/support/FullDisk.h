#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

// A disk that fills when a test says so. While a FullDisk lives, every table file opened goes
// through a file layer that passes each call on to the system's, except that writes to a full
// file fail as they do on a full disk (SQLITE_FULL). Files opened before it are not affected.
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Writes to the files whose name begins with `fileName` (so with their journals) fail.
    void fill(const QString& fileName);
    // Every write fails.
    void fillAll();
    void makeRoom();
};

}  // namespace testsupport
