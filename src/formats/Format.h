#pragma once
// One question format: a reader and a writer behind one small interface. Readers never throw
// for bad input: they report problems with their places and, when the source is malformed,
// return no items at all.

#include "formats/Item.h"
#include "store/Fields.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

namespace formats {

// A problem found in a source, or an item a writer had to leave out.
struct Problem {
    int line = 0;    // 0 = no line
    int column = 0;  // 0 = no column
    QString text;
    QString part;  // a file inside a package ("items/item3.xml"), else empty

    // "questions.gift line 42: text", "file.xml line 17, column 5: text", "file: text".
    QString toString(const QString& sourceName) const;
};

struct ReadResult {
    std::vector<Item> items;
    QList<Problem> problems;  // skipped items and notes; the one fault when malformed
    bool malformed = false;   // then `items` is empty
    int skipped = 0;          // questions of the source left out
};

struct WriteResult {
    QByteArray data;
    QList<Problem> problems;  // one line per item left out or changed
    int written = 0;
    int skipped = 0;
};

class Format {
public:
    virtual ~Format() = default;
    virtual QString name() const = 0;         // "gift", as given to --format
    virtual QString title() const = 0;        // "GIFT", for people
    virtual QStringList extensions() const = 0;  // without the dot, first is the one written
    // True when the format carries the bytes of exhibit pictures (give them to write()).
    virtual bool embedsPictures() const { return false; }
    // `kind` is the table the items go to or come from; only our JSON depends on it.
    virtual ReadResult read(const QByteArray& source, store::TableKind kind) const = 0;
    virtual WriteResult write(const std::vector<Item>& items, store::TableKind kind) const = 0;
};

QList<const Format*> allFormats();
const Format* formatNamed(const QString& name);       // nullptr when unknown
const Format* formatForFile(const QString& fileName);  // by extension; nullptr when unknown

}  // namespace formats
