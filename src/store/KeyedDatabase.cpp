#include "store/KeyedDatabase.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>

namespace store {

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

KeyedOpen openKeyedDatabase(const QString& path, const QString& password, int flags, BusyHandler busy,
                            void* context)
{
    KeyedOpen result;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc == SQLITE_OK && !password.isEmpty()) {
        const QByteArray key = password.toUtf8();
        rc = sqlite3_key(db, key.constData(), int(key.size()));
    }
    if (rc == SQLITE_OK) {
        if (busy)
            sqlite3_busy_handler(db, busy, context);
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

}  // namespace store
