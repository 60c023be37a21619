#pragma once
// A cursor over one table file: one encrypted SQLite database holding one table of items.
//
// Records are walked in primary-key order. A record's number is its position among *all*
// records in key order, also while a filter hides some; the record count counts only the
// visible ones. Every failure is a StoreError whose message names the file.

#include "store/Fields.h"
#include "store/Filter.h"
#include "store/LockWait.h"
#include "store/Statement.h"
#include "store/TableConnection.h"
#include "store/Transaction.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <functional>
#include <vector>

namespace store {

class Session;

enum class DataSetState { Inactive, Browse, Edit, Insert };

class Table : public QObject {
    Q_OBJECT
public:
    explicit Table(QObject* parent = nullptr);
    ~Table() override;

    // Component settings, as for a table component of the data session.
    void setSession(Session* session) { m_session = session; }
    Session* session() const { return m_session; }
    void setTableName(const QString& fileName);
    QString tableName() const { return m_tableName; }
    void setExpectedFields(const QStringList& fields) { m_expectedFields = fields; }
    void setLockRetryCount(int count) { m_lockWait.retryCount = count; }
    int lockRetryCount() const { return m_lockWait.retryCount; }
    void setLockWaitTime(int milliseconds) { m_lockWait.waitTime = milliseconds; }
    int lockWaitTime() const { return m_lockWait.waitTime; }
    // Takes the file for this component alone at the next open. Set while closed.
    void setExclusive(bool exclusive);
    bool exclusive() const { return m_exclusive; }
    // Takes the open table for this component alone, for as long as it stays open, without
    // closing it: the cursor, the editing state and a pending change stay as they are. When
    // another program holds the file (after the lock retries) it throws and nothing changes.
    void takeExclusive();

    // Opening positions on the first visible record; closing a closed table does nothing.
    void open();
    void close();
    // While browsing, reads the records again, for what another program wrote since: the cursor
    // stays on its record when it is still there. Editing or in a transaction, does nothing.
    void refresh();
    bool isOpen() const { return m_connection.isOpen(); }
    DataSetState state() const { return m_state; }

    // The page cache holds the decrypted pages of the whole file (up to 256 MB) from opening on.
    // Once the passes that need them are done, this returns it to 2 MB and frees the memory.
    void releasePageCache() noexcept { m_connection.releasePageCache(); }
    static constexpr qint64 DefaultPageCacheKb = TableConnection::DefaultPageCacheKb;

    // Filter expression and switch; both may change while the table is open or closed.
    void setFilter(const QString& expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // Navigation over the visible records.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const;
    void setRecNo(int recordNumber);

    // The Q_ID values of the visible records in key order, and the record number of a key:
    // a walk over the table without reading its records.
    const std::vector<std::int64_t>& visibleKeys() const { return m_visibleKeys; }
    int recordNumberOf(std::int64_t key) const;
    // One field of every visible record, in key order, read in one pass.
    std::vector<QVariant> columnValues(const QString& name);
    // The fields `names` of every visible record, in key order, read in one pass: `visit` gets
    // each record's values in the order of `names`.
    void walkColumns(const QStringList& names, const std::function<void(const std::vector<QVariant>& values)>& visit);

    // Keyed lookup on Q_ID among the visible records; stays put when nothing is found.
    bool findKey(std::int64_t id);

    // Field access, names matched without regard to letter case.
    int fieldIndex(const QString& name) const;  // -1 when there is no such field
    QStringList fieldNames() const { return m_columns; }
    // The kind the file was made as (1 bank, 2 current, 3 user; 0 when it does not say).
    int storedKind() const { return m_storedKind; }
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    QVariant value(const QString& name) const;
    QVariant value(int index) const;
    int asInteger(const QString& name) const;
    QString asString(const QString& name) const;
    bool asBoolean(const QString& name) const;
    void setValue(const QString& name, const QVariant& value);
    void setValue(int index, const QVariant& value);

    // Editing states.
    void append();  // insert state with an empty buffer; the record goes to the end
    void insert() { append(); }
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    // Deletes all records; on a closed table the file is opened just for this.
    void emptyTable();

    // Reads between these see one state of the file under one read lock. Outside a transaction
    // every statement takes the lock and gives it back, and checks the file for changes, which is
    // several system calls per record. A writer in another program waits until endReading (the
    // lock retries). Within a transaction these do nothing; startTransaction ends the reading.
    void startReading();
    void endReading() noexcept;
    bool reading() const { return m_readLock.has_value(); }

    // Writes between these run as one transaction; rollback leaves the file as it was.
    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_transaction.has_value(); }

    // Bookmarks are the Q_ID of a record.
    std::int64_t getBookmark() const;
    void gotoBookmark(std::int64_t bookmark);
    void freeBookmark(std::int64_t) {}

    // While disabled, moves and changes raise no notifications; enabling raises one.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

signals:
    void dataChanged();   // after each move, open, post or cancel
    void stateChanged();  // after each change of the editing state

private:
    friend class RecordCopy;  // reads and writes through the connections, then rereads the keys

    void requireOpen(const char* what) const;
    void requireBrowse(const char* what);
    void openConnection();
    void checkFields();
    void reloadKeys();
    // Reads the keys again; the cursor stays on its record when it is still there.
    void rereadKeepingPosition();
    void loadCurrent();
    void moveTo(std::ptrdiff_t visibleIndex);
    void notifyData();
    void insertRecord();  // the insert buffer as a new record
    void updateRecord();  // the changed fields of the current record
    void setState(DataSetState state);
    [[noreturn]] void fail(const QString& what, const QString& reason = QString()) const;
    void resetStatements();

    Session* m_session = nullptr;
    QString m_tableName;
    QStringList m_expectedFields;
    LockWait m_lockWait;
    bool m_exclusive = false;

    TableConnection m_connection{m_tableName, m_lockWait};
    int m_storedKind = 0;
    QStringList m_columns;
    int m_keyColumn = -1;

    QString m_filterText;
    bool m_filtered = false;
    std::unique_ptr<FilterExpression> m_filterExpr;

    std::vector<std::int64_t> m_allKeys;      // every Q_ID in key order
    std::vector<std::int64_t> m_visibleKeys;  // the ones the filter lets through
    std::ptrdiff_t m_pos = -1;                // index into m_visibleKeys, -1 when empty
    bool m_eof = true;
    bool m_bof = true;

    std::vector<QVariant> m_buffer;  // the current record, or the record being edited
    std::vector<bool> m_modified;
    DataSetState m_state = DataSetState::Inactive;
    int m_disableCount = 0;

    // Declared after the connection, so that they end before it closes.
    std::optional<Statement> m_selectRow;
    std::optional<Statement> m_insertRow;
    std::optional<Transaction> m_transaction;
    std::optional<Transaction> m_readLock;
};

// Holds a table's read lock for the life of the object (see Table::startReading).
class SharedReads {
public:
    explicit SharedReads(Table& table) : m_table(table) { m_table.startReading(); }
    ~SharedReads() { m_table.endReading(); }
    SharedReads(const SharedReads&) = delete;
    SharedReads& operator=(const SharedReads&) = delete;

private:
    Table& m_table;
};

// A data source forwards a table's notifications to the controls and handlers bound to it.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* parent = nullptr) : QObject(parent) {}
    void setDataSet(Table* table);
    Table* dataSet() const { return m_table; }

signals:
    void dataChange();
    void stateChange();

private:
    Table* m_table = nullptr;
};

}  // namespace store
