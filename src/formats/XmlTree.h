#pragma once
// A small tree of an XML document read with QXmlStreamReader, keeping the place of every
// element so that problems can name their line and column.

#include "formats/Format.h"

#include <QString>
#include <QXmlStreamAttributes>

#include <optional>
#include <vector>

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

// Parses a whole document, in the encoding its declaration names (else UTF-8); on a fault
// returns nothing and sets `fault` with its place.
std::optional<XmlNode> parseXml(const QByteArray& source, Problem& fault);

}  // namespace formats
