#include "store/KeyedDatabase.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace store {

namespace {

// SQLite's busy handler: called while another connection holds a lock, nonzero to wait and
// try again. `tries` counts the calls before this one.
int waitForLock(void* lockWait, int tries)
{
    const auto* wait = static_cast<const LockWait*>(lockWait);
    if (tries >= wait->retryCount)
        return 0;
    QThread::msleep(static_cast<unsigned long>(wait->waitTime));
    return 1;
}

}  // namespace

QString describeSqliteError(int code, sqlite3* db)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return QStringLiteral("the file is locked by another program");
    case SQLITE_READONLY: return QStringLiteral("the file or its folder is read-only");
    case SQLITE_FULL: return QStringLiteral("the disk is full");
    case SQLITE_NOTADB: return QStringLiteral("not a table file, or it needs another password");
    case SQLITE_CORRUPT: return QStringLiteral("the file is damaged");
    case SQLITE_CANTOPEN: return QStringLiteral("the file cannot be opened");
    case SQLITE_IOERR: return QStringLiteral("the file cannot be read or written");
    default: break;
    }
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
}

KeyedOpen openKeyedDatabase(const QString& path, const QString& password, int flags, const LockWait* lockWait)
{
    KeyedOpen result;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc == SQLITE_OK && !password.isEmpty()) {
        const QByteArray key = password.toUtf8();
        rc = sqlite3_key(db, key.constData(), int(key.size()));
    }
    if (rc == SQLITE_OK) {
        if (lockWait)
            sqlite3_busy_handler(db, waitForLock, const_cast<LockWait*>(lockWait));
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    result.code = rc;
    if (rc == SQLITE_OK) {
        result.db = db;
        return result;
    }
    result.why = describeSqliteError(rc, db);
    sqlite3_close(db);
    return result;
}

QString unwritableJournalFolder(int code, const QString& path)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if ((code & 0xff) != SQLITE_CANTOPEN || folder.isWritable())
        return QString();
    return QDir::toNativeSeparators(folder.absoluteFilePath());
}

}  // namespace store
