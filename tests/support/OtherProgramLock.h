#pragma once
// Another program's connection to an encrypted file that holds its write lock while it lives.
// For tests that define SQLITE_HAS_CODEC and link SQLCipher.

#include "store/Session.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QtGlobal>

namespace testsupport {

struct OtherProgramLock {
    sqlite3* db = nullptr;
    explicit OtherProgramLock(const QString& file)
    {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        const QByteArray key = store::TablePassword.toUtf8();
        sqlite3_key(db, key.constData(), int(key.size()));
        if (sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("cannot lock %s", qPrintable(file));
    }
    ~OtherProgramLock()
    {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    OtherProgramLock(const OtherProgramLock&) = delete;
    OtherProgramLock& operator=(const OtherProgramLock&) = delete;
};

}  // namespace testsupport
