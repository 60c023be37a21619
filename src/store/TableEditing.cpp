// The record buffer: reading and changing field values, the editing states, and writing an
// added, changed or deleted record to the file.

#include "store/SortedKeys.h"
#include "store/Table.h"

namespace store {

// ---------------------------------------------------------------- field values

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

// ---------------------------------------------------------------- editing states

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

void Table::cancel()
{
    requireOpen("cancel an edit");
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    setState(DataSetState::Browse);
    loadCurrent();
    notifyData();
}

// ---------------------------------------------------------------- writing records

void Table::insertRecord()
{
    if (!m_insertRow) {
        QStringList names, marks;
        for (const QString& c : m_columns) {
            names.append(QLatin1Char('"') + c + QLatin1Char('"'));
            marks.append(QStringLiteral("?"));
        }
        m_insertRow.emplace(m_connection,
                            QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                .arg(QLatin1String(ItemsTable), names.join(','), marks.join(',')),
                            QStringLiteral("cannot add a record"));
    }
    m_insertRow->reset();
    for (int c = 0; c < int(m_buffer.size()); ++c)
        m_insertRow->bindValue(c + 1, m_buffer[size_t(c)]);
    m_insertRow->run();
    const std::int64_t key = m_connection.lastInsertId();
    m_buffer[size_t(m_keyColumn)] = QVariant(qint64(key));
    insertKey(m_allKeys, key);
    if (m_filtered && m_filterExpr)
        reloadKeys();
    else
        insertKey(m_visibleKeys, key);
    const std::ptrdiff_t index = indexOfKey(m_visibleKeys, key);
    m_pos = index >= 0 ? index : std::min<std::ptrdiff_t>(m_pos, std::ptrdiff_t(m_visibleKeys.size()) - 1);
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
    Statement update(m_connection,
                     QStringLiteral("UPDATE \"%1\" SET %2 WHERE \"%3\" = ?")
                         .arg(QLatin1String(ItemsTable), sets.join(','), m_columns[m_keyColumn]),
                     QStringLiteral("cannot save record %1").arg(key));
    for (size_t i = 0; i < changed.size(); ++i)
        update.bindValue(int(i) + 1, m_buffer[size_t(changed[i])]);
    update.bind(int(changed.size()) + 1, key);
    update.run();
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
    Statement remove(m_connection,
                     QStringLiteral("DELETE FROM \"%1\" WHERE \"%2\" = ?")
                         .arg(QLatin1String(ItemsTable), m_columns[m_keyColumn]),
                     QStringLiteral("cannot delete record %1").arg(key));
    remove.bind(1, key).run();
    eraseKey(m_allKeys, key);
    m_visibleKeys.erase(m_visibleKeys.begin() + m_pos);
    setState(DataSetState::Browse);
    const auto count = std::ptrdiff_t(m_visibleKeys.size());
    m_eof = count == 0;
    m_bof = count == 0;
    moveTo(std::min(m_pos, count - 1));
}

void Table::emptyTable()
{
    const QByteArray sql = QStringLiteral("DELETE FROM \"%1\"").arg(QLatin1String(ItemsTable)).toUtf8();
    const QString doing = QStringLiteral("cannot empty the table");
    if (!isOpen()) {
        openConnection();
        try {
            checkFields();
            m_connection.exec(sql.constData(), doing);
        } catch (...) {
            m_connection.close();
            throw;
        }
        m_connection.close();
        return;
    }
    requireBrowse("empty the table");
    m_connection.exec(sql.constData(), doing);
    m_allKeys.clear();
    m_visibleKeys.clear();
    m_eof = m_bof = true;
    moveTo(-1);
}

}  // namespace store
