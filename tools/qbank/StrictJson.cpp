#include "StrictJson.h"

#include <QSet>

#include <cctype>

namespace qbank {

namespace {

// Deeper nesting than this is refused; Qt's reader stops at about the same depth.
constexpr int MaxDepth = 512;

// A walk over the text that follows JSON's grammar far enough to see strings and object
// keys. Where the grammar itself is broken it stops quietly: the reader reports that.
class Scanner {
public:
    explicit Scanner(const QByteArray& text) : m_text(text) {}

    QString fault()
    {
        skipSpace();
        value(0);
        return m_fault;
    }

private:
    bool failed() const { return m_stopped || !m_fault.isEmpty(); }

    void fail(qsizetype at, const QString& what)
    {
        if (!m_fault.isEmpty())
            return;
        int line, column;
        lineAndColumn(m_text, at, line, column);
        m_fault = QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(what);
    }

    char peek() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }
    bool atEnd() const { return m_at >= m_text.size(); }

    void skipSpace()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_at;
    }

    void value(int depth)
    {
        if (failed() || atEnd()) {
            m_stopped = true;
            return;
        }
        if (depth > MaxDepth) {
            fail(m_at, QStringLiteral("nested more than %1 levels deep").arg(MaxDepth));
            return;
        }
        switch (peek()) {
        case '{': object(depth); break;
        case '[': array(depth); break;
        case '"': string(); break;
        default:
            // A number or a literal: its syntax is the reader's to check.
            while (!atEnd() && QByteArray(",]} \t\r\n").indexOf(peek()) < 0)
                ++m_at;
        }
        skipSpace();
    }

    void object(int depth)
    {
        ++m_at;  // {
        skipSpace();
        QSet<QString> keys;
        if (peek() == '}') {
            ++m_at;
            return;
        }
        while (!failed()) {
            if (peek() != '"') {
                m_stopped = true;
                return;
            }
            const qsizetype keyAt = m_at;
            const QString key = string();
            if (failed())
                return;
            if (keys.contains(key))
                fail(keyAt, QStringLiteral("the key \"%1\" is given twice in one object").arg(key));
            keys.insert(key);
            skipSpace();
            if (peek() != ':') {
                m_stopped = true;
                return;
            }
            ++m_at;
            skipSpace();
            value(depth + 1);
            if (!another('}'))
                return;
        }
    }

    void array(int depth)
    {
        ++m_at;  // [
        skipSpace();
        if (peek() == ']') {
            ++m_at;
            return;
        }
        while (!failed()) {
            value(depth + 1);
            if (!another(']'))
                return;
        }
    }

    // After a member or an element: true when a comma leads to another one, else past `close`.
    bool another(char close)
    {
        if (peek() == ',') {
            ++m_at;
            skipSpace();
            return true;
        }
        if (peek() == close)
            ++m_at;
        else
            m_stopped = true;
        return false;
    }

    // Reads a string from its opening quote; returns its text (escapes decoded).
    QString string()
    {
        ++m_at;  // "
        QByteArray decoded;
        while (!atEnd()) {
            const qsizetype at = m_at;
            const unsigned char c = static_cast<unsigned char>(m_text[m_at++]);
            if (c == '"')
                return QString::fromUtf8(decoded);
            if (c < 0x20) {
                fail(at, QStringLiteral("a control character (code %1) stands raw in a text; write it as an escape such as \\n")
                             .arg(int(c)));
                return {};
            }
            if (c != '\\') {
                decoded += char(c);
                continue;
            }
            const char e = peek();
            ++m_at;
            switch (e) {
            case '"': decoded += '"'; break;
            case '\\': decoded += '\\'; break;
            case '/': decoded += '/'; break;
            case 'b': decoded += '\b'; break;
            case 'f': decoded += '\f'; break;
            case 'n': decoded += '\n'; break;
            case 'r': decoded += '\r'; break;
            case 't': decoded += '\t'; break;
            case 'u': {
                const QByteArray digits = m_text.mid(m_at, 4);
                bool hex = digits.size() == 4;
                for (char d : digits)
                    hex = hex && std::isxdigit(static_cast<unsigned char>(d));
                if (!hex) {
                    fail(at, QStringLiteral("\\u must be followed by four hexadecimal digits"));
                    return {};
                }
                decoded += QString(QChar(char16_t(digits.toUInt(nullptr, 16)))).toUtf8();
                m_at += 4;
                break;
            }
            default:
                fail(at, QStringLiteral("\"\\%1\" is not an escape of JSON; write a backslash as \\\\")
                             .arg(e >= 0x20 && e < 0x7f ? QString(QChar(e)) : QStringLiteral("?")));
                return {};
            }
        }
        m_stopped = true;
        return {};
    }

    const QByteArray& m_text;
    qsizetype m_at = 0;
    bool m_stopped = false;  // the grammar broke: the reader reports it
    QString m_fault;
};

}  // namespace

void lineAndColumn(const QByteArray& text, qsizetype offset, int& line, int& column)
{
    line = 1;
    column = 1;
    for (qsizetype i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
}

QString strictJsonFault(const QByteArray& json)
{
    return Scanner(json).fault();
}

}  // namespace qbank
