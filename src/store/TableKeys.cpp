// The table's keys: every Q_ID in key order, the ones the filter lets through, and reading
// them again for what another program wrote.

#include "store/SortedKeys.h"
#include "store/Table.h"

#include <stdexcept>

namespace store {

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
        Statement s(m_connection,
                    QStringLiteral("SELECT \"%1\" FROM \"%2\"%3 ORDER BY \"%1\"")
                        .arg(m_columns[m_keyColumn], QLatin1String(ItemsTable), where),
                    QStringLiteral("cannot read the table"));
        for (size_t i = 0; i < values.size(); ++i)
            s.bind(int(i) + 1, values[i]);
        while (s.step()) {
            if (s.type(0) != ColumnType::Integer)
                fail(QStringLiteral("a record's %1 holds \"%2\", not a whole number")
                         .arg(m_columns[m_keyColumn], s.value(0).toString()));
            keys.push_back(s.integer(0));
        }
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

void Table::rereadKeepingPosition()
{
    const std::int64_t current = m_pos < 0 ? 0 : m_visibleKeys[size_t(m_pos)];
    reloadKeys();
    const std::ptrdiff_t index = indexOfKey(m_visibleKeys, current);
    m_pos = index >= 0 ? index : (m_visibleKeys.empty() ? -1 : 0);
    m_eof = m_bof = m_visibleKeys.empty();
    loadCurrent();
}

void Table::refresh()
{
    requireOpen("read the table again");
    if (m_state != DataSetState::Browse || inTransaction())
        return;
    rereadKeepingPosition();
    notifyData();
}

int Table::recordNumberOf(std::int64_t key) const
{
    return int(indexOfKey(m_allKeys, key)) + 1;
}

std::vector<QVariant> Table::columnValues(const QString& name)
{
    std::vector<QVariant> values;
    values.reserve(m_visibleKeys.size());
    walkColumns({name}, [&values](const std::vector<QVariant>& row) { values.push_back(row[0]); });
    return values;
}

void Table::walkColumns(const QStringList& names, const std::function<void(const std::vector<QVariant>& values)>& visit)
{
    requireBrowse("read a field");
    QStringList columns;
    for (const QString& name : names) {
        const int index = fieldIndex(name);
        if (index < 0)
            fail(QStringLiteral("no field %1").arg(name));
        columns << QStringLiteral("\"%1\"").arg(m_columns[index]);
    }
    const QString where = m_filtered && m_filterExpr ? QStringLiteral(" WHERE ") + m_filterExpr->sql() : QString();
    Statement s(m_connection,
                QStringLiteral("SELECT %1 FROM \"%2\"%3 ORDER BY \"%4\"")
                    .arg(columns.join(QLatin1Char(',')), QLatin1String(ItemsTable), where, m_columns[m_keyColumn]),
                QStringLiteral("cannot read the table"));
    if (!where.isEmpty())
        for (size_t i = 0; i < m_filterExpr->values().size(); ++i)
            s.bind(int(i) + 1, m_filterExpr->values()[i]);
    std::vector<QVariant> row(std::size_t(columns.size()));
    while (s.step()) {
        for (int c = 0; c < int(row.size()); ++c)
            row[std::size_t(c)] = s.value(c);
        visit(row);
    }
}

}  // namespace store
