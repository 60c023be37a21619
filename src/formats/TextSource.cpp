#include "formats/TextSource.h"

#include "platform/LineBreaks.h"

namespace formats {

namespace {

// Length of the UTF-8 sequence starting at `i`, or 0 when the bytes there are not UTF-8.
int sequenceLength(const QByteArray& b, qsizetype i)
{
    const auto at = [&](qsizetype k) { return k < b.size() ? static_cast<unsigned char>(b[k]) : 0u; };
    const unsigned c = at(i);
    const auto cont = [&](qsizetype k) { return (at(k) & 0xC0) == 0x80; };
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return cont(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned c1 = at(i + 1);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F))  // overlong or surrogate
            return 0;
        return cont(i + 1) && cont(i + 2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned c1 = at(i + 1);
        if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 > 0x8F))
            return 0;
        return cont(i + 1) && cont(i + 2) && cont(i + 3) ? 4 : 0;
    }
    return 0;
}

}  // namespace

void lineAndColumn(const QByteArray& text, qsizetype offset, int& line, int& column)
{
    line = 1;
    column = 1;
    for (qsizetype i = 0; i < offset && i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++column;
        }
    }
}

std::optional<QString> decodeUtf8(const QByteArray& bytes, Problem& fault)
{
    return Utf8Pieces().decode(bytes, true, fault);
}

namespace {

// Where the character cut by the end of `b` begins, or b.size() when none is cut.
qsizetype cutCharacter(const QByteArray& b)
{
    for (qsizetype k = b.size() - 1; k >= 0 && k >= b.size() - 3; --k) {
        const unsigned c = static_cast<unsigned char>(b[k]);
        if ((c & 0xC0) == 0x80)
            continue;
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return k + length > b.size() ? k : b.size();
    }
    return b.size();
}

}  // namespace

std::optional<QString> Utf8Pieces::decode(const QByteArray& piece, bool last, Problem& fault)
{
    QByteArray bytes = m_cut.isEmpty() ? piece : m_cut + piece;
    const qsizetype whole = last ? bytes.size() : cutCharacter(bytes);
    m_cut = bytes.sliced(whole);
    bytes.truncate(whole);
    for (qsizetype i = 0; i < bytes.size();) {
        const int n = sequenceLength(bytes, i);
        if (n == 0) {
            fault.line = m_line;
            fault.column = m_column;
            fault.text = QStringLiteral("the text is not UTF-8");
            return std::nullopt;
        }
        // Lines end in "\n", "\r\n" or "\r", as splitLines takes them.
        const char c = bytes[i];
        if ((c == '\n' && !m_afterReturn) || c == '\r') {
            ++m_line;
            m_column = 1;
        } else if (c != '\n') {
            ++m_column;
        }
        m_afterReturn = c == '\r';
        i += n;
    }
    QString text = QString::fromUtf8(bytes);
    if (m_first && text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    m_first = m_first && text.isEmpty();
    return text;
}

QStringList splitLines(const QString& text)
{
    return platform::unifiedLineBreaks(text).split(QLatin1Char('\n'));
}

}  // namespace formats
