#pragma once
// Small trees of an XML document read with QXmlStreamReader, keeping the place of every
// element so that problems can name their line and column.

#include "formats/Format.h"

#include <QString>
#include <QXmlStreamAttributes>

#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace formats {

struct XmlNode {
    QString name;  // the local name; empty for a piece of text
    QString text;  // the characters of a text node
    QXmlStreamAttributes attributes;
    std::vector<XmlNode> children;  // elements and text, in document order
    int line = 0, column = 0;

    bool isText() const { return name.isEmpty(); }
    QString attribute(const QString& name) const { return attributes.value(name).toString(); }
    const XmlNode* child(const QString& name) const;  // the first child element so named
    std::vector<const XmlNode*> childElements(const QString& name = {}) const;
    QString innerText() const;  // all text below, concatenated
    // The first element so named anywhere below, depth first; nullptr when none.
    const XmlNode* find(const QString& name) const;
};

// A document read from a device piece by piece, in the encoding its declaration names (else
// UTF-8): its root element, then the nodes below the root one at a time, each a small tree.
// Neither the document nor its text is ever held whole; only the recent text is kept, to find
// the line and column where an element begins. Throws Malformed (ReaderSupport.h) with the
// place of a fault, or when the document holds no element.
class XmlStream {
public:
    explicit XmlStream(QIODevice& source);
    ~XmlStream();
    XmlStream(const XmlStream&) = delete;
    XmlStream& operator=(const XmlStream&) = delete;

    // The root element, without its children.
    const XmlNode& root() const;
    // The next element (with all below it) or piece of text directly below the root; false
    // after the root's end, once the rest of the document has been found well-formed.
    bool next(XmlNode& node);

private:
    struct Reading;
    std::unique_ptr<Reading> m_reading;
};

// Parses a whole document; on a fault returns nothing and sets `fault` with its place.
std::optional<XmlNode> parseXml(const QByteArray& source, Problem& fault);

}  // namespace formats
