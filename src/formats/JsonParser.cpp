#include "formats/JsonParser.h"

#include "formats/TextSource.h"

#include <algorithm>
#include <cmath>

namespace formats {

const JsonValue* JsonValue::member(const QString& name) const
{
    for (const auto& [key, value] : members)
        if (key == name)
            return &value;
    return nullptr;
}

namespace {

// Deeper nesting than this is refused instead of running the stack out.
constexpr int MaxDepth = 64;

struct Failure {
    qsizetype offset;
    QString text;
};

class Parser {
public:
    explicit Parser(const QByteArray& s) : m_s(s)
    {
        m_lineStarts.push_back(0);
        for (qsizetype i = 0; i < s.size(); ++i)
            if (s[i] == '\n')
                m_lineStarts.push_back(i + 1);
    }

    JsonValue document()
    {
        if (m_s.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
        skipSpace();
        JsonValue v = value(0);
        skipSpace();
        if (m_pos < m_s.size())
            fail(QStringLiteral("unexpected text after the end of the document"));
        return v;
    }

private:
    // Values are placed in the order they are read, so the column is counted on from the last
    // place on the same line: a source written on one long line stays linear.
    void placeOf(qsizetype offset, int& line, int& column) const
    {
        const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
        line = int(next - m_lineStarts.begin());
        if (line != m_placed.line || offset < m_placed.offset)
            m_placed = {*(next - 1), line, 1};
        int dummyLine, columns;
        lineAndColumn(m_s.mid(m_placed.offset, offset - m_placed.offset), offset - m_placed.offset, dummyLine, columns);
        m_placed = {offset, line, m_placed.column + columns - 1};
        column = m_placed.column;
    }

    [[noreturn]] void fail(const QString& text, qsizetype at = -1) { throw Failure{at < 0 ? m_pos : at, text}; }
    char peek() const { return m_pos < m_s.size() ? m_s[m_pos] : '\0'; }
    bool atEnd() const { return m_pos >= m_s.size(); }

    void skipSpace()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_pos;
    }

    void expect(char c, const char* what)
    {
        skipSpace();
        if (peek() != c)
            fail(atEnd() ? QStringLiteral("the document ends early; %1 expected").arg(QLatin1String(what))
                         : QStringLiteral("%1 expected").arg(QLatin1String(what)));
        ++m_pos;
    }

    JsonValue value(int depth)
    {
        if (depth > MaxDepth)
            fail(QStringLiteral("nested more than %1 levels deep").arg(MaxDepth));
        JsonValue v;
        placeOf(m_pos, v.line, v.column);
        const char c = peek();
        if (atEnd())
            fail(QStringLiteral("the document ends early; a value expected"));
        if (c == '{')
            object(v, depth);
        else if (c == '[')
            array(v, depth);
        else if (c == '"') {
            v.type = JsonValue::Type::Text;
            v.text = string();
        } else if (c == '-' || (c >= '0' && c <= '9'))
            number(v);
        else if (literal("true"))
            v.type = JsonValue::Type::Boolean, v.boolean = true;
        else if (literal("false"))
            v.type = JsonValue::Type::Boolean;
        else if (literal("null"))
            v.type = JsonValue::Type::Null;
        else
            fail(QStringLiteral("a value expected"));
        return v;
    }

    bool literal(const char* word)
    {
        const QByteArray w(word);
        if (m_s.mid(m_pos, w.size()) != w)
            return false;
        m_pos += w.size();
        return true;
    }

    void object(JsonValue& v, int depth)
    {
        v.type = JsonValue::Type::Object;
        ++m_pos;
        skipSpace();
        if (peek() == '}') {
            ++m_pos;
            return;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"')
                fail(atEnd() ? QStringLiteral("the document ends early; a field name expected")
                             : QStringLiteral("a field name in double quotes expected"));
            const qsizetype keyAt = m_pos;
            const QString key = string();
            if (v.member(key))
                fail(QStringLiteral("the key \"%1\" is given twice in one object").arg(key), keyAt);
            expect(':', "\":\"");
            skipSpace();
            v.members.push_back({key, value(depth + 1)});
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            expect('}', "\",\" or \"}\"");
            return;
        }
    }

    void array(JsonValue& v, int depth)
    {
        v.type = JsonValue::Type::Array;
        ++m_pos;
        skipSpace();
        if (peek() == ']') {
            ++m_pos;
            return;
        }
        for (;;) {
            skipSpace();
            v.elements.push_back(value(depth + 1));
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            expect(']', "\",\" or \"]\"");
            return;
        }
    }

    void number(JsonValue& v)
    {
        const qsizetype start = m_pos;
        const auto digits = [&] {
            const qsizetype from = m_pos;
            while (peek() >= '0' && peek() <= '9')
                ++m_pos;
            return m_pos > from;
        };
        v.integral = true;
        if (peek() == '-')
            ++m_pos;
        if (peek() == '0')
            ++m_pos;
        else if (!digits())
            fail(QStringLiteral("a digit expected"));
        if (peek() == '.') {
            ++m_pos;
            v.integral = false;
            if (!digits())
                fail(QStringLiteral("a digit expected after the decimal point"));
        }
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            v.integral = false;
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            if (!digits())
                fail(QStringLiteral("a digit expected in the exponent"));
        }
        v.type = JsonValue::Type::Number;
        v.number = m_s.mid(start, m_pos - start).toDouble();
        if (!std::isfinite(v.number))
            fail(QStringLiteral("the number is too large"), start);
    }

    unsigned hex4(qsizetype escapeAt)
    {
        unsigned code = 0;
        for (int i = 0; i < 4; ++i, ++m_pos) {
            const char c = peek();
            code <<= 4;
            if (c >= '0' && c <= '9') code |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f') code |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') code |= unsigned(c - 'A' + 10);
            else fail(QStringLiteral("\\u must be followed by four hexadecimal digits"), escapeAt);
        }
        return code;
    }

    QString string()
    {
        ++m_pos;  // the opening quote
        QByteArray utf8;
        QString out;
        const auto flush = [&] {
            out += QString::fromUtf8(utf8);
            utf8.clear();
        };
        for (;;) {
            if (atEnd())
                fail(QStringLiteral("the text is not closed with a double quote"));
            const unsigned char c = static_cast<unsigned char>(peek());
            if (c == '"') {
                ++m_pos;
                break;
            }
            if (c < 0x20)
                fail(QStringLiteral("a control character (code %1) stands raw in a text; write it as an escape such as \\n or \\t").arg(c));
            if (c != '\\') {
                utf8 += char(c);
                ++m_pos;
                continue;
            }
            const qsizetype escapeAt = m_pos;
            ++m_pos;
            const char e = peek();
            ++m_pos;
            flush();
            switch (e) {
            case '"': out += QLatin1Char('"'); break;
            case '\\': out += QLatin1Char('\\'); break;
            case '/': out += QLatin1Char('/'); break;
            case 'b': out += QChar(0x08); break;
            case 'f': out += QChar(0x0C); break;
            case 'n': out += QLatin1Char('\n'); break;
            case 'r': out += QLatin1Char('\r'); break;
            case 't': out += QLatin1Char('\t'); break;
            case 'u': {
                const unsigned high = hex4(escapeAt);
                if (high >= 0xDC00 && high <= 0xDFFF)
                    fail(QStringLiteral("\\u%1 is half of a surrogate pair without its first half").arg(high, 4, 16, QLatin1Char('0')), escapeAt);
                if (high >= 0xD800 && high <= 0xDBFF) {
                    if (!literal("\\u"))
                        fail(QStringLiteral("\\u%1 must be followed by the second half of its surrogate pair").arg(high, 4, 16, QLatin1Char('0')), escapeAt);
                    const unsigned low = hex4(m_pos - 2);
                    if (low < 0xDC00 || low > 0xDFFF)
                        fail(QStringLiteral("\\u%1 must be followed by the second half of its surrogate pair").arg(high, 4, 16, QLatin1Char('0')), escapeAt);
                    const char32_t code = 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
                    out += QString::fromUcs4(&code, 1);
                } else {
                    out += QChar(char16_t(high));
                }
                break;
            }
            default:
                fail(QStringLiteral("\"\\%1\" is not an escape of JSON").arg(QLatin1Char(e)), escapeAt);
            }
        }
        flush();
        return out;
    }

    const QByteArray& m_s;
    qsizetype m_pos = 0;
    std::vector<qsizetype> m_lineStarts;  // byte offset of each line's first character
    struct Place {
        qsizetype offset;
        int line, column;
    };
    mutable Place m_placed{0, 1, 1};  // the last place computed
};

}  // namespace

std::optional<JsonValue> parseJson(const QByteArray& source, Problem& fault)
{
    if (!decodeUtf8(source, fault))
        return std::nullopt;
    try {
        return Parser(source).document();
    } catch (const Failure& f) {
        lineAndColumn(source, f.offset, fault.line, fault.column);
        fault.text = f.text;
        return std::nullopt;
    }
}

}  // namespace formats
