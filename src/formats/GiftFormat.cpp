#include "formats/GiftFormat.h"

#include "formats/HtmlText.h"
#include "formats/ReaderSupport.h"
#include "formats/TextSource.h"
#include "platform/ApplicationTitle.h"

#include <QRegularExpression>

#include <algorithm>

namespace formats {

namespace {

// Index of the first `c` at or after `from` that no backslash escapes, or -1.
qsizetype findUnescaped(const QString& s, const QString& what, qsizetype from = 0)
{
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (QStringView(s).sliced(i).startsWith(what))
            return i;
    }
    return -1;
}

// Escapes resolved: "\n" is a line break, "\x" is x.
QString unescape(const QString& s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
            ++i;
            out += s[i] == QLatin1Char('n') ? QChar('\n') : s[i];
        } else {
            out += s[i];
        }
    }
    return out;
}

enum class TextFormat { Plain, Html };

// Takes a leading format marker ("[html]", "[moodle]", "[plain]", "[markdown]") off `text`,
// and returns the format it names, else `format`.
TextFormat takeFormatMarker(QString& text, TextFormat format)
{
    static const QRegularExpression marker(QStringLiteral("^\\s*\\[(html|moodle|plain|markdown)\\]"));
    const auto m = marker.match(text);
    if (!m.hasMatch())
        return format;
    text.remove(0, m.capturedLength());
    return m.captured(1) == QLatin1String("html") ? TextFormat::Html : TextFormat::Plain;
}

// The text of a piece of source, after its own format marker if it has one: in HTML, read by
// HTML's rules; else the source's lines trimmed (their indentation is layout) and then the
// escapes resolved, so that the spaces after an escaped line break ("\n    return 1") stay.
QString sourceText(QString raw, TextFormat format)
{
    format = takeFormatMarker(raw, format);
    if (format == TextFormat::Html)
        return htmlToText(unescape(raw));
    QStringList lines = raw.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    const QString text = unescape(lines.join(QLatin1Char('\n')));
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].isSpace())
        ++begin;
    while (end > begin && text[end - 1].isSpace())
        --end;
    return text.sliced(begin, end - begin);
}

// The source split into blocks separated by blank lines, comments left out.
struct Block {
    int line;      // of the first line
    int lastLine;  // of the last line
    QString text;
};

QList<Block> blocksOf(const QStringList& lines)
{
    QList<Block> blocks;
    bool open = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (trimmed.startsWith(QLatin1String("//")))
            continue;
        if (trimmed.isEmpty()) {
            open = false;
            continue;
        }
        // A category line stands alone, blank line or not.
        const bool category = trimmed.startsWith(QLatin1String("$CATEGORY:"), Qt::CaseInsensitive);
        if (!open || category) {
            blocks.append({i + 1, i + 1, lines[i]});
            open = !category;
        } else {
            // Comment lines become empty lines, so that offsets still map to lines.
            Block& last = blocks.last();
            last.text += QString(i + 1 - last.lastLine, QLatin1Char('\n')) + lines[i];
            last.lastLine = i + 1;
        }
    }
    return blocks;
}

void placeInBlock(const Block& block, qsizetype offset, int& line, int& column)
{
    const QString before = block.text.left(offset);
    line = block.line + int(before.count(QLatin1Char('\n')));
    column = int(offset - (before.lastIndexOf(QLatin1Char('\n')) + 1)) + 1;
}

// A fault at `offset` of the block: the question is left out, the fault's place named.
[[noreturn]] void faultAt(const Block& block, qsizetype offset, const QString& text)
{
    QuestionFault fault{text};
    placeInBlock(block, offset, fault.line, fault.column);
    throw fault;
}

struct Token {
    QChar mark;  // '=' or '~'
    qsizetype offset;
    QString text;  // raw, up to the next mark
};

Item parseQuestion(const Block& source)
{
    const QString& block = source.text;
    qsizetype pos = 0;
    const auto skipSpace = [&] {
        while (pos < block.size() && block[pos].isSpace())
            ++pos;
    };
    skipSpace();
    if (block.mid(pos, 2) == QLatin1String("::")) {
        const qsizetype end = findUnescaped(block, QStringLiteral("::"), pos + 2);
        if (end < 0)
            faultAt(source, pos, QStringLiteral("the title is not closed with \"::\""));
        pos = end + 2;
        skipSpace();
    }
    // The question's format marker is also the format of its answers and feedback.
    QString rest = block.mid(pos);
    const TextFormat format = takeFormatMarker(rest, TextFormat::Plain);
    pos = block.size() - rest.size();
    const qsizetype open = findUnescaped(block, QStringLiteral("{"), pos);
    const qsizetype strayClose = findUnescaped(block, QStringLiteral("}"), pos);
    if (strayClose >= 0 && (open < 0 || strayClose < open))
        faultAt(source, strayClose, QStringLiteral("\"}\" without its \"{\"; write a brace of the text as \\}"));
    if (open < 0)
        throw QuestionFault{QStringLiteral("descriptions without answers are not supported")};
    const qsizetype close = findUnescaped(block, QStringLiteral("}"), open + 1);
    if (close < 0)
        faultAt(source, open, QStringLiteral("the answers opened here are not closed with \"}\""));
    if (const qsizetype inner = findUnescaped(block, QStringLiteral("{"), open + 1); inner >= 0 && inner < close)
        faultAt(source, inner, QStringLiteral("\"{\" inside the answers; write a brace of the text as \\{"));
    const QString after = block.mid(close + 1);
    for (const char* brace : {"{", "}"})
        if (const qsizetype extra = findUnescaped(after, QLatin1String(brace)); extra >= 0)
            faultAt(source, close + 1 + extra, QStringLiteral("a second \"%1\" in one question; a question has one answer block").arg(QLatin1String(brace)));

    Item item;
    const QString before = sourceText(block.mid(pos, open - pos), format);
    const QString tail = sourceText(after, format);
    // Text after the answers makes a missing-word question; a tail of punctuation only is a
    // stray end of the line, not a second half of the question.
    const bool missingWord = std::any_of(tail.begin(), tail.end(), [](QChar c) { return c.isLetterOrNumber(); });
    item.question = missingWord ? before + QStringLiteral(" _____ ") + tail : before;

    QString answers = block.mid(open + 1, close - open - 1);
    const qsizetype general = findUnescaped(answers, QStringLiteral("####"));
    if (general >= 0) {
        item.explanation = sourceText(answers.mid(general + 4), format);
        answers.truncate(general);
    }
    const QString trimmed = answers.trimmed();
    if (trimmed.isEmpty())
        throw QuestionFault{QStringLiteral("essay questions are not supported")};
    if (trimmed.startsWith(QLatin1Char('#')))
        throw QuestionFault{QStringLiteral("numerical questions are not supported")};
    static const QRegularExpression trueFalse(QStringLiteral("^(T|TRUE|F|FALSE)\\s*(#.*)?$"),
                                              QRegularExpression::CaseInsensitiveOption |
                                                  QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = trueFalse.match(trimmed); m.hasMatch()) {
        const bool isTrue = m.captured(1).startsWith(QLatin1Char('T'), Qt::CaseInsensitive);
        setChoices(item, {{QStringLiteral("True"), isTrue}, {QStringLiteral("False"), !isTrue}});
        return item;
    }

    // The answers: each begins with an unescaped "=" or "~".
    QList<Token> tokens;
    qsizetype at = 0;
    while (at < answers.size() && answers[at].isSpace())
        ++at;
    if (at < answers.size() && answers[at] != QLatin1Char('=') && answers[at] != QLatin1Char('~'))
        faultAt(source, open + 1 + at, QStringLiteral("an answer must begin with \"=\" (right) or \"~\" (wrong)"));
    for (qsizetype i = at; i < answers.size(); ++i) {
        if (answers[i] == QLatin1Char('\\')) {
            if (!tokens.isEmpty())
                tokens.last().text += answers.mid(i, 2);
            ++i;
        } else if (answers[i] == QLatin1Char('=') || answers[i] == QLatin1Char('~')) {
            tokens.append({answers[i], open + 1 + i, {}});
        } else {
            tokens.last().text += answers[i];
        }
    }
    bool hasRight = false, hasWrong = false, pairs = false;
    for (const Token& t : tokens) {
        pairs = pairs || findUnescaped(t.text, QStringLiteral("->")) >= 0;
        (t.mark == QLatin1Char('=') ? hasRight : hasWrong) = true;
    }
    // Matching and short answer questions have only "=" answers.
    if (!hasWrong && pairs)
        throw QuestionFault{QStringLiteral("matching questions are not supported")};
    if (!hasWrong)
        throw QuestionFault{QStringLiteral("short answer questions are not supported")};

    // With a "=" answer the question is single response; without, the positive weights are the keys.
    item.multiple = !hasRight;
    static const QRegularExpression weight(QStringLiteral("^\\s*%(-?[0-9]+(?:\\.[0-9]+)?)%"));
    QList<Choice> choices;
    for (const Token& t : tokens) {
        QString text = t.text;
        double percent = t.mark == QLatin1Char('=') ? 100 : 0;
        if (text.trimmed().startsWith(QLatin1Char('%'))) {
            const auto m = weight.match(text);
            if (!m.hasMatch())
                faultAt(source, t.offset + 1, QStringLiteral("a weight is written %50% (a number between percent signs)"));
            percent = m.captured(1).toDouble();
            text = text.mid(m.capturedLength());
        }
        if (const qsizetype feedback = findUnescaped(text, QStringLiteral("#")); feedback >= 0)
            text.truncate(feedback);
        const bool key = item.multiple ? percent > 0 : t.mark == QLatin1Char('=') && percent > 0;
        choices.append({sourceText(text, format), key});
    }
    if (const auto why = setChoices(item, choices))
        throw QuestionFault{*why};
    return item;
}

QString escaped(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (QStringLiteral("~=#{}:\\").contains(c))
            out += QLatin1Char('\\') + QString(c);
        else
            out += c;
    }
    return out;
}


// The blocks of a GIFT source one by one; a category line sets the section of those after it.
class GiftReader : public QuestionReader {
public:
    explicit GiftReader(const QString& text) : m_blocks(blocksOf(splitLines(text))) {}

    bool next() override
    {
        while (++m_at < m_blocks.size()) {
            const QString trimmed = m_blocks[m_at].text.trimmed();
            if (!trimmed.startsWith(QLatin1String("$CATEGORY:"), Qt::CaseInsensitive))
                return true;
            m_section = sectionOfCategory(trimmed.mid(10).trimmed());
        }
        return false;
    }
    Problem place() const override { return {m_blocks[m_at].line, 0, {}, {}}; }
    Item readQuestion(QList<Problem>&) override
    {
        Item item = parseQuestion(m_blocks[m_at]);
        item.section = m_section;
        item.line = m_blocks[m_at].line;
        return item;
    }

private:
    QList<Block> m_blocks;
    qsizetype m_at = -1;
    int m_section = 0;
};

class GiftWriter : public ItemWriter {
public:
    QStringList losses(const Item& item) const override
    {
        // Lines after the first keep their indentation (after an escaped line break); the
        // first line's is taken for layout.
        const auto indented = [](const QString& text) { return text.startsWith(QLatin1Char(' ')) || text.startsWith(QLatin1Char('\t')); };
        if (indented(item.question) || indented(item.explanation))
            return {QStringLiteral("the indentation of a first line")};
        return {};
    }
    void add(const Item& item, int) override
    {
        if (entersSection(m_section, item))
            m_out += QStringLiteral("$CATEGORY: $course$/top/%1\n\n").arg(sectionNames()[m_section - 1]);
        m_out += QStringLiteral("[plain]") + escaped(item.question) + QStringLiteral(" {\n");
        for (int k = 0; k < item.answerCount(); ++k) {
            const QString answer = escaped(item.answers[k]);
            if (!item.multiple)
                m_out += (item.keys[k] ? QStringLiteral("=") : QStringLiteral("~")) + answer + QLatin1Char('\n');
            else
                m_out += QStringLiteral("~%%1%%2\n").arg(item.keys[k] ? keyShare(item.keyCount()) : QStringLiteral("-100"), answer);
        }
        if (!item.explanation.isEmpty())
            m_out += QStringLiteral("####") + escaped(item.explanation) + QLatin1Char('\n');
        m_out += QStringLiteral("}\n\n");
    }
    QByteArray finish() override { return m_out.toUtf8(); }

private:
    QString m_out = QStringLiteral("// Questions exported from %1\n\n").arg(platform::ApplicationTitle);
    int m_section = -1;
};

}  // namespace

std::unique_ptr<ItemWriter> GiftFormat::startWriting() const
{
    return std::make_unique<GiftWriter>();
}

std::unique_ptr<QuestionReader> GiftFormat::openSource(const QByteArray& source) const
{
    return std::make_unique<GiftReader>(decodeText(source));
}

}  // namespace formats
