#include "formats/HtmlText.h"

#include <QRegularExpression>

namespace formats {

namespace {

constexpr QChar NoBreakSpace(0xA0);

// Ordinary white space, which HTML collapses; a no-break space is kept.
bool isLayoutSpace(QChar c)
{
    return c.isSpace() && c != NoBreakSpace;
}

}  // namespace

void PlainTextBuilder::addText(const QString& raw)
{
    for (QChar c : raw) {
        if (isLayoutSpace(c)) {
            if (!m_text.isEmpty() && !m_text.endsWith(QLatin1Char(' ')) && !m_text.endsWith(QLatin1Char('\n')))
                m_text += QLatin1Char(' ');
        } else {
            m_text += c;
        }
    }
}

void PlainTextBuilder::addLineBreak()
{
    while (m_text.endsWith(QLatin1Char(' ')))
        m_text.chop(1);
    m_text += QLatin1Char('\n');
}

void PlainTextBuilder::endBlock()
{
    if (!m_text.isEmpty() && !m_text.endsWith(QLatin1Char('\n')))
        addLineBreak();
}

QString PlainTextBuilder::result() const
{
    // Layout spaces at the ends of lines go; no-break spaces (indentation) stay, as spaces.
    QStringList lines = m_text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        qsizetype begin = 0, end = line.size();
        while (begin < end && isLayoutSpace(line[begin]))
            ++begin;
        while (end > begin && isLayoutSpace(line[end - 1]))
            --end;
        line = line.sliced(begin, end - begin).replace(NoBreakSpace, QLatin1Char(' '));
    }
    QString text = lines.join(QLatin1Char('\n'));
    while (text.startsWith(QLatin1Char('\n')))
        text.remove(0, 1);
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

bool isBlockElement(const QString& tagName)
{
    static const QRegularExpression block(QStringLiteral("^(p|div|li|tr|h[1-6]|pre|blockquote)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return block.match(tagName).hasMatch();
}

namespace {

// The characters of the named entities that question texts use; 0 for others.
char32_t namedEntity(const QString& name)
{
    static const QList<std::pair<const char*, char32_t>> entities = {
        {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},      {"apos", '\''},
        {"nbsp", 0xA0},    {"shy", 0xAD},     {"copy", 0xA9},    {"reg", 0xAE},      {"deg", 0xB0},
        {"plusmn", 0xB1},  {"micro", 0xB5},   {"middot", 0xB7},  {"times", 0xD7},    {"divide", 0xF7},
        {"laquo", 0xAB},   {"raquo", 0xBB},   {"ndash", 0x2013}, {"mdash", 0x2014},  {"lsquo", 0x2018},
        {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"bull", 0x2022},   {"hellip", 0x2026},
        {"larr", 0x2190},  {"uarr", 0x2191},  {"rarr", 0x2192},  {"darr", 0x2193},   {"harr", 0x2194},
        {"le", 0x2264},    {"ge", 0x2265},    {"ne", 0x2260},    {"euro", 0x20AC},   {"trade", 0x2122},
    };
    for (const auto& [entity, code] : entities)
        if (name == QLatin1String(entity))
            return code;
    return 0;
}

QString decodeEntities(const QString& text)
{
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z]+);"));
    QString out;
    qsizetype from = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        const QString name = m.captured(1);
        char32_t code = 0;
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X")))
            code = name.mid(2).toUInt(nullptr, 16);
        else if (name.startsWith(QLatin1Char('#')))
            code = name.mid(1).toUInt();
        else
            code = namedEntity(name);
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            out += m.captured(0);  // unknown: kept as written
        else
            out += QString::fromUcs4(&code, 1);
    }
    return out + text.mid(from);
}

}  // namespace

QString htmlToText(const QString& html)
{
    static const QRegularExpression skipped(QStringLiteral("<!--.*?-->|<(script|style)\\b.*?</\\1\\s*>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*>"));
    const QString cleaned = QString(html).remove(skipped);
    PlainTextBuilder text;
    qsizetype from = 0;
    for (auto it = tag.globalMatch(cleaned); it.hasNext();) {
        const auto m = it.next();
        text.addText(decodeEntities(cleaned.mid(from, m.capturedStart() - from)));
        from = m.capturedEnd();
        const bool closing = !m.captured(1).isEmpty();
        const QString name = m.captured(2).toLower();
        if (name == QLatin1String("br") && !closing)
            text.addLineBreak();
        else if (isBlockElement(name))
            text.endBlock();
    }
    text.addText(decodeEntities(cleaned.mid(from)));
    return text.result();
}

QString hardSpaces(const QString& text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i)
        if (out[i] == QLatin1Char(' ') && (i == 0 || text[i - 1] == QLatin1Char('\n') || text[i - 1] == QLatin1Char(' ')))
            out[i] = NoBreakSpace;
    return out;
}

QString textToHtml(const QString& text)
{
    return hardSpaces(text).toHtmlEscaped().replace(NoBreakSpace, QLatin1String("&nbsp;")).replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

}  // namespace formats
