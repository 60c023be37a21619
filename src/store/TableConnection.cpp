#include "store/TableConnection.h"

#include "store/Fields.h"
#include "store/KeyedDatabase.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace store {

void TableConnection::open(const QStringList& passwords, bool exclusive)
{
    const QFileInfo info(m_tableName);
    const QString where = QDir::toNativeSeparators(info.absoluteFilePath());
    auto cannotOpen = [&](const QString& why) {
        throw StoreError(QStringLiteral("Cannot open table %1: %2").arg(where, why));
    };
    if (!info.exists())
        cannotOpen(QStringLiteral("file not found"));
    if (!info.isFile())
        cannotOpen(QStringLiteral("not a file"));
    // SQLite takes an empty file for a new database and would write one into it.
    if (info.size() == 0)
        cannotOpen(QStringLiteral("the file is empty, not a table file"));

    const QStringList noPassword{QString()};
    int rc = SQLITE_NOTADB;
    for (const QString& password : passwords.isEmpty() ? noPassword : passwords) {
        const KeyedOpen opened =
            openKeyedDatabase(info.absoluteFilePath(), password, SQLITE_OPEN_READWRITE, &m_lockWait);
        rc = opened.code;
        if (rc == SQLITE_OK) {
            adopt(opened.db);
            break;
        }
        if ((rc & 0xff) != SQLITE_NOTADB)
            cannotOpen(opened.why);
    }
    if (rc != SQLITE_OK)
        cannotOpen(describeSqliteError(rc, nullptr));

    try {
        cachePages(info.size());
    } catch (...) {
        closeConnection();
        throw;
    }
    // Taking the write lock once keeps it for the life of the connection.
    if (exclusive && lockForGood() != SQLITE_OK) {
        const QString why = describeSqliteError(lastErrorCode(), handle());
        closeConnection();
        cannotOpen(why);
    }
}

void TableConnection::cachePages(qint64 fileSize)
{
    // Opening reads every key, and an exam start then reads the items in random order: the
    // decrypted pages of the whole file stay in memory (up to 256 MB) so each page is decrypted
    // once, until releasePageCache. The size is given in pages: a size in KB also counts each
    // page's bookkeeping, and a cache of the file's size in KB would hold only part of the file,
    // so every further pass would read and decrypt it all again.
    std::int64_t pageBytes = pragma("PRAGMA page_size");
    if (pageBytes <= 0)
        pageBytes = 1024;
    const qint64 pages = std::min<qint64>(fileSize + DefaultPageCacheKb * 1024, qint64(256) * 1024 * 1024) / pageBytes;
    execQuietly(QStringLiteral("PRAGMA cache_size = %1").arg(pages).toUtf8().constData());
}

void TableConnection::releasePageCache() noexcept
{
    // Shrinking cannot leave the table in a worse state, so a failure is of no consequence.
    if (!isOpen())
        return;
    execQuietly(QStringLiteral("PRAGMA cache_size = -%1").arg(DefaultPageCacheKb).toUtf8().constData());
    sqlite3_db_release_memory(handle());
}

int TableConnection::lockForGood() noexcept
{
    return execQuietly("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;");
}

void TableConnection::takeExclusive()
{
    if (lockForGood() == SQLITE_OK)
        return;
    const int code = lastErrorCode();
    execQuietly("ROLLBACK");
    execQuietly("PRAGMA locking_mode=NORMAL");
    const QString reason = describeSqliteError(code, nullptr);
    fail(QStringLiteral("cannot take the table for exclusive use: %1").arg(reason), reason);
}

std::int64_t TableConnection::pragma(const char* sql)
{
    Statement s(*this, sql, QStringLiteral("cannot read the table"));
    return s.step() ? s.integer(0) : 0;
}

QStringList TableConnection::columnNames()
{
    QStringList columns;
    Statement info(*this, QStringLiteral("PRAGMA table_info(\"%1\")").arg(QLatin1String(ItemsTable)),
                   QStringLiteral("cannot read the table"));
    while (info.step())
        columns.append(info.text(1));
    return columns;
}

int TableConnection::storedKind()
{
    return int(pragma("PRAGMA user_version"));
}

void TableConnection::fail(const QString& what, const QString& reason) const
{
    throw StoreError(QStringLiteral("Table %1: %2").arg(m_tableName, what), reason);
}

void TableConnection::failSql(const QString& doing, int code) const
{
    if (code == 0)
        code = lastErrorCode();
    // A write makes a journal file beside the table file; in a folder the program may not
    // write to, that is what fails, not the table file itself.
    const QString folder = unwritableJournalFolder(code, m_tableName);
    const QString reason =
        folder.isEmpty()
            ? describeSqliteError(code, handle())
            : QStringLiteral("its folder %1 is read-only, so the journal beside the file cannot be made").arg(folder);
    fail(QStringLiteral("%1: %2").arg(doing, reason), reason);
}

}  // namespace store
