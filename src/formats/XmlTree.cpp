#include "formats/XmlTree.h"

#include "formats/ReaderSupport.h"
#include "formats/TextSource.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>

namespace formats {

const XmlNode* XmlNode::child(const QString& childName) const
{
    for (const XmlNode& c : children)
        if (c.name == childName)
            return &c;
    return nullptr;
}

std::vector<const XmlNode*> XmlNode::childElements(const QString& childName) const
{
    std::vector<const XmlNode*> result;
    for (const XmlNode& c : children)
        if (!c.isText() && (childName.isEmpty() || c.name == childName))
            result.push_back(&c);
    return result;
}

QString XmlNode::innerText() const
{
    if (isText())
        return text;
    QString all;
    for (const XmlNode& c : children)
        all += c.innerText();
    return all;
}

const XmlNode* XmlNode::find(const QString& wanted) const
{
    for (const XmlNode& c : children) {
        if (c.name == wanted)
            return &c;
        if (const XmlNode* below = c.find(wanted))
            return below;
    }
    return nullptr;
}

namespace {

// Deeper documents are refused instead of running the stack out while walking them.
constexpr int MaxDepth = 256;
// The "<" of a start tag is searched for backwards from the tag's end over at most this many
// characters (a tag with its attributes is shorter), so that a document on one long line is
// read in linear time; and no older text is kept.
constexpr qint64 SearchSpan = 1 << 16;
// Text no longer needed is dropped once there is this much of it.
constexpr qint64 DropSize = 1 << 20;

// The encoding the XML declaration names ("iso-8859-1"), lower case; empty when it names none.
QString declaredEncoding(const QByteArray& start)
{
    static const QRegularExpression declaration(
        QStringLiteral("^\\s*<\\?xml[^>]*\\bencoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
    return declaration.match(QString::fromLatin1(start.left(256))).captured(1).toLower();
}

// The recent text of a document, by its offsets from the start, with the line of each offset
// counted as it goes ("\r\n" and "\r" end lines too).
class RecentText {
public:
    void append(QStringView text) { m_text += text; }

    // Where the last `needle` begins that ends at or before `end` and begins at most `span`
    // before it; -1 when there is none.
    qint64 findBefore(const QString& needle, qint64 end, qint64 span) const
    {
        const qint64 from = std::max({m_start, end - span, m_cursor});
        const qint64 to = std::min(end, m_start + m_text.size());
        if (to <= from)
            return -1;
        const qsizetype at = QStringView(m_text).sliced(from - m_start, to - from).lastIndexOf(needle);
        return at < 0 ? -1 : from + at;
    }

    // The line and column (both from 1) of `offset`, which is not before any asked for earlier.
    void place(qint64 offset, int& line, int& column)
    {
        moveTo(offset);
        line = m_line;
        column = int(offset - m_lineStart) + 1;
    }

    // Nothing before `offset` will be asked for again.
    void forgetBefore(qint64 offset)
    {
        if (offset - m_start < DropSize)
            return;
        moveTo(offset);
        m_text.remove(0, m_cursor - m_start);
        m_start = m_cursor;
    }

private:
    void moveTo(qint64 offset)
    {
        const qint64 to = std::min(offset, m_start + m_text.size());
        for (qint64 i = m_cursor; i < to; ++i) {
            const QChar c = m_text[i - m_start];
            if (c == u'\r' && i + 1 < to && m_text[i + 1 - m_start] == u'\n')
                continue;
            if (c == u'\n' || c == u'\r') {
                ++m_line;
                m_lineStart = i + 1;
            }
        }
        m_cursor = std::max(m_cursor, to);
    }

    QString m_text;
    qint64 m_start = 0;  // the offset of m_text's first character
    qint64 m_cursor = 0;  // lines are counted up to here
    int m_line = 1;
    qint64 m_lineStart = 0;
};

// The source as the XML reader reads it: its bytes pass unchanged, while their text is decoded
// beside them (UTF-8 checked, for the place of a bad byte) into the recent text.
class WatchedSource : public QIODevice {
public:
    explicit WatchedSource(QIODevice& source) : m_source(source)
    {
        const QString encoding = declaredEncoding(source.peek(256));
        if (!encoding.isEmpty() && encoding != QLatin1String("utf-8") && encoding != QLatin1String("utf8")) {
            m_decoder = QStringDecoder(qPrintable(encoding));
            if (!m_decoder->isValid())
                m_fault = Problem{0, 0, QStringLiteral("the encoding %1 is not supported").arg(encoding), {}};
        }
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    RecentText& text() { return m_text; }
    // Why the source could not be given to the reader whole; then its own fault is a follow-on.
    const std::optional<Problem>& fault() const { return m_fault; }

protected:
    qint64 readData(char* data, qint64 size) override
    {
        if (m_fault)
            return -1;
        const qint64 read = m_source.read(data, size);
        if (read < 0) {
            m_fault = Problem{0, 0, QStringLiteral("the source cannot be read: %1").arg(m_source.errorString()), {}};
            return -1;
        }
        const QByteArray piece = QByteArray::fromRawData(data, read);
        if (m_decoder) {
            m_text.append(QString((*m_decoder)(piece)));
        } else {
            Problem fault;
            const std::optional<QString> text = m_utf8.decode(piece, read == 0, fault);
            if (!text) {
                m_fault = fault;
                return -1;
            }
            m_text.append(*text);
        }
        return read;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& m_source;
    std::optional<QStringDecoder> m_decoder;  // for an encoding other than UTF-8
    Utf8Pieces m_utf8;
    RecentText m_text;
    std::optional<Problem> m_fault;
};

}  // namespace

struct XmlStream::Reading {
    explicit Reading(QIODevice& source) : watched(source), reader(&watched) {}

    WatchedSource watched;
    QXmlStreamReader reader;
    XmlNode root;
    bool rootEnded = false;

    [[noreturn]] void fail()
    {
        if (watched.fault())
            throw Malformed{*watched.fault()};
        throw Malformed{{int(reader.lineNumber()), int(reader.columnNumber()), reader.errorString(), {}}};
    }

    QXmlStreamReader::TokenType readNext()
    {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::Invalid || watched.fault())
            fail();
        return token;
    }

    // The element whose start tag was just read, without children, at the place of its "<".
    XmlNode startedElement()
    {
        XmlNode node;
        node.name = reader.name().toString();
        node.attributes = reader.attributes();
        node.line = int(reader.lineNumber());
        node.column = int(reader.columnNumber());
        const qint64 end = reader.characterOffset();
        RecentText& text = watched.text();
        const qint64 at = text.findBefore(QLatin1Char('<') + reader.qualifiedName().toString(), end, SearchSpan);
        if (at >= 0)
            text.place(at, node.line, node.column);
        text.forgetBefore(end - SearchSpan);
        return node;
    }

    // Reads the children of `element`, whose start tag was just read, up to its end tag.
    void readBelow(XmlNode& element, int depth)
    {
        if (depth >= MaxDepth) {
            reader.raiseError(QStringLiteral("elements nested more than %1 levels deep").arg(MaxDepth));
            fail();
        }
        for (;;) {
            switch (readNext()) {
            case QXmlStreamReader::StartElement:
                element.children.push_back(startedElement());
                readBelow(element.children.back(), depth + 1);
                break;
            case QXmlStreamReader::EndElement:
                return;
            case QXmlStreamReader::Characters: {
                XmlNode text;
                text.text = reader.text().toString();
                element.children.push_back(std::move(text));
                break;
            }
            default:
                break;
            }
        }
    }
};

XmlStream::XmlStream(QIODevice& source) : m_reading(std::make_unique<Reading>(source))
{
    for (;;) {
        const QXmlStreamReader::TokenType token = m_reading->readNext();
        if (token == QXmlStreamReader::StartElement)
            break;
        if (token == QXmlStreamReader::EndDocument)
            throw Malformed{{0, 0, QStringLiteral("the document holds no element"), {}}};
    }
    m_reading->root = m_reading->startedElement();
}

XmlStream::~XmlStream() = default;

const XmlNode& XmlStream::root() const
{
    return m_reading->root;
}

bool XmlStream::next(XmlNode& node)
{
    Reading& r = *m_reading;
    while (!r.rootEnded) {
        node = {};
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement:
            node = r.startedElement();
            r.readBelow(node, 2);
            return true;
        case QXmlStreamReader::Characters:
            node.text = r.reader.text().toString();
            return true;
        case QXmlStreamReader::EndElement:
            r.rootEnded = true;
            break;
        default:
            break;
        }
    }
    // What follows the root must still be well-formed.
    while (!r.reader.atEnd() && r.readNext() != QXmlStreamReader::EndDocument) {
    }
    return false;
}

std::optional<XmlNode> parseXml(const QByteArray& source, Problem& fault)
{
    QBuffer buffer;
    buffer.setData(source);
    buffer.open(QIODevice::ReadOnly);
    try {
        XmlStream stream(buffer);
        XmlNode root = stream.root();
        for (XmlNode node; stream.next(node);)
            root.children.push_back(std::move(node));
        return root;
    } catch (const Malformed& m) {
        fault = m.problem;
        return std::nullopt;
    }
}

}  // namespace formats
