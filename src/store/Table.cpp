#include "store/Table.h"

#include "store/KeyedDatabase.h"
#include "store/Session.h"
#include "store/SqlValue.h"
#include "store/StoreError.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <stdexcept>

namespace store {

namespace {

int busyHandler(void* context, int tries)
{
    auto* table = static_cast<Table*>(context);
    if (tries >= table->lockRetryCount())
        return 0;
    QThread::msleep(static_cast<unsigned long>(table->lockWaitTime()));
    return 1;
}

// Statements are finalized when they go out of scope.
struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

}  // namespace

Table::Table(QObject* parent) : QObject(parent) {}

Table::~Table()
{
    resetStatements();
    closeConnection();
}

void Table::setTableName(const QString& fileName)
{
    if (isOpen())
        fail(QStringLiteral("cannot change the file of an open table"));
    m_tableName = fileName;
}

void Table::setExclusive(bool exclusive)
{
    if (isOpen())
        fail(QStringLiteral("cannot change the lock mode of an open table"));
    m_exclusive = exclusive;
}

void Table::takeExclusive()
{
    requireOpen("take the table for exclusive use");
    if (m_exclusive)
        return;
    if (m_inTransaction)
        fail(QStringLiteral("cannot take the table for exclusive use inside a transaction"));
    if (sqlite3_exec(m_db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        const int code = sqlite3_extended_errcode(m_db);
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_exec(m_db, "PRAGMA locking_mode=NORMAL", nullptr, nullptr, nullptr);
        const QString reason = describeSqliteError(code, nullptr);
        fail(QStringLiteral("cannot take the table for exclusive use: %1").arg(reason), reason);
    }
    m_exclusive = true;
}

// ---------------------------------------------------------------- errors

void Table::fail(const QString& what, const QString& reason) const
{
    throw StoreError(QStringLiteral("Table %1: %2").arg(m_tableName, what), reason);
}

void Table::failSql(const QString& what) const
{
    const int code = m_db ? sqlite3_extended_errcode(m_db) : SQLITE_ERROR;
    // A write makes a journal file beside the table file; in a folder the program may not
    // write to, that is what fails, not the table file itself.
    const QFileInfo folder(QFileInfo(m_tableName).absolutePath());
    if ((code & 0xff) == SQLITE_CANTOPEN && !folder.isWritable()) {
        const QString reason = QStringLiteral("its folder %1 is read-only, so the journal beside the file cannot be made")
                                   .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
        fail(QStringLiteral("%1: %2").arg(what, reason), reason);
    }
    const QString reason = describeSqliteError(code, m_db);
    fail(QStringLiteral("%1: %2").arg(what, reason), reason);
}

void Table::requireOpen(const char* what) const
{
    if (!isOpen())
        fail(QStringLiteral("cannot %1: the table is closed").arg(QLatin1String(what)));
}

void Table::exec(const char* sql)
{
    char* message = nullptr;
    int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        failSql(QStringLiteral("cannot run %1").arg(QLatin1String(sql).left(40)));
}

sqlite3_stmt* Table::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        failSql(QStringLiteral("cannot read the table"));
    }
    return stmt;
}

void Table::resetStatements()
{
    sqlite3_finalize(m_selectRow);
    sqlite3_finalize(m_insertRow);
    m_selectRow = nullptr;
    m_insertRow = nullptr;
}

// ---------------------------------------------------------------- open and close

void Table::openConnection(bool exclusive)
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
    const QStringList& passwords =
        m_session && !m_session->passwords().isEmpty() ? m_session->passwords() : noPassword;
    int rc = SQLITE_NOTADB;
    for (const QString& password : passwords) {
        const KeyedOpen opened =
            openKeyedDatabase(info.absoluteFilePath(), password, SQLITE_OPEN_READWRITE, busyHandler, this);
        rc = opened.code;
        m_db = opened.db;
        if (rc == SQLITE_OK)
            break;
        if ((rc & 0xff) != SQLITE_NOTADB)
            cannotOpen(opened.why);
    }
    if (rc != SQLITE_OK)
        cannotOpen(describeSqliteError(rc, nullptr));

    // Opening reads every key, and an exam start then reads the items in random order: the
    // decrypted pages of the whole file stay in memory (up to 256 MB) so each page is decrypted
    // once, until releasePageCache. The size is given in pages: a size in KB also counts each
    // page's bookkeeping, and a cache of the file's size in KB would hold only part of the file,
    // so every further pass would read and decrypt it all again.
    const qint64 pageBytes = pageSize();
    const qint64 cachePages =
        std::min<qint64>(info.size() + DefaultPageCacheKb * 1024, qint64(256) * 1024 * 1024) / pageBytes;
    sqlite3_exec(m_db, QStringLiteral("PRAGMA cache_size = %1").arg(cachePages).toUtf8().constData(),
                 nullptr, nullptr, nullptr);

    if (exclusive) {
        // Taking the write lock once keeps it for the life of the connection.
        rc = sqlite3_exec(m_db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;", nullptr,
                          nullptr, nullptr);
        if (rc != SQLITE_OK) {
            const QString why = describeSqliteError(sqlite3_extended_errcode(m_db), m_db);
            closeConnection();
            cannotOpen(why);
        }
    }
}

qint64 Table::pageSize() const
{
    Statement s;
    if (sqlite3_prepare_v2(m_db, "PRAGMA page_size", -1, &s.stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(s.stmt) == SQLITE_ROW && sqlite3_column_int64(s.stmt, 0) > 0)
        return sqlite3_column_int64(s.stmt, 0);
    return 1024;
}

void Table::releasePageCache() noexcept
{
    // Shrinking cannot leave the table in a worse state, so a failure is of no consequence.
    if (!m_db)
        return;
    const QByteArray sql = QStringLiteral("PRAGMA cache_size = -%1").arg(DefaultPageCacheKb).toUtf8();
    sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_db_release_memory(m_db);
}

void Table::closeConnection()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Table::checkFields()
{
    m_columns.clear();
    {
        Statement info{prepare(QStringLiteral("PRAGMA table_info(\"%1\")").arg(QLatin1String(ItemsTable)))};
        while (sqlite3_step(info.stmt) == SQLITE_ROW)
            m_columns.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.stmt, 1))));
    }
    if (m_columns.isEmpty())
        fail(QStringLiteral("the file holds no table of items"));
    {
        Statement version{prepare(QStringLiteral("PRAGMA user_version"))};
        m_storedKind = sqlite3_step(version.stmt) == SQLITE_ROW ? sqlite3_column_int(version.stmt, 0) : 0;
    }
    m_keyColumn = fieldIndex(field::Q_ID);
    if (m_keyColumn < 0)
        fail(QStringLiteral("the table has no field Q_ID"));
    QStringList missing;
    for (const QString& name : m_expectedFields)
        if (fieldIndex(name) < 0)
            missing.append(name);
    if (!missing.isEmpty())
        fail(QStringLiteral("the table lacks the field%1 %2")
                 .arg(missing.size() > 1 ? "s" : "", missing.join(", ")));
}

void Table::open()
{
    if (isOpen())
        return;
    openConnection(m_exclusive);
    try {
        checkFields();
        m_selectRow = prepare(QStringLiteral("SELECT * FROM \"%1\" WHERE \"%2\" = ?")
                                  .arg(QLatin1String(ItemsTable), m_columns[m_keyColumn]));
        reloadKeys();
    } catch (...) {
        resetStatements();
        closeConnection();
        m_columns.clear();
        throw;
    }
    m_state = DataSetState::Browse;
    m_buffer.assign(m_columns.size(), QVariant());
    m_modified.assign(m_columns.size(), false);
    if (!controlsDisabled())
        emit stateChanged();
    first();
}

void Table::close()
{
    if (!isOpen())
        return;
    if (m_inTransaction)
        rollback();
    endReading();
    resetStatements();
    closeConnection();
    m_allKeys.clear();
    m_visibleKeys.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    m_state = DataSetState::Inactive;
    if (!controlsDisabled())
        emit stateChanged();
}

// ---------------------------------------------------------------- filter and keys

void Table::setFilter(const QString& expression)
{
    m_filterText = expression;
    m_filterExpr.reset();
    if (isOpen() && m_filtered) {
        reloadKeys();
        first();
    }
}

void Table::setFiltered(bool on)
{
    if (m_filtered == on)
        return;
    m_filtered = on;
    if (isOpen()) {
        reloadKeys();
        first();
    }
}

void Table::reloadKeys()
{
    auto readKeys = [this](const QString& where, const std::vector<std::int64_t>& values) {
        std::vector<std::int64_t> keys;
        Statement s{prepare(QStringLiteral("SELECT \"%1\" FROM \"%2\"%3 ORDER BY \"%1\"")
                                .arg(m_columns[m_keyColumn], QLatin1String(ItemsTable), where))};
        for (size_t i = 0; i < values.size(); ++i)
            sqlite3_bind_int64(s.stmt, int(i) + 1, values[i]);
        int rc;
        while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
            if (sqlite3_column_type(s.stmt, 0) != SQLITE_INTEGER)
                fail(QStringLiteral("a record's %1 holds \"%2\", not a whole number")
                         .arg(m_columns[m_keyColumn], columnValue(s.stmt, 0).toString()));
            keys.push_back(sqlite3_column_int64(s.stmt, 0));
        }
        if (rc != SQLITE_DONE)
            failSql(QStringLiteral("cannot read the table"));
        return keys;
    };
    m_allKeys = readKeys(QString(), {});
    if (m_filtered && !m_filterText.trimmed().isEmpty()) {
        if (!m_filterExpr) {
            try {
                m_filterExpr = FilterExpression::parse(m_filterText, m_columns);
            } catch (const std::invalid_argument& e) {
                fail(QString::fromUtf8(e.what()));
            }
        }
        m_visibleKeys = readKeys(QStringLiteral(" WHERE ") + m_filterExpr->sql(), m_filterExpr->values());
    } else {
        m_visibleKeys = m_allKeys;
    }
}

// ---------------------------------------------------------------- navigation

void Table::loadCurrent()
{
    std::fill(m_modified.begin(), m_modified.end(), false);
    if (m_pos < 0) {
        std::fill(m_buffer.begin(), m_buffer.end(), QVariant());
        return;
    }
    sqlite3_reset(m_selectRow);
    sqlite3_bind_int64(m_selectRow, 1, m_visibleKeys[size_t(m_pos)]);
    int rc = sqlite3_step(m_selectRow);
    if (rc == SQLITE_ROW) {
        for (int c = 0; c < int(m_buffer.size()); ++c)
            m_buffer[size_t(c)] = columnValue(m_selectRow, c);
    }
    sqlite3_reset(m_selectRow);
    if (rc != SQLITE_ROW)
        failSql(QStringLiteral("cannot read record %1").arg(m_visibleKeys[size_t(m_pos)]));
}

void Table::moveTo(std::ptrdiff_t visibleIndex)
{
    m_pos = visibleIndex;
    loadCurrent();
    notifyData();
}

void Table::requireBrowse(const char* what)
{
    requireOpen(what);
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        post();
}

void Table::first()
{
    requireBrowse("go to the first record");
    m_bof = true;
    m_eof = m_visibleKeys.empty();
    moveTo(m_visibleKeys.empty() ? -1 : 0);
}

void Table::last()
{
    requireBrowse("go to the last record");
    m_eof = true;
    m_bof = m_visibleKeys.empty();
    moveTo(std::ptrdiff_t(m_visibleKeys.size()) - 1);
}

void Table::next()
{
    requireBrowse("go to the next record");
    if (m_pos + 1 < std::ptrdiff_t(m_visibleKeys.size())) {
        m_bof = false;
        m_eof = false;
        moveTo(m_pos + 1);
    } else {
        m_eof = true;
    }
}

void Table::prior()
{
    requireBrowse("go to the previous record");
    if (m_pos > 0) {
        m_eof = false;
        m_bof = false;
        moveTo(m_pos - 1);
    } else {
        m_bof = true;
    }
}

int Table::recordCount() const
{
    return isOpen() ? int(m_visibleKeys.size()) : 0;
}

int Table::recNo() const
{
    if (!isOpen() || m_pos < 0 || m_state == DataSetState::Insert)
        return 0;
    return recordNumberOf(m_visibleKeys[size_t(m_pos)]);
}

int Table::recordNumberOf(std::int64_t key) const
{
    auto it = std::lower_bound(m_allKeys.begin(), m_allKeys.end(), key);
    return it != m_allKeys.end() && *it == key ? int(it - m_allKeys.begin()) + 1 : 0;
}

std::vector<QVariant> Table::columnValues(const QString& name)
{
    requireBrowse("read a field");
    const int index = fieldIndex(name);
    if (index < 0)
        fail(QStringLiteral("no field %1").arg(name));
    const QString where = m_filtered && m_filterExpr ? QStringLiteral(" WHERE ") + m_filterExpr->sql() : QString();
    Statement s{prepare(QStringLiteral("SELECT \"%1\" FROM \"%2\"%3 ORDER BY \"%4\"")
                            .arg(m_columns[index], QLatin1String(ItemsTable), where, m_columns[m_keyColumn]))};
    if (!where.isEmpty())
        for (size_t i = 0; i < m_filterExpr->values().size(); ++i)
            sqlite3_bind_int64(s.stmt, int(i) + 1, m_filterExpr->values()[i]);
    std::vector<QVariant> values;
    values.reserve(m_visibleKeys.size());
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW)
        values.push_back(columnValue(s.stmt, 0));
    if (rc != SQLITE_DONE)
        failSql(QStringLiteral("cannot read the table"));
    return values;
}

void Table::setRecNo(int recordNumber)
{
    requireBrowse("set the record number");
    if (recordNumber < 1 || recordNumber > int(m_allKeys.size()))
        fail(QStringLiteral("there is no record number %1").arg(recordNumber));
    const std::int64_t key = m_allKeys[size_t(recordNumber - 1)];
    auto it = std::lower_bound(m_visibleKeys.begin(), m_visibleKeys.end(), key);
    if (it == m_visibleKeys.end() || *it != key)
        fail(QStringLiteral("record number %1 is hidden by the filter").arg(recordNumber));
    m_bof = m_eof = false;
    moveTo(it - m_visibleKeys.begin());
}

bool Table::findKey(std::int64_t id)
{
    requireBrowse("look up a record");
    auto it = std::lower_bound(m_visibleKeys.begin(), m_visibleKeys.end(), id);
    if (it == m_visibleKeys.end() || *it != id)
        return false;
    m_bof = m_eof = false;
    moveTo(it - m_visibleKeys.begin());
    return true;
}

// ---------------------------------------------------------------- fields

int Table::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Table::value(int index) const
{
    if (!isOpen())
        fail(QStringLiteral("cannot read a field: the table is closed"));
    if (index < 0 || index >= int(m_buffer.size()))
        fail(QStringLiteral("no field number %1").arg(index));
    return m_buffer[size_t(index)];
}

QVariant Table::value(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        fail(QStringLiteral("no field %1").arg(name));
    return value(index);
}

int Table::asInteger(const QString& name) const
{
    return int(value(name).toLongLong());
}

QString Table::asString(const QString& name) const
{
    return value(name).toString();
}

bool Table::asBoolean(const QString& name) const
{
    return value(name).toLongLong() != 0;
}

void Table::setValue(const QString& name, const QVariant& v)
{
    const int index = fieldIndex(name);
    if (index < 0)
        fail(QStringLiteral("no field %1").arg(name));
    setValue(index, v);
}

void Table::setValue(int index, const QVariant& v)
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        fail(QStringLiteral("cannot change a field: the table is not in edit mode"));
    if (index < 0 || index >= int(m_buffer.size()))
        fail(QStringLiteral("no field number %1").arg(index));
    m_buffer[size_t(index)] = v.typeId() == QMetaType::Bool ? QVariant(qint64(v.toBool())) : v;
    m_modified[size_t(index)] = true;
}

// ---------------------------------------------------------------- editing

void Table::setState(DataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    if (!controlsDisabled())
        emit stateChanged();
}

void Table::append()
{
    requireBrowse("add a record");
    std::fill(m_buffer.begin(), m_buffer.end(), QVariant());
    std::fill(m_modified.begin(), m_modified.end(), false);
    setState(DataSetState::Insert);
}

void Table::edit()
{
    requireOpen("edit a record");
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    if (m_pos < 0)
        fail(QStringLiteral("cannot edit: the table has no record"));
    setState(DataSetState::Edit);
}

void Table::post()
{
    requireOpen("post a record");
    if (m_state == DataSetState::Insert)
        insertRecord();
    else if (m_state == DataSetState::Edit)
        updateRecord();
    else
        return;
    std::fill(m_modified.begin(), m_modified.end(), false);
    setState(DataSetState::Browse);
    m_eof = false;
    notifyData();
}

void Table::insertRecord()
{
    if (!m_insertRow) {
        QStringList names, marks;
        for (const QString& c : m_columns) {
            names.append(QLatin1Char('"') + c + QLatin1Char('"'));
            marks.append(QStringLiteral("?"));
        }
        m_insertRow = prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                  .arg(QLatin1String(ItemsTable), names.join(','), marks.join(',')));
    }
    sqlite3_reset(m_insertRow);
    for (int c = 0; c < int(m_buffer.size()); ++c)
        bindValue(m_insertRow, c + 1, m_buffer[size_t(c)]);
    const int rc = sqlite3_step(m_insertRow);
    sqlite3_reset(m_insertRow);
    if (rc != SQLITE_DONE)
        failSql(QStringLiteral("cannot add a record"));
    const std::int64_t key = sqlite3_last_insert_rowid(m_db);
    m_buffer[size_t(m_keyColumn)] = QVariant(qint64(key));
    // Appends normally get the highest key, which goes at the end of both lists.
    auto place = [key](std::vector<std::int64_t>& keys) {
        if (keys.empty() || keys.back() < key)
            keys.push_back(key);
        else
            keys.insert(std::lower_bound(keys.begin(), keys.end(), key), key);
    };
    place(m_allKeys);
    if (m_filtered && m_filterExpr)
        reloadKeys();
    else
        place(m_visibleKeys);
    auto it = std::lower_bound(m_visibleKeys.begin(), m_visibleKeys.end(), key);
    m_pos = (it != m_visibleKeys.end() && *it == key)
                ? it - m_visibleKeys.begin()
                : std::min<std::ptrdiff_t>(m_pos, std::ptrdiff_t(m_visibleKeys.size()) - 1);
}

void Table::updateRecord()
{
    QStringList sets;
    std::vector<int> changed;
    for (int c = 0; c < int(m_buffer.size()); ++c)
        if (m_modified[size_t(c)]) {
            sets.append(QStringLiteral("\"%1\" = ?").arg(m_columns[c]));
            changed.push_back(c);
        }
    if (changed.empty())
        return;
    const std::int64_t key = m_visibleKeys[size_t(m_pos)];
    Statement update{prepare(QStringLiteral("UPDATE \"%1\" SET %2 WHERE \"%3\" = ?")
                                 .arg(QLatin1String(ItemsTable), sets.join(','), m_columns[m_keyColumn]))};
    for (size_t i = 0; i < changed.size(); ++i)
        bindValue(update.stmt, int(i) + 1, m_buffer[size_t(changed[i])]);
    sqlite3_bind_int64(update.stmt, int(changed.size()) + 1, key);
    if (sqlite3_step(update.stmt) != SQLITE_DONE)
        failSql(QStringLiteral("cannot save record %1").arg(key));
}

void Table::cancel()
{
    requireOpen("cancel an edit");
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    setState(DataSetState::Browse);
    loadCurrent();
    notifyData();
}

void Table::deleteRecord()
{
    requireOpen("delete a record");
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (m_pos < 0)
        fail(QStringLiteral("cannot delete: the table has no record"));
    const std::int64_t key = m_visibleKeys[size_t(m_pos)];
    Statement remove{prepare(QStringLiteral("DELETE FROM \"%1\" WHERE \"%2\" = ?")
                                 .arg(QLatin1String(ItemsTable), m_columns[m_keyColumn]))};
    sqlite3_bind_int64(remove.stmt, 1, key);
    if (sqlite3_step(remove.stmt) != SQLITE_DONE)
        failSql(QStringLiteral("cannot delete record %1").arg(key));
    m_allKeys.erase(std::lower_bound(m_allKeys.begin(), m_allKeys.end(), key));
    m_visibleKeys.erase(m_visibleKeys.begin() + m_pos);
    setState(DataSetState::Browse);
    const auto count = std::ptrdiff_t(m_visibleKeys.size());
    m_eof = count == 0;
    m_bof = count == 0;
    moveTo(std::min(m_pos, count - 1));
}

void Table::emptyTable()
{
    const QString sql = QStringLiteral("DELETE FROM \"%1\"").arg(QLatin1String(ItemsTable));
    if (!isOpen()) {
        openConnection(m_exclusive);
        try {
            checkFields();
            exec(sql.toUtf8().constData());
        } catch (...) {
            closeConnection();
            throw;
        }
        closeConnection();
        return;
    }
    requireBrowse("empty the table");
    exec(sql.toUtf8().constData());
    m_allKeys.clear();
    m_visibleKeys.clear();
    m_eof = m_bof = true;
    moveTo(-1);
}

// ---------------------------------------------------------------- transactions

void Table::startReading()
{
    requireOpen("read the table");
    if (m_inTransaction || m_reading)
        return;
    // A deferred transaction: the read lock is taken by the first read and kept.
    exec("BEGIN");
    m_reading = true;
}

void Table::endReading() noexcept
{
    if (!m_reading)
        return;
    m_reading = false;
    // Nothing was written, so ending cannot lose anything.
    if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Table::startTransaction()
{
    requireOpen("start a transaction");
    if (m_inTransaction)
        fail(QStringLiteral("a transaction is already running"));
    endReading();
    exec("BEGIN IMMEDIATE");
    m_inTransaction = true;
    // Another program may have written since the table was opened: with the write lock
    // held, the records are read again.
    rereadKeepingPosition();
}

void Table::rereadKeepingPosition()
{
    const std::int64_t current = m_pos < 0 ? 0 : m_visibleKeys[size_t(m_pos)];
    reloadKeys();
    const auto it = std::lower_bound(m_visibleKeys.begin(), m_visibleKeys.end(), current);
    m_pos = it != m_visibleKeys.end() && *it == current ? it - m_visibleKeys.begin()
                                                        : (m_visibleKeys.empty() ? -1 : 0);
    m_eof = m_bof = m_visibleKeys.empty();
    loadCurrent();
}

void Table::refresh()
{
    requireOpen("read the table again");
    if (m_state != DataSetState::Browse || m_inTransaction)
        return;
    rereadKeepingPosition();
    notifyData();
}

void Table::commit()
{
    requireOpen("commit");
    if (!m_inTransaction)
        return;
    exec("COMMIT");
    m_inTransaction = false;
}

void Table::rollback()
{
    if (!isOpen() || !m_inTransaction)
        return;
    m_inTransaction = false;
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_state = DataSetState::Browse;
    reloadKeys();
    m_eof = m_bof = m_visibleKeys.empty();
    m_pos = m_visibleKeys.empty() ? -1 : 0;
    loadCurrent();
    notifyData();
}

// ---------------------------------------------------------------- bookmarks, notifications

std::int64_t Table::getBookmark() const
{
    requireOpen("take a bookmark");
    return m_pos < 0 ? 0 : m_visibleKeys[size_t(m_pos)];
}

void Table::gotoBookmark(std::int64_t bookmark)
{
    if (!findKey(bookmark))
        fail(QStringLiteral("the bookmarked record %1 is gone").arg(bookmark));
}

void Table::disableControls()
{
    ++m_disableCount;
}

void Table::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0)
        emit dataChanged();
}

void Table::notifyData()
{
    if (!controlsDisabled())
        emit dataChanged();
}

void DataSource::setDataSet(Table* table)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (table) {
        connect(table, &Table::dataChanged, this, &DataSource::dataChange);
        connect(table, &Table::stateChanged, this, &DataSource::stateChange);
    }
}

}  // namespace store
