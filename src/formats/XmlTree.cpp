#include "formats/XmlTree.h"

#include "formats/TextSource.h"

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

// The place of the "<" of the start tag just read. The reader stands at its end; the tag is
// searched for backwards over at most SearchSpan characters (a tag with its attributes is
// shorter), so that a document on one long line is read in linear time. When it cannot be
// found (another encoding) its end is taken.
constexpr qsizetype SearchSpan = 1 << 16;

void tagStart(const QStringList& lines, const QXmlStreamReader& reader, int& line, int& column)
{
    line = int(reader.lineNumber());
    column = int(reader.columnNumber());
    const QString open = QLatin1Char('<') + reader.qualifiedName().toString();
    qsizetype budget = SearchSpan;
    for (int l = line - 1, end = column; l >= 0 && l < lines.size() && budget > 0; --l, end = -1) {
        const QStringView text = QStringView(lines[l]).left(end < 0 ? lines[l].size() : end);
        const qsizetype from = std::max<qsizetype>(0, text.size() - budget);
        const qsizetype at = text.sliced(from).lastIndexOf(open);
        if (at >= 0) {
            line = l + 1;
            column = int(from + at) + 1;
            return;
        }
        budget -= text.size() - from + 1;
    }
}

// Deeper documents are refused instead of running the stack out while walking them.
constexpr size_t MaxDepth = 256;

// The encoding the XML declaration names ("iso-8859-1"), lower case; empty when it names none.
QString declaredEncoding(const QByteArray& source)
{
    static const QRegularExpression declaration(
        QStringLiteral("^\\s*<\\?xml[^>]*\\bencoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
    return declaration.match(QString::fromLatin1(source.left(256))).captured(1).toLower();
}

// The text of the document: in its declared encoding, else UTF-8, whose first bad byte is
// named with its place (the XML reader would name a later one).
std::optional<QString> documentText(const QByteArray& source, Problem& fault)
{
    const QString encoding = declaredEncoding(source);
    if (encoding.isEmpty() || encoding == QLatin1String("utf-8") || encoding == QLatin1String("utf8"))
        return decodeUtf8(source, fault);
    QStringDecoder decoder(qPrintable(encoding));
    if (!decoder.isValid()) {
        fault.text = QStringLiteral("the encoding %1 is not supported").arg(encoding);
        return std::nullopt;
    }
    return QString(decoder(source));
}

std::optional<XmlNode> parseXml(const QByteArray& source, Problem& fault)
{
    const std::optional<QString> text = documentText(source, fault);
    if (!text)
        return std::nullopt;
    QXmlStreamReader reader(source);
    XmlNode document;
    std::vector<XmlNode*> open{&document};
    const QStringList lines = splitLines(*text);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            XmlNode node;
            node.name = reader.name().toString();
            node.attributes = reader.attributes();
            tagStart(lines, reader, node.line, node.column);
            open.back()->children.push_back(std::move(node));
            open.push_back(&open.back()->children.back());
            if (open.size() > MaxDepth)
                reader.raiseError(QStringLiteral("elements nested more than %1 levels deep").arg(MaxDepth));
            break;
        }
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (open.size() > 1) {
                XmlNode text;
                text.text = reader.text().toString();
                open.back()->children.push_back(std::move(text));
            }
            break;
        default:
            break;
        }
    }
    if (reader.hasError()) {
        fault.line = int(reader.lineNumber());
        fault.column = int(reader.columnNumber());
        fault.text = reader.errorString();
        return std::nullopt;
    }
    if (document.children.empty()) {
        fault.text = QStringLiteral("the document holds no element");
        return std::nullopt;
    }
    return std::move(document.children.front());
}

}  // namespace formats
