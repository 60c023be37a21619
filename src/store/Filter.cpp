#include "store/Filter.h"

#include <stdexcept>

namespace store {

// Grammar:  or := and { "or" and } ;  and := term { "and" term } ;
//           term := "(" or ")" | FIELD ("=" | "<>") INTEGER
class FilterParser {
public:
    FilterParser(const QString& text, const QStringList& columns, FilterExpression& out)
        : m_text(text), m_columns(columns), m_out(out) {}

    void run()
    {
        m_out.m_sql = parseOr();
        skipSpace();
        if (m_pos < m_text.size())
            fail(QStringLiteral("unexpected \"%1\"").arg(m_text.mid(m_pos)));
    }

private:
    QString parseOr()
    {
        QString sql = parseAnd();
        while (takeWord("or"))
            sql = QStringLiteral("(%1 OR %2)").arg(sql, parseAnd());
        return sql;
    }

    QString parseAnd()
    {
        QString sql = parseTerm();
        while (takeWord("and"))
            sql = QStringLiteral("(%1 AND %2)").arg(sql, parseTerm());
        return sql;
    }

    QString parseTerm()
    {
        skipSpace();
        if (take('(')) {
            QString inner = parseOr();
            if (!take(')'))
                fail(QStringLiteral("missing \")\""));
            return inner;
        }
        QString column = parseField();
        skipSpace();
        QString op;
        if (m_text.mid(m_pos, 2) == QLatin1String("<>")) {
            op = QStringLiteral("<>");
            m_pos += 2;
        } else if (take('=')) {
            op = QStringLiteral("=");
        } else {
            fail(QStringLiteral("expected \"=\" or \"<>\" after %1").arg(column));
        }
        m_out.m_values.push_back(parseInteger());
        return QStringLiteral("\"%1\" %2 ?").arg(column, op);
    }

    QString parseField()
    {
        skipSpace();
        int start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == '_'))
            ++m_pos;
        QString name = m_text.mid(start, m_pos - start);
        if (name.isEmpty())
            fail(QStringLiteral("expected a field name"));
        for (const QString& column : m_columns)
            if (column.compare(name, Qt::CaseInsensitive) == 0)
                return column;  // the table's own spelling, which is a plain identifier
        fail(QStringLiteral("unknown field %1").arg(name));
    }

    std::int64_t parseInteger()
    {
        skipSpace();
        int start = m_pos;
        if (m_pos < m_text.size() && (m_text[m_pos] == '-' || m_text[m_pos] == '+'))
            ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos].isDigit())
            ++m_pos;
        bool ok = false;
        std::int64_t value = m_text.mid(start, m_pos - start).toLongLong(&ok);
        if (!ok)
            fail(QStringLiteral("expected a whole number"));
        return value;
    }

    bool takeWord(const char* word)
    {
        skipSpace();
        const QLatin1String w(word);
        if (m_text.mid(m_pos, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        int end = m_pos + int(w.size());
        if (end < m_text.size() && (m_text[end].isLetterOrNumber() || m_text[end] == '_'))
            return false;
        m_pos = end;
        return true;
    }

    bool take(QChar c)
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw std::invalid_argument(
            QStringLiteral("bad filter \"%1\": %2").arg(m_text, what).toStdString());
    }

    const QString& m_text;
    const QStringList& m_columns;
    FilterExpression& m_out;
    int m_pos = 0;
};

std::unique_ptr<FilterExpression> FilterExpression::parse(const QString& text,
                                                          const QStringList& columns)
{
    auto expression = std::unique_ptr<FilterExpression>(new FilterExpression);
    FilterParser(text, columns, *expression).run();
    return expression;
}

}  // namespace store
