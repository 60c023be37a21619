#include "support/KeyedSql.h"

#include "store/Session.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QTest>

namespace testsupport {

namespace {

sqlite3* openKeyed(const QString& file, int flags)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, flags, nullptr);
    const QByteArray key = store::TablePassword.toUtf8();
    sqlite3_key(db, key.constData(), int(key.size()));
    return db;
}

}  // namespace

void runKeyedSql(const QString& file, const char* sql)
{
    sqlite3* db = openKeyed(file, SQLITE_OPEN_READWRITE);
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QCOMPARE(rc, SQLITE_OK);
}

std::int64_t keyedInteger(const QString& file, const char* sql)
{
    sqlite3* db = openKeyed(file, SQLITE_OPEN_READONLY);
    sqlite3_stmt* statement = nullptr;
    std::int64_t value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

}  // namespace testsupport
