#pragma once
// Filter expressions such as "Q_EXAM_N=3" or "Q_EXAM_N<>0 and Q_SECT=2".
// They are parsed here and turned into SQL whose values are bound as parameters;
// no text of an expression is ever pasted into SQL.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

namespace store {

class FilterExpression {
public:
    // Parses `text`, checking field names against `columns` (letter case ignored).
    // Throws std::invalid_argument with a message that says what is wrong.
    static std::unique_ptr<FilterExpression> parse(const QString& text, const QStringList& columns);

    // The WHERE clause: column names quoted, one "?" per value, in `values` order.
    const QString& sql() const { return m_sql; }
    const std::vector<std::int64_t>& values() const { return m_values; }

private:
    QString m_sql;
    std::vector<std::int64_t> m_values;
    friend class FilterParser;
};

}  // namespace store
